#include "news/hoverchartplace.h"

#include "platform/screen.h"

#include <QList>

namespace {

qint64 squaredDistance(const QPoint& from, const QPoint& to) {
    const qint64 dx = to.x() - from.x();
    const qint64 dy = to.y() - from.y();
    return dx * dx + dy * dy;
}

} // namespace

// The places a frame may take form a box with a hole: those that would cover the pointer. The nearest free place
// to the designed one is the designed one drawn into the box, unless that lands in the hole; then it lies on one
// of the hole's four sides (the frame just left of, right of, above or below the pointer), its other edge drawn
// into the box as well.
QPoint hoverChartPlace(const QRect& workArea, const QSize& frame, int besideLeft, const QPoint& pointer) {
    const QPoint designed(besideLeft - frame.width(), pointer.y() - frame.height());
    const QPoint kept = keptInside(workArea, designed, frame);
    const QList<QPoint> candidates = {
        kept,
        {pointer.x() - frame.width(), kept.y()},
        {pointer.x() + 1, kept.y()},
        {kept.x(), pointer.y() - frame.height()},
        {kept.x(), pointer.y() + 1},
    };
    const QPoint* best = nullptr;
    for (const QPoint& place : candidates) {
        if (keptInside(workArea, place, frame) != place || QRect(place, frame).contains(pointer))
            continue;
        if (!best || squaredDistance(designed, place) < squaredDistance(designed, *best))
            best = &place;
    }
    return best ? *best : kept;
}
