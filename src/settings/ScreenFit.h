#pragma once

#include <QList>
#include <QRect>

// Where a window may be put back: wholly on one screen, so its frame, title
// and close box can be reached.
namespace ScreenFit {

// The window's frame rectangle moved onto the available area it overlaps
// most (or, overlapping none, the nearest one) and shrunk to the area's size
// where it is larger. With no areas the rectangle stays as it is.
QRect reachable(const QRect &frame, const QList<QRect> &areas);

} // namespace ScreenFit
