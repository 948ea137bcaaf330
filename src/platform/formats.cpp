#include "platform/formats.h"

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

} // namespace Formats
