#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a value editor popup opens: beside the grid, two rows below the
// focused row, or moved up by its own height when it would pass the main
// window's bottom edge; then moved onto the grid's screen where it would
// pass one of its edges.
struct PopupPosition
{
    QPoint anchor; // the grid's screen anchor
    int gridWidth = 0;
    int rowHeight = 0;
    int focusedRow = 0; // rows between the top displayed row and the focused one
    QRect screen;       // the available area of the grid's screen; empty: not kept on a screen

    QPoint topLeft(const QSize &popup, int mainWindowBottom) const;
};
