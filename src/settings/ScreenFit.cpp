#include "settings/ScreenFit.h"

#include <algorithm>
#include <limits>

namespace {

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// How far the point lies outside the area, squared.
qint64 distance(const QPoint &point, const QRect &area)
{
    const qint64 dx = std::max(
            {qint64(area.left()) - point.x(), qint64(0), qint64(point.x()) - area.right()});
    const qint64 dy = std::max(
            {qint64(area.top()) - point.y(), qint64(0), qint64(point.y()) - area.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QRect ScreenFit::reachable(const QRect &frame, const QList<QRect> &areas)
{
    const QRect *best = nullptr;
    qint64 bestOverlap = 0;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &area : areas) {
        if (area.isEmpty())
            continue;
        const qint64 common = overlap(frame, area);
        const qint64 away = distance(frame.center(), area);
        if (common > bestOverlap || (bestOverlap == 0 && common == 0 && away < bestDistance)) {
            best = &area;
            bestOverlap = common;
            bestDistance = away;
        }
    }
    if (!best)
        return frame;
    const int width = std::clamp(frame.width(), 1, best->width());
    const int height = std::clamp(frame.height(), 1, best->height());
    const int x = std::clamp(frame.x(), best->x(), best->x() + best->width() - width);
    const int y = std::clamp(frame.y(), best->y(), best->y() + best->height() - height);
    return QRect(x, y, width, height);
}
