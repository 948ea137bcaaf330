// Where the news and list pop-ups stand: the bottom-right corner of the work area, its width and height, not
// the screen's.
#include "app/workareacorner.h"
#include "platform/screen.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

TEST(WorkAreaCorner, LeftAndTopAreTheWorkAreasSizeLessTheFrame) {
    struct Case {
        QRect screen, workArea;
        QSize frame;
        QPoint expected;
    };
    const Case cases[] = {
        // A task bar at the bottom.
        {{0, 0, 1600, 1000}, {0, 0, 1600, 970}, {356, 143}, {1244, 827}},
        // A panel on the left narrows the work area: its width counts, its offset does not.
        {{0, 0, 1280, 1024}, {64, 0, 1216, 1024}, {300, 100}, {916, 924}},
        // A panel on the right.
        {{0, 0, 1280, 1024}, {0, 0, 1200, 1024}, {300, 100}, {900, 924}},
        // A panel at the top: its height is taken off, its offset is not added.
        {{0, 0, 1280, 1024}, {0, 30, 1280, 994}, {300, 100}, {980, 894}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(workAreaCornerPosition(c.screen, c.workArea, c.frame), c.expected);
}

TEST(WorkAreaCorner, PopUpShowsWithItsFrameInsideTheWorkArea) {
    QWidget popup(nullptr, Qt::Dialog);
    popup.resize(356, 120);
    popupAtWorkAreaCorner(&popup);
    QCoreApplication::processEvents();
    ASSERT_TRUE(popup.isVisible());
    EXPECT_TRUE(workArea().contains(popup.frameGeometry()));
    EXPECT_EQ(popup.frameGeometry().bottomRight(), workArea().bottomRight());
}
