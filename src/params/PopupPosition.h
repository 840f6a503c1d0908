#pragma once

#include <QPoint>

// Where a value editor popup opens: beside the grid, two rows below the
// focused row, or moved up by its own height when it would pass the main
// window's bottom edge.
struct PopupPosition
{
    QPoint anchor;      // the grid's screen anchor
    int gridWidth = 0;
    int rowHeight = 0;
    int focusedRow = 0; // rows between the top displayed row and the focused one

    QPoint topLeft(int popupHeight, int mainWindowBottom) const;
};
