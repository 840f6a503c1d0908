#pragma once

#include "preview/PreviewEngine.h"

#include <QPointer>

class QWebEngineProfile;
class QWebEngineView;

// The preview page in a QWebEngineView, with a profile of its own that keeps
// everything in memory and lets the page load only what it allows.
class WebPreviewView : public PreviewView
{
public:
    WebPreviewView(const PreviewEngine::Page &page, QWidget *parent);
    ~WebPreviewView() override;

    QWidget *widget() override;
    void runJavaScript(const QString &script) override;
    QImage frame() override;
    void setActive(bool active) override;

private:
    QWebEngineProfile *m_profile = nullptr;
    QPointer<QWebEngineView> m_view;
};
