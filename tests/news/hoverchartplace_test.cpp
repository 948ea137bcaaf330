// Where the chart of a hovered recommendation stands on the usual screens: inside the work area, off the pointer,
// at its designed place beside the recommendation window where that fits, else the least move from there.
#include "news/hoverchartplace.h"

#include <QMargins>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// A window manager's frame: 4-pixel borders and a 24-pixel title bar.
const QMargins kFrame(4, 28, 4, 4);
const QSize kChart = QSize(380, 470).grownBy(kFrame);

qint64 squaredMove(const QPoint& from, const QPoint& to) {
    const QPoint d = to - from;
    return qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
}

// The least move to a place inside the work area and off the pointer, found by trying every place.
qint64 leastMove(const QRect& area, const QPoint& designed, const QPoint& pointer) {
    qint64 least = std::numeric_limits<qint64>::max();
    for (int x = area.left(); x <= area.right() + 1 - kChart.width(); ++x)
        for (int y = area.top(); y <= area.bottom() + 1 - kChart.height(); ++y)
            if (!QRect(QPoint(x, y), kChart).contains(pointer))
                least = std::min(least, squaredMove(designed, {x, y}));
    return least;
}

} // namespace

TEST(HoverChartPlace, InsideTheWorkAreaOffThePointerAndNearestItsDesignedPlace) {
    const struct {
        QSize screen;
        int row;
        bool designedFits;
    } cases[] = {{{1024, 768}, 0, false}, {{1024, 768}, 9, false}, {{1280, 800}, 0, false},  {{1280, 800}, 9, true},
                 {{1366, 768}, 0, false}, {{1366, 768}, 9, true},  {{1920, 1080}, 0, false}, {{1920, 1080}, 9, true}};
    for (const auto& c : cases) {
        // A 30-pixel task bar; the recommendation window's frame (474 x 408 inside) centred on the screen.
        const QRect area(QPoint(0, 0), c.screen - QSize(0, 30));
        const QPoint corner((c.screen.width() - 482) / 2, (c.screen.height() - 440) / 2);
        // The middle of the row, at either end of its label.
        for (const int labelX : {1, 464}) {
            SCOPED_TRACE(testing::Message() << c.screen.width() << " row " << c.row << " x " << labelX);
            const QPoint pointer = corner + QPoint(kFrame.left() + labelX, kFrame.top() + 130 + 20 * c.row);
            const QPoint designed(corner.x() - kChart.width(), pointer.y() - kChart.height());
            const QRect chart(hoverChartPlace(area, kChart, corner.x(), pointer), kChart);
            EXPECT_TRUE(area.contains(chart));
            EXPECT_FALSE(chart.contains(pointer));
            EXPECT_EQ(chart.topLeft() == designed, c.designedFits);
            EXPECT_EQ(squaredMove(designed, chart.topLeft()), leastMove(area, designed, pointer));
        }
    }
    // Larger than the work area: the title bar at its top-left corner.
    EXPECT_EQ(hoverChartPlace(QRect(10, 20, 300, 300), kChart, 400, QPoint(150, 150)), QPoint(10, 20));
}
