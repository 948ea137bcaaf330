#include "news/holdinglines.h"

#include "platform/failures.h"
#include "platform/gbk.h"
#include "quotes/quoterecord.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

const QString pagePath = QStringLiteral("/Themes/2009/ccfx/LoadData.aspx");
const QString actField = QStringLiteral("act");
const QString actValue = QStringLiteral("ccx");
const QString codeField = QStringLiteral("stockCode");

constexpr int valuesPerLine = 5;

[[noreturn]] void unreadable(QByteArrayView line) {
    throw Failure(QStringLiteral("unreadable holdings line: %1").arg(QString::fromLatin1(line)));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Digits from `at`, between `least` and `most` of them; moves `at` past them. The value is that of the first
// nine digits: longer runs are only skipped.
std::optional<int> digits(QByteArrayView text, qsizetype& at, int least, int most) {
    int value = 0;
    int count = 0;
    while (at < text.size() && count < most && isDigit(text[at])) {
        if (count < 9)
            value = value * 10 + (text[at] - '0');
        ++at;
        ++count;
    }
    return count >= least ? std::optional<int>(value) : std::nullopt;
}

// The date in the short date form, year-month-day ("2024-1-3", leading zeros allowed).
std::optional<QDate> shortDate(QByteArrayView text) {
    qsizetype at = 0;
    const std::optional<int> year = digits(text, at, 4, 4);
    if (!year || at >= text.size() || text[at++] != '-')
        return std::nullopt;
    const std::optional<int> month = digits(text, at, 1, 2);
    if (!month || at >= text.size() || text[at++] != '-')
        return std::nullopt;
    const std::optional<int> day = digits(text, at, 1, 2);
    if (!day || at != text.size())
        return std::nullopt;
    const QDate date(*year, *month, *day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// A decimal number as the program's strict conversion takes it: blanks around it, an optional sign, digits
// with an optional point, an optional exponent, nothing else.
std::optional<double> decimal(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QByteArrayView number = text.sliced(begin, end - begin);
    qsizetype at = 0;
    const bool negative = at < number.size() && number[at] == '-';
    if (at < number.size() && (number[at] == '-' || number[at] == '+'))
        ++at;
    const qsizetype mantissa = at;
    qsizetype figures = 0;
    for (; at < number.size() && isDigit(number[at]); ++at)
        ++figures;
    if (at < number.size() && number[at] == '.')
        for (++at; at < number.size() && isDigit(number[at]); ++at)
            ++figures;
    if (figures == 0)
        return std::nullopt;
    if (at < number.size() && (number[at] == 'e' || number[at] == 'E')) {
        ++at;
        if (at < number.size() && (number[at] == '-' || number[at] == '+'))
            ++at;
        if (!digits(number, at, 1, 400))
            return std::nullopt;
    }
    if (at != number.size())
        return std::nullopt;
    double value = 0;
    const char* first = number.data() + mantissa;
    const auto [stop, error] = std::from_chars(first, number.data() + number.size(), value);
    if (error != std::errc() || stop != number.data() + number.size())
        return std::nullopt;
    return negative ? -value : value;
}

Holdings::HoldingPoint readLine(QByteArrayView line, qsizetype firstComma) {
    QByteArrayView head = line.first(firstComma);
    if (const qsizetype blank = head.indexOf(' '); blank >= 0)
        head = head.first(blank);
    const std::optional<QDate> date = shortDate(head);
    if (!date)
        unreadable(line);

    std::array<QByteArrayView, valuesPerLine> values;
    qsizetype start = firstComma + 1;
    for (int i = 0; i < valuesPerLine - 1; ++i) {
        const qsizetype comma = line.indexOf(',', start);
        if (comma < 0)
            unreadable(line);
        values[i] = line.sliced(start, comma - start);
        start = comma + 1;
    }
    values[valuesPerLine - 1] = line.sliced(start);
    const std::optional<double> main = decimal(values[0]);
    const std::optional<double> retail = decimal(values[valuesPerLine - 1]);
    if (!main || !retail)
        unreadable(line);
    return {date->day(), *main, *retail};
}

} // namespace

namespace Holdings {

QString holdingsPath(const QString& code) {
    if (!Quotes::isStockCode(code))
        throw Failure(QStringLiteral("not a stock code: %1").arg(code));
    return pagePath + u'?' + QString::fromLatin1(Gbk::formBody({{actField, actValue}, {codeField, code}}));
}

QList<HoldingPoint> readHoldingLines(QByteArrayView page) {
    QList<HoldingPoint> points;
    points.reserve(page.count('\n'));
    qsizetype start = 0;
    for (qsizetype end = page.indexOf('\n'); end >= 0; end = page.indexOf('\n', start)) {
        const QByteArrayView line = page.sliced(start, end - start);
        start = end + 1;
        if (const qsizetype comma = line.indexOf(','); comma >= 0)
            points.append(readLine(line, comma));
    }
    std::reverse(points.begin(), points.end());
    return points;
}

} // namespace Holdings
