#include "app/calendar.h"

#include "platform/clock.h"

namespace {
// Monday ... Saturday; Sunday differs between the two functions.
const QString kWeekdays[] = {QStringLiteral("星期一"), QStringLiteral("星期二"), QStringLiteral("星期三"),
                             QStringLiteral("星期四"), QStringLiteral("星期五"), QStringLiteral("星期六")};
const QString kSundayTian = QStringLiteral("星期天");
const QString kSundayRi = QStringLiteral("星期日");

const QTime kFetchWindowStart(9, 10, 0);
const QTime kFetchWindowEnd(15, 5, 0);
} // namespace

ClockParts clockPartsOf(const QDateTime& moment) {
    const QDate date = moment.date();
    const QTime time = moment.time();
    return {static_cast<quint16>(date.year()), static_cast<quint16>(date.month()),  static_cast<quint16>(date.day()),
            static_cast<quint16>(time.hour()), static_cast<quint16>(time.minute()), static_cast<quint16>(time.second()),
            static_cast<quint16>(time.msec())};
}

QString weekdayNameSundayTian(int dayOfWeek) {
    if (dayOfWeek < 1 || dayOfWeek > 6)
        return kSundayTian;
    return kWeekdays[dayOfWeek - 1];
}

QString todayweekday() {
    return weekdayNameSundayTian(Clock::weekday());
}

QString dateweekday(const QDate& date) {
    const int day = date.dayOfWeek(); // 1 = Monday ... 7 = Sunday
    if (day < 1 || day > 6)
        return kSundayRi;
    return kWeekdays[day - 1];
}

bool insideFetchWindow(const QTime& time) {
    return time >= kFetchWindowStart && time <= kFetchWindowEnd;
}
