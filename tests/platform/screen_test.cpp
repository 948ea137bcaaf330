// Windows placed by their frame: placed again when the frame (the outer size) changes after the show, as when
// a window manager frames a window some time after it was mapped, and left alone when the user moves them.
#include "platform/screen.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The bottom-right corner of the work area, frame included.
QPoint bottomRight(const QSize& frame) {
    const QRect area = workArea();
    return area.topLeft() + QPoint(area.width() - frame.width(), area.height() - frame.height());
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

TEST(ShowPlacedByFrame, FrameStaysInsideTheWorkAreaWhenItGrowsAfterTheShow) {
    QWidget window(nullptr, Qt::Dialog);
    window.resize(300, 100);
    showPlacedByFrame(&window, bottomRight);
    settle();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.frameGeometry().bottomRight(), workArea().bottomRight());

    // The outer size grows after the window was shown, by a frame or a taller content: placed again.
    for (const QSize& size : {QSize(300, 124), QSize(320, 140)}) {
        window.resize(size);
        settle();
        EXPECT_TRUE(workArea().contains(window.frameGeometry())) << size.height();
        EXPECT_EQ(window.frameGeometry().bottomRight(), workArea().bottomRight()) << size.height();
    }

    // Moved by the user: it stays there.
    const QPoint dragged = workArea().topLeft() + QPoint(40, 40);
    moveFrameTo(&window, dragged);
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), dragged);

    // Hidden, it is no longer kept; shown again by the rule, it goes back to the corner.
    window.hide();
    window.resize(300, 100);
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), dragged);
    showPlacedByFrame(&window, bottomRight);
    settle();
    EXPECT_EQ(window.frameGeometry().bottomRight(), workArea().bottomRight());
}

TEST(MoveFrameTo, PlacesTheFrameCornerBeforeAndAfterTheFirstShow) {
    QWidget window;
    window.resize(200, 80);
    const QPoint corner = workArea().topLeft() + QPoint(30, 20);
    moveFrameTo(&window, corner);
    window.show();
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), corner);
    EXPECT_EQ(frameSize(&window), window.frameGeometry().size());
    moveFrameTo(&window, corner + QPoint(10, 10));
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), corner + QPoint(10, 10));
}
