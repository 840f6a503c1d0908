#pragma once

#include "settings/FormWindow.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class FormPlacement;

// A top-level widget as the window of a settings store. It hands the store
// the widget's first and later shows (before the widget's own show handler),
// its accepted closes (after the widget's own close handler) and the end of
// the program.
//
//     auto *storage = new WindowStateStore(window);
//     storage->setSection(...);
//     WidgetFormWindow::attach(*storage, window);
//     storage->Active = true;
class WidgetFormWindow : public QObject, public FormWindow
{
    Q_OBJECT

public:
    static void attach(FormPlacement &store, QWidget *window);

    WidgetFormWindow(FormPlacement &store, QWidget *window);

    QObject *form() const override { return m_window; }
    WindowPlacement placement() const override;
    void setPlacement(const WindowPlacement &placement) override;
    bool isSizeable() const override;
    QSize size() const override;
    QSize screenSize() const override;
    int screenPixelsPerInch() const override;
    void setState(State state) override;
    void postMinimize() override;
    void adjustMaximizedPosition() override;
    QString activeControlName() const override;
    void setActiveControl(const QString &name) override;
    QVariant readProperty(QObject *component, const QMetaProperty &property) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FormPlacement &m_store;
    QPointer<QWidget> m_window;
    // Qt has no minimized or maximized positions; they are kept as applied.
    int m_flags = 0;
    QPoint m_minPosition{-1, -1};
    QPoint m_maxPosition{-1, -1};
    bool m_forwardingClose = false;
};
