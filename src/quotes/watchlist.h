#pragma once

#include "platform/gbk.h"

#include <QList>
#include <QString>
#include <QStringList>

struct UnitState;

// The watch list with its per-stock alert settings, as the settings window edits it and the back-end mirrors
// it: plain rules over values, no widgets, no database, no network.
namespace WatchList {

// One watched stock: entry i of each of the nine watch lists of the main window's unit.
struct Stock {
    QString code;        // watchcodes: six digits
    QString name;        // watchnames: as the quote service gave it
    QString openclose;   // watchopenclose: "1" open, midday and close broadcast on
    QString flags;       // watchflags: four "1"/"0", see Flag
    QString pct;         // watchpct: change threshold, percent
    QString dealdigits;  // watchdealdigits: big-trade threshold, digits of the volume
    QString orderdigits; // watchorderdigits: large-order threshold, digits of the volume
    QString interval;    // watchinterval: minutes between periodic SMS broadcasts
    QString periodic;    // watchperiodic: "1" periodic SMS broadcast on

    bool operator==(const Stock&) const = default;
};

inline const QString switchOn = QStringLiteral("1");
inline const QString switchOff = QStringLiteral("0");
inline QString switchText(bool on) {
    return on ? switchOn : switchOff;
}

// A newly added stock: open/midday/close broadcast on, every alert off, change 5%, both volume thresholds
// four digits, periodic broadcast every 10 minutes but off.
Stock newStock(const QString& code, const QString& name);

// Positions (from 1) of the alert switches in the four-character flag string.
enum Flag { LimitFlag = 1, DealFlag = 2, OrderFlag = 3, ChangeFlag = 4 };
inline constexpr int flagCount = 4;
bool flagOn(const QString& flags, Flag flag);
// The flag string with one switch set; the other three stay. A stored string shorter than four characters
// is filled with "0" first, so every edit yields four characters.
QString withFlag(const QString& flags, Flag flag, bool on);

// The nine lists of the unit as stocks. Lists of different lengths throw Failure: entry i would not describe
// one stock.
QList<Stock> stocks(const UnitState& state);
// Replaces the nine lists; the alert state lists are left alone.
void setStocks(UnitState& state, const QList<Stock>& stocks);
void appendStock(UnitState& state, const Stock& stock);
// Removes position `row` from the nine lists; a row outside them throws Failure.
void removeStock(UnitState& state, int row);
// Arms every alert again for `count` stocks: no limit alert fired, every cooldown idle ("-1").
void resetAlertState(UnitState& state, qsizetype count);

// The settings window's list line of a stock: the name without padding blanks, then the code in brackets.
QString listLine(const QString& name, const QString& code);
// Whether a code is already listed: any line holding it anywhere counts.
bool listed(const QStringList& lines, const QString& code);

// Shown in place of the phone number while none is stored; never sent.
inline const QString placeholderPhone = QStringLiteral("13900000000");
// Eleven ASCII digits.
bool isPhoneNumber(const QString& text);

// One back-end request of the synchronisation: the page and its form fields in the page's order.
struct Post {
    QString path;
    Gbk::FormFields fields;

    bool operator==(const Post&) const = default;
};

// The requests that mirror the settings to the back-end for `phone`. SMS off: only the switch page. SMS on:
// the switch page, then for each of the three groups its clear page followed by the group's stocks (the
// open/midday/close broadcasts of the stocks that have it on, every stock's alert switches, the periodic
// broadcasts of the stocks that have it on).
QList<Post> syncPosts(const QList<Stock>& stocks, const QString& phone, bool smsalerts);

} // namespace WatchList
