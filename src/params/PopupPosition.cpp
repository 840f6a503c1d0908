#include "params/PopupPosition.h"

#include "base/KeptOnScreen.h"

QPoint PopupPosition::topLeft(const QSize &popup, int mainWindowBottom) const
{
    const int left = anchor.x() + gridWidth - 64;
    int top = anchor.y() + (focusedRow + 2) * rowHeight;
    if (top + popup.height() > mainWindowBottom)
        top -= popup.height();
    return keptOnScreen(QRect(QPoint(left, top), popup), screen);
}
