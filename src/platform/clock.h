#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The one source of the current date and time. Nothing else in the program reads the system clock, so a
// test can set the day and the hour with setForTests() and every timer handler sees that moment.
namespace Clock {

QDateTime now();
QDate today();
QTime timeOfDay();
// Day of the week, 0 = Sunday ... 6 = Saturday.
int weekday();

// Freezes the clock at the given local moment until the next call or clearForTests().
void setForTests(const QDateTime& moment);
void clearForTests();

} // namespace Clock
