#pragma once

#include <QPoint>
#include <QRect>

// Where a window meant for the place wanted opens so that all of it is on
// screen: moved in from any edge it would pass, its left and top edges kept
// on the screen when it is larger than the screen. An empty screen keeps
// the place wanted.
QPoint keptOnScreen(const QRect &wanted, const QRect &screen);
