#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the pickers' windows open next to their control, wholly on the
// control's screen whatever the control's place on it.
namespace DropDownPlacement {

// The colour palette: below the control's left edge; shifted left when it
// would pass the screen's right edge, and put above the control when it
// would pass the bottom.
QPoint palette(const QRect &controlOnScreen, const QSize &palette, const QRect &screen);

// The font preview: at the control's bottom-right corner, beside the open
// list; flipped to the control's left when it would pass the screen's right
// edge and above the control when it would pass the bottom.
QPoint fontPreview(const QRect &controlOnScreen, const QSize &preview, const QRect &screen);

} // namespace DropDownPlacement
