// The period query's reading of the fund-flow detail page: dates, the range, the cell numbers and the totals.
#include "flowpages.h"

#include "fundflow/periodquery.h"
#include "platform/failures.h"

#include <gtest/gtest.h>

using namespace PeriodQuery;

namespace {

// Monday 2024-01-08 and the trading days before it, newest first, each with its day of the month as its net.
QList<QStringList> week(const QString& medium = QStringLiteral("0")) {
    QList<QStringList> days;
    const QList<int> dates{8, 5, 4, 3, 2};
    for (int i = 0; i < dates.size(); ++i) {
        const QString n = QString::number(dates[i]);
        days << FlowPages::day(FlowPages::date(2024, 1, dates[i]), i == 0, {n, "1", "2", medium, "4"});
    }
    return days;
}

Table query(const QList<QStringList>& days, const QDate& start, const QDate& end) {
    return readTable(FlowPages::page(FlowPages::summary(), days), start, end);
}

} // namespace

TEST(PeriodQueryDate, YearMonthAndDayBetweenTheGbkSeparators) {
    EXPECT_EQ(rowDate(Gbk::encode(QStringLiteral("2024年01月08日(一)")))->text, "2024-01-08");
    EXPECT_EQ(rowDate(Gbk::encode(QStringLiteral("2024年1月8日")))->date, QDate(2024, 1, 8));
    for (const QString& cell : {QStringLiteral("2024年1月8"), QStringLiteral("2024-1-8"),
                                QStringLiteral("2024年2月30日"), QStringLiteral("日2024年1月8日")})
        EXPECT_FALSE(rowDate(Gbk::encode(cell))) << cell.toStdString();
}

TEST(PeriodQueryRange, KeepsTheDaysInsideBothEndsNewestFirst) {
    const QList<std::tuple<const char*, QDate, QDate, QStringList>> cases{
        {"opened on Monday: Wednesday to Monday",
         openerStart(QDate(2024, 1, 8)),
         QDate(2024, 1, 8),
         {"8", "5", "4", "3"}},
        {"newest day outside: later rows keep their numbers",
         QDate(2024, 1, 2),
         QDate(2024, 1, 5),
         {"5", "4", "3", "2"}},
        {"one day", QDate(2024, 1, 4), QDate(2024, 1, 4), {"4"}},
        {"a Saturday", QDate(2024, 1, 6), QDate(2024, 1, 6), {}},
        {"before the oldest day", QDate(2023, 12, 1), QDate(2023, 12, 31), {}},
    };
    for (const auto& [name, start, end, nets] : cases)
        EXPECT_EQ(query(week(), start, end).rows.periodnet, nets) << name;

    // A row without a date, and a row without all its cells, are skipped; the lists stay parallel.
    QList<QStringList> days = week();
    days[1][0] = QStringLiteral("合计");
    days[2] = days[2].mid(0, 12);
    const Rows rows = query(days, QDate(2024, 1, 1), QDate(2024, 1, 31)).rows;
    EXPECT_EQ(rows.periodnet, (QStringList{"8", "3", "2"}));
    EXPECT_EQ(rows.perioddates, (QStringList{"2024-1-8", "2024-1-3", "2024-1-2"}));
    EXPECT_EQ(rows.periodmedium.size(), 3);
}

TEST(PeriodQueryTotals, WrittenInTheShortestFormAndCheckedBeforeAnythingIsShown) {
    QList<QStringList> days = week(QStringLiteral("0.1"));
    days[0][9] = QStringLiteral("-120");
    days[1][8] = QStringLiteral("45.5");
    const Table table = query(days, QDate(2024, 1, 5), QDate(2024, 1, 8));
    EXPECT_EQ(totalText(table.totals[0]), "-74.5");
    EXPECT_EQ(totalText(table.totals[3]), "0.2");
    EXPECT_EQ(totalText(table.totals[4]), "8");
    EXPECT_EQ(totalText(query(days, QDate(2024, 1, 6), QDate(2024, 1, 7)).totals[0]), "0");
    EXPECT_EQ(totalText(1234567), "1234567");

    days[1][12] = QStringLiteral("1,000");
    EXPECT_THROW(query(days, QDate(2024, 1, 5), QDate(2024, 1, 8)), Failure);
    EXPECT_NO_THROW(query(days, QDate(2024, 1, 8), QDate(2024, 1, 8))); // the spoiled day is outside the range
    EXPECT_THROW(readTable("<html>busy</html>", QDate(2024, 1, 1), QDate(2024, 1, 8)), Failure);
}
