#include "models/WindowPlacement.h"

#include <algorithm>
#include <optional>
#include <set>

namespace {

constexpr int CascadeStep = 30;

// Keeps a window of this size inside the area, its top-left corner first.
QPoint within(const QRect& available, QPoint p, const QSize& size)
{
    p.setX(std::max(available.left(), std::min(p.x(), available.right() + 1 - size.width())));
    p.setY(std::max(available.top(), std::min(p.y(), available.bottom() + 1 - size.height())));
    return p;
}

std::optional<QPoint> freePlace(const QRect& available, const QList<QRect>& keep, int width,
                               int headHeight)
{
    // Places worth trying: the area's edges and the edges just past each
    // rectangle to keep.
    std::set<int> xs{available.left()}, ys{available.top()};
    for (const QRect& k : keep) {
        xs.insert(k.right() + 1);
        xs.insert(k.left());
        ys.insert(k.bottom() + 1);
    }
    for (int y : ys) {
        for (int x : xs) {
            if (x < available.left() || x + width - 1 > available.right() ||
                y < available.top() || y + headHeight - 1 > available.bottom())
                continue;
            const QRect column(x, y, width, available.bottom() - y + 1);
            if (std::none_of(keep.begin(), keep.end(),
                             [&](const QRect& k) { return k.intersects(column); }))
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

} // namespace

QPoint PlaceRackWindow(const QRect& available, const QList<QRect>& whole,
                       const QList<QRect>& heads, int width, int headHeight, int cascade)
{
    for (const QList<QRect>* keep : {&whole, &heads}) {
        if (const std::optional<QPoint> p = freePlace(available, *keep, width, headHeight))
            return *p;
    }
    const int step = CascadeStep * std::max(0, cascade);
    return within(available, available.topLeft() + QPoint(step, step),
                  QSize(width, std::max(headHeight, 1)));
}

QPoint PlaceNearRack(const QRect& available, const QRect& rack, const QSize& size, int nth)
{
    const int step = CascadeStep * std::max(0, nth);
    QPoint p;
    if (rack.right() + size.width() <= available.right())
        p = QPoint(rack.right() + 1, rack.top() + step);
    else if (rack.left() - size.width() >= available.left())
        p = QPoint(rack.left() - size.width(), rack.top() + step);
    else
        p = rack.topLeft() + QPoint(CascadeStep + step, CascadeStep + step);
    return within(available, p, size);
}
