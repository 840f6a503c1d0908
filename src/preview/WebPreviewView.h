#pragma once

#include "preview/PreviewEngine.h"

#include <QPointer>

#include <memory>

class QWebEngineProfile;
class QWebEngineView;

// The preview page in a QWebEngineView, with a profile of its own that keeps
// everything in memory and lets the page load only what it allows.
//
// The web view draws through OpenGL textures, and Qt composes a window that
// holds such a widget through OpenGL too: a window already on screen is
// destroyed and made anew with an OpenGL surface when one is added to it. So
// the view lives in a window of its own, made with an OpenGL surface from the
// start and shown inside a native child widget of the player: the main window
// keeps its one native window, and paints without OpenGL.
class WebPreviewView : public PreviewView
{
public:
    WebPreviewView(const PreviewEngine::Page &page, QWidget *parent);
    ~WebPreviewView() override;

    QWidget *widget() override;
    void runJavaScript(const QString &script) override;
    QImage frame() override;

private:
    QWebEngineProfile *m_profile = nullptr;
    std::unique_ptr<QWidget> m_window;  // top-level holding the view, embedded in m_slot
    QPointer<QWidget> m_slot;           // the native child widget of the player it is shown in
    QPointer<QWebEngineView> m_view;
};
