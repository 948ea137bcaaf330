#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

// The half-hour big-order announcements: which window of the bar page is new, and what is said about it.
// Window k (1 to 8) is item k - 1 of the bar lists: 9:30-10:00 ... 14:30-15:00.
namespace HalfHour {

constexpr int windowCount = 8;

// The check starts at this time of day (there is no later bound).
inline const QTime firstCheck(10, 0, 0);

// The day's totals so far in 万股. Throws Failure at an item that is not a whole number.
struct DayTotals {
    qint64 buys = 0;
    qint64 sells = 0;
    qint64 net() const { return buys - sells; }
};
DayTotals dayTotals(const QStringList& halfbuys, const QStringList& halfsells);
// The totals line; an inflow (red) when the net is above 0, else an outflow (green) with the net in full.
QString totalsText(const DayTotals& totals);

// The announcement of window k: "在 <window> 之间大单净流入" + (buy - sell) + "万股" when the buys are larger,
// else the outflow words with sell - buy (equal figures are an outflow of 0). Throws Failure when an item of
// window k is missing or not a whole number.
struct Announcement {
    QString text;
    bool inflow = false;
};
Announcement announcement(int window, const QStringList& halfbuys, const QStringList& halfsells);

} // namespace HalfHour
