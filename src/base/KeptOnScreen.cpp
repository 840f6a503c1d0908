#include "base/KeptOnScreen.h"

#include <algorithm>

namespace {

// The first coordinate of a length along one axis of a screen that starts at
// first and is extent long.
int keptWithin(int wanted, int length, int first, int extent)
{
    return std::max(first, std::min(wanted, first + extent - length));
}

} // namespace

QPoint keptOnScreen(const QRect &wanted, const QRect &screen)
{
    if (screen.isEmpty())
        return wanted.topLeft();
    return {keptWithin(wanted.x(), wanted.width(), screen.x(), screen.width()),
            keptWithin(wanted.y(), wanted.height(), screen.y(), screen.height())};
}
