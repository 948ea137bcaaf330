#include "rankings/rankrequest.h"

#include <gtest/gtest.h>

TEST(LastTradingDay, WeekendsAndMorningsBeforeTheCutOffAskForThePreviousWeekday) {
    struct Case {
        QDateTime now;
        QString date;
    };
    const QList<Case> cases{
        {QDateTime(QDate(2026, 12, 6), QTime(23, 0)), QStringLiteral("2026-12-04")},     // Sunday
        {QDateTime(QDate(2026, 12, 5), QTime(10, 0)), QStringLiteral("2026-12-04")},     // Saturday
        {QDateTime(QDate(2026, 12, 7), QTime(9, 34, 59)), QStringLiteral("2026-12-04")}, // Monday
        {QDateTime(QDate(2026, 12, 7), QTime(9, 35, 0)), QStringLiteral("2026-12-07")},
        {QDateTime(QDate(2026, 12, 9), QTime(9, 0)), QStringLiteral("2026-12-08")}, // Wednesday
        {QDateTime(QDate(2026, 12, 1), QTime(9, 0)), QStringLiteral("2026-11-30")}, // Tuesday, a month's first
    };
    for (const Case& c : cases) {
        const QString date = Rankings::rankDateText(Rankings::lasttradingday(c.now));
        EXPECT_EQ(date, c.date) << c.now.toString().toStdString();
    }
}

TEST(RankRequest, NineSendsEachEndedByCrLfTheLastOneEmpty) {
    const QList<QByteArray> pieces = Rankings::rankrequest(QStringLiteral("xdc"), QStringLiteral("2026-12-04"),
                                                           QStringLiteral("desc"), QStringLiteral("rank.example"));
    ASSERT_EQ(pieces.size(), 9);
    EXPECT_EQ(pieces.first(), "GET /sort.asp?sortname=xdc&cxrq=2026-12-04&sort=desc HTTP/1.1\r\n");
    EXPECT_EQ(pieces.at(2), "Referer: http://rank.example/sort.asp?sortname=xdc&cxrq=2026-12-04&sort=desc&page=1\r\n");
    for (const QByteArray& piece : pieces)
        EXPECT_EQ(piece.indexOf("\r\n"), piece.size() - 2) << piece.constData();
    EXPECT_EQ(pieces.last(), "\r\n");
}
