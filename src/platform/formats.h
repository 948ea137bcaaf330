#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// The fixed date and time forms that stand in for the system's regional settings. Readers that compare
// dates rely on them, so they never follow the user's locale.
namespace Formats {

// Short date: year-month-day without leading zeros ("2026-3-5").
QString shortDate(const QDate& date);
// Long time: hour without a leading zero, minutes and seconds with ("9:05:00").
QString longTime(const QTime& time);
// Date and time joined by one blank.
QString dateTime(const QDateTime& moment);

// Reads a date written in the short date form: a four-digit year, a month and a day, joined by "-", leading
// zeros allowed ("2026-3-5", "2026-03-05"), blanks around it ignored. Nothing for any other text or a day
// the calendar does not have.
std::optional<QDate> readShortDate(QStringView text);

} // namespace Formats
