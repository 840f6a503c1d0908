#pragma once

#include <QObject>

class QWidget;

// Keeps a widget and every widget that comes to live inside it from taking
// drops, so a file dropped on it goes to the window around it. The web view
// of the preview would otherwise take a dropped file and load it as a page.
class DropRefusal : public QObject
{
    Q_OBJECT

public:
    // The refusal lives as long as the widget.
    static void apply(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    void refuse(QWidget *widget);
};
