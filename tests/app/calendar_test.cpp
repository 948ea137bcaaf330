#include "app/calendar.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

// 2024-01-07 is a Sunday; the week runs to Saturday 2024-01-13.
TEST(Weekdays, TodayWritesSundayTianAndDatesWriteSundayRi) {
    const QStringList today = {"星期天", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    const QStringList dated = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    for (int i = 0; i < 7; ++i) {
        const QDate date(2024, 1, 7 + i);
        Clock::setForTests(QDateTime(date, QTime(12, 0)));
        EXPECT_EQ(todayweekday(), today[i]) << i;
        EXPECT_EQ(dateweekday(date), dated[i]) << i;
    }
    Clock::clearForTests();
}

TEST(Weekdays, TodayJustAfterMidnightIsTheNewDay) {
    Clock::setForTests(QDateTime(QDate(2024, 1, 6), QTime(23, 59, 59)));
    EXPECT_EQ(todayweekday(), QStringLiteral("星期六"));
    Clock::setForTests(QDateTime(QDate(2024, 1, 7), QTime(0, 0, 0)));
    EXPECT_EQ(todayweekday(), QStringLiteral("星期天"));
    Clock::clearForTests();
}

TEST(FetchWindow, BothBoundsAreInside) {
    EXPECT_FALSE(insideFetchWindow(QTime(9, 9, 59, 999)));
    EXPECT_TRUE(insideFetchWindow(QTime(9, 10, 0)));
    EXPECT_TRUE(insideFetchWindow(QTime(12, 0, 0)));
    EXPECT_TRUE(insideFetchWindow(QTime(15, 5, 0)));
    EXPECT_FALSE(insideFetchWindow(QTime(15, 5, 0, 1)));
}
