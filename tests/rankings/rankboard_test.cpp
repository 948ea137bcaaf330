#include "rankings/rankboard.h"

#include "rankpages.h"

#include <gtest/gtest.h>

using namespace Rankings;

TEST(RankBoard, BelowTheThresholdIsStrictlyBelowAndANonNumberNever) {
    for (const char* change : {"1.99", "-3.10", "0.00", "1.5  "})
        EXPECT_TRUE(belowThreshold(QString::fromLatin1(change), QStringLiteral("2"))) << change;
    for (const char* change : {"2.00", "--", ""})
        EXPECT_FALSE(belowThreshold(QString::fromLatin1(change), QStringLiteral("2"))) << change;
    EXPECT_FALSE(belowThreshold(QStringLiteral("1.00"), QString()));
}

TEST(RankBoard, ARowWithoutItsNameCellTakesARowNumberButNoLabel) {
    const QByteArray page =
        rankRow("600001", QStringLiteral("短行"), "0.50", 34) + rankRow("600002", QStringLiteral("ST长名称股"), "1.00");
    const TdcBoard board = readTdcPage(rankpage(page), QStringLiteral("2"));
    ASSERT_EQ(board.top.size(), 1);
    EXPECT_EQ(board.top.at(0).row, 2);
    EXPECT_EQ(board.top.at(0).caption(), QStringLiteral("600002ST长名称股1.00 ")); // ten bytes stay whole
    EXPECT_EQ(board.low.size(), 1);
    EXPECT_EQ(board.stamp, QStringLiteral("更新于:2026-12-07 10:02:00"));
    EXPECT_EQ(readTdcPage({}, QStringLiteral("2")).stamp, std::nullopt);
}

TEST(RankBoard, BoxTwoGoesOnPastTheTwelfthRowUntilItHoldsTwelve) {
    // Rows 1 to 12 rise too much for box 2; rows 13 to 26 qualify, and the first twelve of them fill it.
    QByteArray page;
    for (int row = 1; row <= 26; ++row)
        page += rankRow(QString::number(600000 + row), QStringLiteral("股票"), row <= 12 ? "5.00" : "1.00");
    const TdcBoard board = readTdcPage(rankpage(page), QStringLiteral("2"));
    ASSERT_EQ(board.top.size(), 12);
    EXPECT_EQ(board.top.last().code, QStringLiteral("600012"));
    ASSERT_EQ(board.low.size(), 12);
    EXPECT_EQ(board.low.first().code, QStringLiteral("600013"));
    EXPECT_EQ(board.low.last().code, QStringLiteral("600024"));
    EXPECT_EQ(readDdxPage(rankpage(page), QStringLiteral("2")).first().code, QStringLiteral("600013"));
}

TEST(RankBoard, TrackerTakesEachStockOnceFrom936AndNinetyNineInAll) {
    const QString key = QStringLiteral("600000浦发银行");
    EXPECT_FALSE(joinsTracker({}, key, QTime(9, 35, 59), 0));
    EXPECT_TRUE(joinsTracker({}, key, QTime(9, 36, 0), 0));
    EXPECT_FALSE(joinsTracker({key}, key, QTime(10, 0), 1));
    EXPECT_TRUE(joinsTracker({}, key, QTime(10, 0), 98));
    EXPECT_FALSE(joinsTracker({}, key, QTime(10, 0), 99));
}
