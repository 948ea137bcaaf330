#include "platform/formats.h"

#include <QList>

namespace Formats {

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-M-d"));
}
QString longTime(const QTime& time) {
    return time.toString(QStringLiteral("H:mm:ss"));
}
QString dateTime(const QDateTime& moment) {
    return shortDate(moment.date()) + QLatin1Char(' ') + longTime(moment.time());
}

namespace {

// A run of ASCII digits of `minDigits` to `maxDigits` characters as a number, or -1.
int digitsValue(QStringView text, qsizetype minDigits, qsizetype maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<QDate> readShortDate(QStringView text) {
    const QList<QStringView> parts = text.trimmed().split(u'-');
    if (parts.size() != 3)
        return std::nullopt;
    const int year = digitsValue(parts[0], 4, 4);
    const int month = digitsValue(parts[1], 1, 2);
    const int day = digitsValue(parts[2], 1, 2);
    if (year < 0 || month < 0 || day < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace Formats
