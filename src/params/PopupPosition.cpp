#include "params/PopupPosition.h"

QPoint PopupPosition::topLeft(int popupHeight, int mainWindowBottom) const
{
    const int left = anchor.x() + gridWidth - 64;
    int top = anchor.y() + (focusedRow + 2) * rowHeight;
    if (top + popupHeight > mainWindowBottom)
        top -= popupHeight;
    return {left, top};
}
