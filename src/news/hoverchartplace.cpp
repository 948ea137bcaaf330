#include "news/hoverchartplace.h"

#include <QList>

#include <algorithm>

namespace {

// The left (or top) edges a frame of `length` may take inside [first, first + room). A frame longer than the
// room has only one, the room's first, so that its title bar and left border are kept in sight.
struct Span {
    int low;
    int high;

    bool holds(int edge) const { return edge >= low && edge <= high; }
    int nearest(int edge) const { return std::clamp(edge, low, high); }
};

Span spanFor(int first, int room, int length) {
    return {first, std::max(first, first + room - length)};
}

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
    const Span across = spanFor(workArea.left(), workArea.width(), frame.width());
    const Span down = spanFor(workArea.top(), workArea.height(), frame.height());
    const QPoint kept(across.nearest(designed.x()), down.nearest(designed.y()));
    const QList<QPoint> candidates = {
        kept,
        {pointer.x() - frame.width(), kept.y()},
        {pointer.x() + 1, kept.y()},
        {kept.x(), pointer.y() - frame.height()},
        {kept.x(), pointer.y() + 1},
    };
    const QPoint* best = nullptr;
    for (const QPoint& place : candidates) {
        if (!across.holds(place.x()) || !down.holds(place.y()) || QRect(place, frame).contains(pointer))
            continue;
        if (!best || squaredDistance(designed, place) < squaredDistance(designed, *best))
            best = &place;
    }
    return best ? *best : kept;
}
