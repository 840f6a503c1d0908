#include "widgets/DropDownPlacement.h"

#include "base/KeptOnScreen.h"

namespace DropDownPlacement {

// QRect::right() and bottom() are the last pixel inside; the edges here are
// the first pixel outside.
namespace {
int rightEdge(const QRect &r)
{
    return r.x() + r.width();
}
int bottomEdge(const QRect &r)
{
    return r.y() + r.height();
}
} // namespace

QPoint palette(const QRect &controlOnScreen, const QSize &palette, const QRect &screen)
{
    int x = controlOnScreen.x();
    int y = bottomEdge(controlOnScreen);
    if (x + palette.width() > rightEdge(screen))
        x = rightEdge(screen) - palette.width();
    if (y + palette.height() > bottomEdge(screen))
        y = y - palette.height() - controlOnScreen.height();
    return keptOnScreen(QRect(QPoint(x, y), palette), screen);
}

QPoint fontPreview(const QRect &controlOnScreen, const QSize &preview, const QRect &screen)
{
    int x = rightEdge(controlOnScreen);
    int y = bottomEdge(controlOnScreen);
    if (x + preview.width() > rightEdge(screen))
        x = controlOnScreen.x() - preview.width();
    if (y + preview.height() > bottomEdge(screen))
        y = controlOnScreen.y() - preview.height();
    return keptOnScreen(QRect(QPoint(x, y), preview), screen);
}

} // namespace DropDownPlacement
