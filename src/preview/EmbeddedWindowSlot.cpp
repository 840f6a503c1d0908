#include "preview/EmbeddedWindowSlot.h"

#include <QApplication>
#include <QDropEvent>
#include <QWindow>

EmbeddedWindowSlot::EmbeddedWindowSlot(std::unique_ptr<QWidget> window, QWidget *parent)
    : QWidget(parent), m_window(std::move(window))
{
    setAttribute(Qt::WA_NativeWindow);
    // Only the slot needs a native window; the widgets around it stay drawn by the main window.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    m_window->setAttribute(Qt::WA_QuitOnClose, false);
    m_window->setGeometry(rect());
    winId();
    m_window->winId();
    m_window->windowHandle()->setParent(windowHandle());
    m_window->windowHandle()->installEventFilter(this);
    m_window->show();
    watchAncestors();
}

EmbeddedWindowSlot::~EmbeddedWindowSlot()
{
    m_window.reset();
}

void EmbeddedWindowSlot::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_window->setGeometry(rect());
}

void EmbeddedWindowSlot::watchAncestors()
{
    for (QWidget *ancestor = parentWidget(); ancestor && ancestor != nativeParentWidget();
         ancestor = ancestor->parentWidget())
        ancestor->installEventFilter(this);
}

void EmbeddedWindowSlot::followAncestors()
{
    // Qt moves a native child window when the widget itself moves, not when a
    // widget around it that has no window of its own moves (a splitter or layout
    // placing the preview's panel anew): the slot's window would stay behind.
    windowHandle()->setGeometry(QRect(mapTo(nativeParentWidget(), QPoint(0, 0)), size()));
}

bool EmbeddedWindowSlot::eventFilter(QObject *watched, QEvent *event)
{
    // The widgets around the slot are watched for moves; the embedded window for drags.
    if (watched->isWidgetType()) {
        if (event->type() == QEvent::Move)
            followAncestors();
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        // The embedded window lies at the slot's origin, so positions carry over as they are.
        auto *drop = static_cast<QDropEvent *>(event);
        std::unique_ptr<QDropEvent> passed(drop->clone());
        QApplication::sendEvent(this, passed.get());
        drop->setDropAction(passed->dropAction());
        drop->setAccepted(passed->isAccepted());
        return true;
    }
    case QEvent::DragLeave: {
        QDragLeaveEvent leave;
        QApplication::sendEvent(this, &leave);
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}
