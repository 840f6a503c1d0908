#pragma once

#include "preview/PreviewView.h"

#include <QString>
#include <QUrl>
#include <QtPlugin>

#include <functional>
#include <memory>

// The web engine that plays the preview's movies. It lives in a plugin of
// its own, loaded by PreviewEngineLoader once the main window is on screen,
// so that starting the editor does not wait for the web engine's libraries.
class PreviewEngine
{
public:
    struct Page
    {
        QString html;
        QUrl baseUrl;
        // Asked for every request the page makes; what it refuses is blocked.
        std::function<bool(const QUrl &)> allows;
        // Called when the page's document has loaded, with whether it did;
        // the page never loads another.
        std::function<void(bool)> loaded;
        // Called with each message the page writes to its console at the
        // information level: what the page reports to the host.
        std::function<void(const QString &)> reported;
        // Called when the process that draws the page has ended (crashed,
        // killed, out of memory); the view shows nothing from then on.
        std::function<void()> ended;
    };

    virtual ~PreviewEngine() = default;

    // A view in parent showing the page on a white background; it keeps
    // nothing on disk and opens no windows, menus or error pages.
    virtual std::unique_ptr<PreviewView> createView(const Page &page, QWidget *parent) = 0;
};

#define PreviewEngine_iid "com.melbrin.TrevixStyleEditor.PreviewEngine/1.0"
Q_DECLARE_INTERFACE(PreviewEngine, PreviewEngine_iid)
