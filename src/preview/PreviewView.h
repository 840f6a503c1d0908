#pragma once

#include <QImage>
#include <QString>

class QWidget;

// A web page in a widget, made by the preview engine: the player shows the
// widget and drives the page with scripts.
class PreviewView
{
public:
    virtual ~PreviewView() = default;

    // The widget showing the page, a child of the widget it was made in.
    virtual QWidget *widget() = 0;
    virtual void runJavaScript(const QString &script) = 0;
    // The page as it is drawn now.
    virtual QImage frame() = 0;
    // An inactive page is hidden and frozen: it runs no script and draws
    // nothing until it is made active again.
    virtual void setActive(bool active) = 0;
};
