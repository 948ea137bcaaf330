#pragma once

#include "fundflow/flowpage.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The period query's share of the fund-flow detail page (`TForm29.getshzjmx`): the daily rows whose dates lie
// in a range, with their medium-order column, and the totals over them. No widgets, no clock: the range and
// today's date are arguments.
namespace PeriodQuery {

// The period lists (`periodrows`): one entry per kept day, newest first, amounts in 万元 as sent.
struct Rows {
    QStringList periodnet;
    QStringList periodxl;
    QStringList periodlarge;
    QStringList periodretail; // small orders
    QStringList periodmedium;
    QStringList perioddates; // year, month and day as the date cell writes them, joined by "-"

    bool operator==(const Rows&) const = default;
};

// A daily row's date cell: the year before "年", the month between "年" and "月", the day between "月" and
// "日" (GBK bytes). Nothing when a separator is missing or the parts are no date of the calendar.
struct RowDate {
    QDate date;
    QString text;
};
std::optional<RowDate> rowDate(QByteArrayView cell);

// The rows of the walked days that lie in [start, end], both ends included. The first daily row holds one
// cell more than the later ones (amounts in cells 10 to 14 against 9 to 13); once it has been passed, in the
// range or not, every later row is read with the later numbers. A row without a readable date, or without
// all its cells, is skipped.
Rows keptRows(const QList<FlowPage::Cells>& days, const QDate& start, const QDate& end);

// The grid's five amount columns in order: net, extra-large, large, medium, small.
inline constexpr int amountColumns = 5;
using Totals = std::array<double, amountColumns>;
// The amounts of kept day `index`, in column order.
std::array<QString, amountColumns> rowAmounts(const Rows& rows, qsizetype index);
// The column totals; an amount that is not a number throws Failure.
Totals totals(const Rows& rows);
// A total in the shortest general decimal form: no separators, a point only when needed ("-74.5", "0").
QString totalText(double total);

// Everything a query shows, read and checked before the window changes anything.
struct Table {
    Rows rows;
    Totals totals{};
};
// Throws Failure when a kept amount is not a number.
Table readTable(QByteArrayView page, const QDate& start, const QDate& end);

// The range the openers set: the last five calendar days up to today.
QDate openerStart(const QDate& today);

} // namespace PeriodQuery
