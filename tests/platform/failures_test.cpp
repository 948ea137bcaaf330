#include "platform/failures.h"
#include "platform/formats.h"

#include <gtest/gtest.h>

TEST(StrictNumbers, AcceptOnlyWholeNumbers) {
    EXPECT_EQ(toInt(QStringLiteral("42")), 42);
    EXPECT_EQ(toInt(QStringLiteral("  -7")), -7);
    EXPECT_EQ(toInt(QStringLiteral("+3")), 3);
    for (const char* bad : {"", " ", "4 2", "42 ", "1e3", "12a", "-", "1,000", "99999999999", "0x10"})
        EXPECT_THROW(toInt(QString::fromLatin1(bad)), Failure) << bad;
}

TEST(StrictNumbers, DecimalsUseTheCLocale) {
    EXPECT_DOUBLE_EQ(toDouble(QStringLiteral("10.25")), 10.25);
    EXPECT_DOUBLE_EQ(toDouble(QStringLiteral("-5.01")), -5.01);
    EXPECT_DOUBLE_EQ(toDouble(QStringLiteral(" 3 ")), 3.0);
    for (const char* bad : {"", "-", "1,5", "5%", "abc", "1.2.3", "nan?"})
        EXPECT_THROW(toDouble(QString::fromLatin1(bad)), Failure) << bad;
}

TEST(CheckedAccess, OutOfRangeThrowsInsteadOfReadingPastTheEnd) {
    QStringList list{QStringLiteral("a"), QStringLiteral("b")};
    EXPECT_EQ(at(list, 1), QStringLiteral("b"));
    at(list, 0) = QStringLiteral("z");
    EXPECT_EQ(list[0], QStringLiteral("z"));
    EXPECT_THROW(at(list, 2), Failure);
    EXPECT_THROW(at(list, -1), Failure);
    EXPECT_THROW(at(QStringList(), 0), Failure);
}

TEST(HandlerGuard, SwallowsEveryFailureAndSaysWhetherTheBodyFinished) {
    int steps = 0;
    EXPECT_TRUE(guarded([&] { ++steps; }));
    EXPECT_FALSE(guarded([&] {
        ++steps;
        throw SilentAbort();
    }));
    EXPECT_FALSE(guarded([&] { at(QStringList(), 3); }));
    EXPECT_FALSE(guarded([] { throw 7; }));
    EXPECT_EQ(steps, 2);
}

TEST(Formats, FixedDateAndTimeFormsIgnoreTheLocale) {
    const QDateTime moment(QDate(2026, 3, 5), QTime(9, 5, 7));
    EXPECT_EQ(Formats::shortDate(moment.date()), QStringLiteral("2026-3-5"));
    EXPECT_EQ(Formats::longTime(moment.time()), QStringLiteral("9:05:07"));
    EXPECT_EQ(Formats::dateTime(moment), QStringLiteral("2026-3-5 9:05:07"));
}
