#include "fundflow/periodquery.h"

#include "platform/failures.h"

#include <charconv>

namespace {

using FlowPage::Cells;

// "年", "月" and "日" in GBK.
constexpr QByteArrayView kYearMark("\xC4\xEA");
constexpr QByteArrayView kMonthMark("\xD4\xC2");
constexpr QByteArrayView kDayMark("\xC8\xD5");

constexpr QChar kDateJoin = u'-';

// Cells of the amounts, in the lists' order: net, extra-large, large, medium, small.
constexpr std::array<int, PeriodQuery::amountColumns> kFirstRowCells{10, 11, 12, 13, 14};
constexpr std::array<int, PeriodQuery::amountColumns> kLaterRowCells{9, 10, 11, 12, 13};

constexpr int kOpenerDays = 5;
// Longest amount read on the quick road; longer ones take the general conversion.
constexpr qsizetype kPlainAmountLength = 40;
// Totals are written with as many significant digits as a double holds reliably, as the general float format does.
constexpr int kTotalDigits = 15;

// A date part: one to four ASCII digits, nothing else.
std::optional<int> datePart(QByteArrayView text) {
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// An amount as a floating-point number. The page writes plain decimals, which are read here without the
// general conversion's pattern match; any other form goes through toDouble, which takes what the C locale
// takes and throws Failure for the rest.
double amountValue(const QString& text) {
    const qsizetype size = text.size();
    qsizetype i = size > 0 && text[0] == u'-' ? 1 : 0;
    const qsizetype digitsStart = i;
    while (i < size && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    const bool integerDigits = i > digitsStart;
    if (i < size && text[i] == u'.') {
        ++i;
        const qsizetype fractionStart = i;
        while (i < size && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        if (i == fractionStart)
            return toDouble(text);
    }
    if (i != size || !integerDigits || size > kPlainAmountLength)
        return toDouble(text);
    char plain[kPlainAmountLength];
    for (qsizetype k = 0; k < size; ++k)
        plain[k] = static_cast<char>(text[k].unicode());
    double value = 0;
    std::from_chars(plain, plain + size, value);
    return value;
}

} // namespace

namespace PeriodQuery {

std::optional<RowDate> rowDate(QByteArrayView cell) {
    const qsizetype yearEnd = cell.indexOf(kYearMark);
    if (yearEnd < 0)
        return std::nullopt;
    const qsizetype monthStart = yearEnd + kYearMark.size();
    const qsizetype monthEnd = cell.indexOf(kMonthMark, monthStart);
    if (monthEnd < 0)
        return std::nullopt;
    const qsizetype dayStart = monthEnd + kMonthMark.size();
    const qsizetype dayEnd = cell.indexOf(kDayMark, dayStart);
    if (dayEnd < 0)
        return std::nullopt;
    const QByteArrayView year = cell.first(yearEnd);
    const QByteArrayView month = cell.sliced(monthStart, monthEnd - monthStart);
    const QByteArrayView day = cell.sliced(dayStart, dayEnd - dayStart);
    const std::optional<int> y = datePart(year);
    const std::optional<int> m = datePart(month);
    const std::optional<int> d = datePart(day);
    if (!y || !m || !d)
        return std::nullopt;
    const QDate date(*y, *m, *d);
    if (!date.isValid())
        return std::nullopt;
    // The parts are plain digits, checked above.
    QString text;
    text.reserve(year.size() + month.size() + day.size() + 2);
    text.append(QLatin1String(year)).append(kDateJoin).append(QLatin1String(month)).append(kDateJoin);
    text.append(QLatin1String(day));
    return RowDate{date, text};
}

Rows keptRows(const QList<Cells>& days, const QDate& start, const QDate& end) {
    Rows rows;
    QStringList* const lists[amountColumns] = {&rows.periodnet, &rows.periodxl, &rows.periodlarge, &rows.periodmedium,
                                               &rows.periodretail};
    for (qsizetype row = 0; row < days.size(); ++row) {
        const Cells& cells = days[row];
        const auto& numbers = row == 0 ? kFirstRowCells : kLaterRowCells;
        if (cells.isEmpty() || cells.size() < numbers.back())
            continue;
        const std::optional<RowDate> date = rowDate(cells.first());
        if (!date || date->date < start || date->date > end)
            continue;
        for (int column = 0; column < amountColumns; ++column)
            lists[column]->append(FlowPage::decodeCell(cells[numbers[column] - 1]));
        rows.perioddates.append(date->text);
    }
    return rows;
}

std::array<QString, amountColumns> rowAmounts(const Rows& rows, qsizetype index) {
    return {at(rows.periodnet, index), at(rows.periodxl, index), at(rows.periodlarge, index),
            at(rows.periodmedium, index), at(rows.periodretail, index)};
}

Totals totals(const Rows& rows) {
    Totals sums{};
    for (qsizetype day = 0; day < rows.periodnet.size(); ++day) {
        const std::array<QString, amountColumns> amounts = rowAmounts(rows, day);
        for (int column = 0; column < amountColumns; ++column)
            sums[column] += amountValue(amounts[column]);
    }
    return sums;
}

QString totalText(double total) {
    // A sum that cancels out exactly must not read "-0".
    return QString::number(total == 0 ? 0.0 : total, 'g', kTotalDigits);
}

Table readTable(QByteArrayView page, const QDate& start, const QDate& end) {
    const FlowPage::Walk walked = FlowPage::walk(page);
    // An error page, not a stock's page: the query fails rather than showing an empty range.
    if (!walked.summary)
        throw Failure(QStringLiteral("the fund-flow page has no summary row"));
    Table table;
    table.rows = keptRows(walked.days, start, end);
    table.totals = totals(table.rows);
    return table;
}

QDate openerStart(const QDate& today) {
    return today.addDays(-kOpenerDays);
}

} // namespace PeriodQuery
