#include "platform/clock.h"

#include <gtest/gtest.h>

TEST(Clock, FrozenMomentIsWhatEveryReaderSees) {
    Clock::setForTests(QDateTime(QDate(2026, 12, 6), QTime(9, 10, 0)));
    EXPECT_EQ(Clock::today(), QDate(2026, 12, 6));
    EXPECT_EQ(Clock::timeOfDay(), QTime(9, 10, 0));
    EXPECT_EQ(Clock::weekday(), 0); // a Sunday
    Clock::setForTests(QDateTime(QDate(2026, 12, 12), QTime(15, 5, 1)));
    EXPECT_EQ(Clock::weekday(), 6);
    Clock::clearForTests();
    EXPECT_LE(qAbs(Clock::now().secsTo(QDateTime::currentDateTime())), 1);
}
