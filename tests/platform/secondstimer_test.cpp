#include "platform/secondstimer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

// Timers of whole seconds started at different moments still tick in the same instant, so that together they
// wake the program once a second rather than once each.
TEST(SecondsTimer, TimersStartedApartTickTogether) {
    QObject owner;
    QElapsedTimer clock;
    clock.start();
    QList<qint64> everySecond;
    QList<qint64> everyTwoSeconds;
    QTimer* one = newSecondsTimer(&owner, 1000);
    QTimer* two = newSecondsTimer(&owner, 2000);
    QObject::connect(one, &QTimer::timeout, [&] { everySecond << clock.elapsed(); });
    QObject::connect(two, &QTimer::timeout, [&] { everyTwoSeconds << clock.elapsed(); });
    one->start();
    QTest::qWait(300);
    two->start();
    QTest::qWait(3200);
    EXPECT_EQ(one->interval(), 1000);
    EXPECT_EQ(two->interval(), 2000);
    ASSERT_FALSE(everyTwoSeconds.isEmpty());
    ASSERT_GE(everySecond.size(), 2);
    for (const qint64 tick : everyTwoSeconds) {
        const auto nearest = std::min_element(everySecond.begin(), everySecond.end(), [tick](qint64 a, qint64 b) {
            return std::abs(a - tick) < std::abs(b - tick);
        });
        EXPECT_LE(std::abs(*nearest - tick), 20) << "two-second tick at " << tick << " ms";
    }
}
