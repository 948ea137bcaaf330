#include "news/hoverchartplace.h"

#include "platform/screen.h"

#include <QList>

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

qint64 squaredDistance(const QPoint& from, const QPoint& to) {
    const qint64 dx = to.x() - from.x();
    const qint64 dy = to.y() - from.y();
    return dx * dx + dy * dy;
}

qint64 coveredArea(const QRect& chart, const QRect& row) {
    const QRect covered = chart.intersected(row);
    return covered.isEmpty() ? 0 : qint64(covered.width()) * covered.height();
}

// The places along one axis where the best place can stand: the designed one drawn into the area, the area's two
// ends, the row's two sides and the pointer's two sides. How much of the row a chart covers grows and shrinks
// along an axis only at these, so the fewest covered pixels, and the nearest place among them, lie on them.
QList<int> stops(int designed, int areaStart, int areaEnd, int rowStart, int rowEnd, int pointer, int size) {
    const int lastStart = std::max(areaStart, areaEnd + 1 - size);
    return {std::clamp(designed, areaStart, lastStart),
            areaStart,
            lastStart,
            rowStart - size,
            rowEnd + 1,
            pointer - size,
            pointer + 1};
}

} // namespace

QPoint hoverChartPlace(const QRect& workArea, const QSize& frame, int besideLeft, const QPoint& pointer,
                       const QRect& row) {
    const QPoint designed(besideLeft - frame.width(), pointer.y() - frame.height());
    const QList<int> xs =
        stops(designed.x(), workArea.left(), workArea.right(), row.left(), row.right(), pointer.x(), frame.width());
    const QList<int> ys =
        stops(designed.y(), workArea.top(), workArea.bottom(), row.top(), row.bottom(), pointer.y(), frame.height());
    // Ranked by the row's pixels covered, then by the distance moved from the designed place.
    std::optional<std::tuple<qint64, qint64>> bestRank;
    QPoint best = keptInside(workArea, designed, frame);
    for (const int x : xs) {
        for (const int y : ys) {
            const QPoint place(x, y);
            const QRect chart(place, frame);
            if (keptInside(workArea, place, frame) != place || chart.contains(pointer))
                continue;
            const auto rank = std::make_tuple(coveredArea(chart, row), squaredDistance(designed, place));
            if (!bestRank || rank < *bestRank) {
                bestRank = rank;
                best = place;
            }
        }
    }
    return best;
}
