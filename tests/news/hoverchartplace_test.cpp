// Where the chart of a hovered recommendation stands on the usual screens: inside the work area, clear of the
// hovered row where any place is, at its designed place beside the recommendation window where that fits, else the
// least move from there; and a sweep of the pointer along a row does not keep moving it.
#include "news/hoverchartplace.h"

#include <QMargins>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <tuple>

namespace {

// A window manager's frame: 4-pixel borders and a 24-pixel title bar.
const QMargins kFrame(4, 28, 4, 4);
const QSize kChart = QSize(256, 470).grownBy(kFrame);
// The recommendation window's frame (474 x 408 inside); its first row's label at (1, 120) inside, 464 x 20.
const QSize kWindow = QSize(474, 408).grownBy(kFrame);

qint64 squaredMove(const QPoint& from, const QPoint& to) {
    const QPoint d = to - from;
    return qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
}

qint64 covered(const QRect& chart, const QRect& row) {
    const QRect both = chart.intersected(row);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// The best a place can do, found by trying every place inside the work area off the pointer: the fewest of the
// row's pixels covered, then the least move.
std::tuple<qint64, qint64> bestPossible(const QRect& area, const QPoint& designed, const QPoint& pointer,
                                        const QRect& row) {
    std::tuple<qint64, qint64> best{std::numeric_limits<qint64>::max(), 0};
    for (int x = area.left(); x <= area.right() + 1 - kChart.width(); ++x)
        for (int y = area.top(); y <= area.bottom() + 1 - kChart.height(); ++y)
            if (const QRect chart(QPoint(x, y), kChart); !chart.contains(pointer))
                best = std::min(best, std::make_tuple(covered(chart, row), squaredMove(designed, {x, y})));
    return best;
}

struct Desktop {
    QRect area;
    QPoint window; // the recommendation window's frame corner, centred on the screen

    explicit Desktop(const QSize& screen)
        : area(QPoint(0, 0), screen - QSize(0, 30)), // a 30-pixel task bar
          window((screen.width() - kWindow.width()) / 2, (screen.height() - kWindow.height()) / 2) {}

    QRect row(int i) const { return {window + QPoint(kFrame.left() + 1, kFrame.top() + 120 + 20 * i), QSize(464, 20)}; }
    QRect chartAt(const QPoint& pointer, const QRect& row) const {
        return {hoverChartPlace(area, kChart, window.x(), pointer, row), kChart};
    }
};

} // namespace

TEST(HoverChartPlace, InsideTheWorkAreaClearOfTheRowWhereItCanAndNearestItsDesignedPlace) {
    const struct {
        QSize screen;
        int row;
        bool designedFits;
        bool rowClearable;
    } cases[] = {{{800, 600}, 0, false, false},  {{800, 600}, 9, false, false}, {{1024, 768}, 0, false, true},
                 {{1024, 768}, 3, false, true},  {{1024, 768}, 9, true, true},  {{1280, 800}, 0, false, true},
                 {{1280, 800}, 9, true, true},   {{1366, 768}, 0, false, true}, {{1366, 768}, 9, true, true},
                 {{1920, 1080}, 0, false, true}, {{1920, 1080}, 9, true, true}};
    for (const auto& c : cases) {
        const Desktop desktop(c.screen);
        const QRect row = desktop.row(c.row);
        for (const int labelX : {1, 232, 463}) {
            SCOPED_TRACE(testing::Message() << c.screen.width() << " row " << c.row << " x " << labelX);
            const QPoint pointer(row.left() + labelX, row.top() + 10);
            const QPoint designed(desktop.window.x() - kChart.width(), pointer.y() - kChart.height());
            const QRect chart = desktop.chartAt(pointer, row);
            EXPECT_TRUE(desktop.area.contains(chart));
            EXPECT_FALSE(chart.contains(pointer));
            EXPECT_EQ(chart.topLeft() == designed, c.designedFits);
            EXPECT_EQ(chart.intersects(row), !c.rowClearable);
            EXPECT_EQ(std::make_tuple(covered(chart, row), squaredMove(designed, chart.topLeft())),
                      bestPossible(desktop.area, designed, pointer, row));
        }
    }
    // Larger than the work area: the title bar at its top-left corner.
    EXPECT_EQ(
        hoverChartPlace(QRect(10, 20, 300, 300), QSize(400, 500), 400, QPoint(150, 150), QRect(100, 140, 200, 20)),
        QPoint(10, 20));
}

// The pointer moves along a row in 4-pixel steps; each time it runs into the chart, the row loses the hover and
// gets it back, and the chart is placed and loaded again.
TEST(HoverChartPlace, ASweepAlongARowShowsTheChartAtMostTwice) {
    for (const QSize& screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 800)}) {
        const Desktop desktop(screen);
        for (const int i : {0, 4, 9}) {
            const QRect row = desktop.row(i);
            for (const int step : {4, -4}) {
                int shows = 0;
                QRect chart;
                for (int x = step > 0 ? row.left() : row.right(); row.contains(x, row.center().y()); x += step) {
                    const QPoint pointer(x, row.center().y());
                    if (shows == 0 || chart.contains(pointer)) {
                        chart = desktop.chartAt(pointer, row);
                        ++shows;
                    }
                }
                EXPECT_LE(shows, 2) << screen.width() << " row " << i << " step " << step;
            }
        }
    }
}
