// Windows placed by their frame: placed again when the frame (the outer size) changes after the show, as when
// a window manager frames a window some time after it was mapped, and left alone when the user moves them.
#include "platform/screen.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
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

// Wherever a rule puts a frame, it is shown inside the work area, moved the least; one too large for the area
// keeps its title bar's corner inside it.
TEST(KeptInside, MovesAFramePastAnEdgeBackInsideTheArea) {
    const QRect area(0, 24, 1280, 746); // a top panel and a task bar
    const QSize frame(388, 498);
    const std::pair<QPoint, QPoint> cases[] = {
        {{100, 100}, {100, 100}},  // inside: stays
        {{-75, -150}, {0, 24}},    // past the left edge and the top
        {{1000, 400}, {892, 272}}, // past the right edge and the bottom
    };
    for (const auto& [asked, kept] : cases)
        EXPECT_EQ(keptInside(area, asked, frame), kept) << asked.x() << "," << asked.y();
    EXPECT_EQ(keptInside(area, {-10, 900}, QSize(1400, 800)), area.topLeft());

    QWidget window(nullptr, Qt::Dialog);
    window.resize(300, 100);
    showPlacedByFrame(&window, [](const QSize&) { return workArea().topLeft() - QPoint(75, 150); });
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), workArea().topLeft());
}

// A desktop of two screens side by side: a window that its rule puts on the second screen is kept inside that
// screen's work area, not pulled onto the primary.
TEST(KeptInside, HoldsAWindowOnTheScreenItsRulePutItOnOnTwoScreens) {
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    const QRect second = QGuiApplication::screens().at(1)->availableGeometry();
    ASSERT_NE(second, workArea());
    QWidget window(nullptr, Qt::Dialog);
    window.resize(300, 100);
    // Past the second screen's bottom-right corner.
    showPlacedByFrame(&window, [&](const QSize&) { return second.bottomRight() - QPoint(100, 20); });
    settle();
    EXPECT_EQ(window.frameGeometry().bottomRight(), second.bottomRight());
    EXPECT_EQ(workAreaOf(&window), second);
    // Inside it: left where the rule put it.
    showPlacedByFrame(&window, [&](const QSize&) { return second.topLeft() + QPoint(40, 30); });
    settle();
    EXPECT_EQ(window.frameGeometry().topLeft(), second.topLeft() + QPoint(40, 30));
}
