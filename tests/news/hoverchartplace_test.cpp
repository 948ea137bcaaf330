// Where the chart of a hovered recommendation stands on the usual screens: inside the work area, off the pointer,
// at its designed place beside the recommendation window wherever that fits and else the least distance from it.
#include "news/hoverchartplace.h"

#include <QMargins>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// A window manager's frame: 4-pixel borders and a 24-pixel title bar.
const QMargins kFrame(4, 28, 4, 4);
const QSize kChart = QSize(380, 470).grownBy(kFrame);
const QSize kRecommendations = QSize(474, 408).grownBy(kFrame);

qint64 squaredDistance(const QPoint& from, const QPoint& to) {
    const QPoint d = to - from;
    return qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
}

// The least move from the designed place to one inside the work area and off the pointer, found by trying them all.
qint64 leastMove(const QRect& workArea, const QPoint& designed, const QPoint& pointer) {
    qint64 least = std::numeric_limits<qint64>::max();
    for (int x = workArea.left(); x + kChart.width() <= workArea.right() + 1; ++x)
        for (int y = workArea.top(); y + kChart.height() <= workArea.bottom() + 1; ++y)
            if (!QRect(QPoint(x, y), kChart).contains(pointer))
                least = std::min(least, squaredDistance(designed, {x, y}));
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
        // A 30-pixel task bar at the bottom; the recommendation window centred on the screen.
        const QRect workArea(QPoint(0, 0), c.screen - QSize(0, 30));
        const QPoint corner((c.screen.width() - kRecommendations.width()) / 2,
                            (c.screen.height() - kRecommendations.height()) / 2);
        // The middle of the row, at either end of its label.
        for (const int labelX : {1, 464}) {
            const QPoint pointer = corner + QPoint(kFrame.left() + labelX, kFrame.top() + 130 + 20 * c.row);
            SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height() << " row " << c.row
                                            << " pointer " << pointer.x() << "," << pointer.y());
            const QPoint designed(corner.x() - kChart.width(), pointer.y() - kChart.height());
            const QRect chart(hoverChartPlace(workArea, kChart, corner.x(), pointer), kChart);
            EXPECT_TRUE(workArea.contains(chart));
            EXPECT_FALSE(chart.contains(pointer));
            EXPECT_EQ(chart.topLeft() == designed, c.designedFits);
            EXPECT_EQ(squaredDistance(designed, chart.topLeft()), leastMove(workArea, designed, pointer));
        }
    }
}

TEST(HoverChartPlace, AChartLargerThanTheWorkAreaKeepsItsTitleBarInSight) {
    // Too low for the chart, under a 30-pixel panel: the title bar stays at the top, clear of the pointer.
    const QRect low(0, 30, 800, 420);
    for (const QPoint pointer : {QPoint(200, 300), QPoint(600, 300)}) {
        const QPoint place = hoverChartPlace(low, kChart, 400, pointer);
        EXPECT_EQ(place.y(), low.top());
        EXPECT_TRUE(low.contains(QRect(place, QSize(kChart.width(), kFrame.top()))));
        EXPECT_FALSE(QRect(place, kChart).contains(pointer));
    }
    // Too small either way: its top-left corner at the work area's.
    EXPECT_EQ(hoverChartPlace(QRect(10, 20, 300, 300), kChart, 400, QPoint(150, 150)), QPoint(10, 20));
}
