#include "preview/DropRefusal.h"

#include <QChildEvent>
#include <QEvent>
#include <QWidget>

void DropRefusal::apply(QWidget *widget)
{
    auto *refusal = new DropRefusal(widget);
    refusal->refuse(widget);
}

void DropRefusal::refuse(QWidget *widget)
{
    widget->setAcceptDrops(false);
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        refuse(child);
}

bool DropRefusal::eventFilter(QObject *watched, QEvent *event)
{
    // A web view makes its drawing widget later, and may let it take drops.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            refuse(child);
    } else if (event->type() == QEvent::DragEnter && watched->isWidgetType()) {
        // Taken up again meanwhile: the next move of the drag finds the window.
        static_cast<QWidget *>(watched)->setAcceptDrops(false);
        event->ignore();
        return true;
    }
    return false;
}
