#pragma once

#include <QWidget>

#include <memory>

// A native child widget that shows a top-level widget inside itself, filling
// it: the embedded widget keeps a native window of its own (with its own
// surface type), made a child of the slot's. Drags over the embedded window
// are passed on to the slot, so they reach the window around it as drags
// over any other part of it do. The slot's window follows when a widget
// around it moves.
class EmbeddedWindowSlot : public QWidget
{
    Q_OBJECT

public:
    // Takes window, a widget without parent, and shows it in the slot.
    EmbeddedWindowSlot(std::unique_ptr<QWidget> window, QWidget *parent);
    // The embedded window goes first: its native window is a child of the slot's.
    ~EmbeddedWindowSlot() override;

    QWidget *embedded() const { return m_window.get(); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchAncestors();
    void followAncestors();

    std::unique_ptr<QWidget> m_window;
};
