#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QtGlobal>

// The trading calendar's small helpers: clock parts and weekday names.

// One moment split into its parts: year, month, day, hour, minute, second, millisecond.
struct ClockParts {
    quint16 year = 0;
    quint16 month = 0;
    quint16 day = 0;
    quint16 hour = 0;
    quint16 minute = 0;
    quint16 second = 0;
    quint16 millisecond = 0;

    bool operator==(const ClockParts&) const = default;
};

ClockParts clockPartsOf(const QDateTime& moment);

// Today's weekday name from the clock, Sunday written "星期天".
QString todayweekday();
// The weekday name of a date, Sunday written "星期日". Callers compare with the form of the function they call.
QString dateweekday(const QDate& date);
// The names behind todayweekday, for a day of the week 0 = Sunday ... 6 = Saturday.
QString weekdayNameSundayTian(int dayOfWeek);

// The quote fetch window, 9:10:00 to 15:05:00, both bounds inside.
bool insideFetchWindow(const QTime& time);
