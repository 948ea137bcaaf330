#pragma once

#include "quotes/quoterecord.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The watch-list monitor's rules: which branch a pass takes, what each price broadcast shows, which alert a
// stock's quote raises and with what texts, and how the alerts are armed again. Plain functions of the quote,
// the stock's settings, its alert state and the time; no widgets, no network, no clock reads.
namespace Alerts {

// ----- The pass -----

// Trading sessions of the alert checks, both bounds outside: after 9:30:00 and before 11:30:00, after
// 13:00:00 and before 15:00:00.
bool insideSession(const QTime& time);
// Saturday and Sunday by `todayweekday`'s names; the monitor fetches nothing then.
bool isWeekend(const QString& weekdayName);

enum class Branch { OpeningBroadcast, MiddayBroadcast, ClosingBroadcast, AlertChecks };

// The three broadcasts already given this run.
struct BroadcastsDone {
    bool opening = false;
    bool midday = false;
    bool closing = false;
};

// The pass's branch by the hour and minute: 9:28-9:30 the opening broadcast, 11:33-11:44 the midday one,
// 15:03-15:09 the closing one, each only while not yet given; any other moment the alert checks.
Branch branchAt(int hour, int minute, const BroadcastsDone& done);

// ----- Broadcasts -----

struct Broadcast {
    QString title;        // the window's title line
    QString priceHeading; // heading of the price column
    int priceField;       // quote record field of the price column
};
// What a broadcast branch shows; `time` is the moment in the long time form.
Broadcast broadcastOf(Branch branch, const QString& time);
// The grid's heading row for a broadcast.
QStringList broadcastHeadings(const Broadcast& broadcast);
// One grid row per fetched stock, numbered from 1: number, name(code), price, change with its arrow, volume.
QList<QStringList> broadcastRows(const Quotes::QuoteLists& quotes, int priceField);

// ----- Alert checks -----

// A fetched stock's quote, from entry i of the quote lists; a field the record lacked is empty.
struct QuoteEntry {
    QString code;          // f2
    QString name;          // f3
    QString price;         // f4
    QString changePercent; // f5, ends in "%" (or "0.0")
    QString change;        // f6
    QString bidVolume;     // f8
    QString askVolume;     // f10
    QString volume;        // f11
    QString lastSide;      // f17, holds "-" for a sell
    QString lastVolume;    // f18
};
QuoteEntry quoteEntryAt(const Quotes::QuoteLists& quotes, qsizetype index);

// A watched stock's alert settings, as the watch lists hold them.
struct StockSettings {
    QString flags;       // four "1"/"0": limit, big trade, large order, change
    QString pct;         // change threshold, percent
    QString dealDigits;  // big-trade threshold, digits of the last trade's volume
    QString orderDigits; // large-order threshold, digits of the volume at the best bid or ask
};

// A watched stock's alert state, as the alert-state lists hold it.
struct StockState {
    QString limitfired;    // "1" once the limit alert has fired
    QString dealcooldown;  // "-1" armed, else seconds since the big-trade alert fired
    QString ordercooldown; // the same for the large-order alert
    QString pctcooldown;   // the same for the change alert

    bool operator==(const StockState&) const = default;
};

// The four alert windows.
enum class AlertWindow { Limit, BigTrade, LargeOrder, Change };

// One alert to show: the window, its headline, its detail line and whether it tells of a fall (the fall
// picture and a green detail line; else the rise picture and red).
struct Alert {
    AlertWindow window;
    QString headline;
    QString detail;
    bool fall = false;
};

// The checks of one stock in their order: limit, big trade, large order, change. `time` is the moment in
// the long time form, `inSession` whether the pass began inside a trading session.
struct StockCheck {
    QList<Alert> alerts; // in the order they are shown; a later alert of one window replaces the earlier
    StockState state;    // the stock's alert state after the checks
};
// No value when a field that an armed check needs is empty or does not convert (a suspended stock's "-", a
// short record, a threshold that is not a number): the stock is skipped and its state stays as it was.
std::optional<StockCheck> checkStock(const QuoteEntry& quote, const StockSettings& settings, const StockState& state,
                                     bool inSession, const QString& time);

// The single checks, for checkStock and its tests. Each changes `state` when its alert fires and throws
// Failure on a needed field that is empty or not a number.
std::optional<Alert> limitCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                bool inSession);
std::optional<Alert> bigTradeCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                   bool inSession, const QString& time);
// Both sides are tested; when the bid and the ask both qualify, the ask's alert is the one returned.
std::optional<Alert> largeOrderCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                     bool inSession, const QString& time);
std::optional<Alert> changeCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                 bool inSession);

// ----- Placement -----

// Where an alert window's frame goes: its right edge at the screen's right edge, its bottom at the height of
// the work area (the screen less the panels). The work area's own offsets are not used, so a panel at the top
// of the screen moves the windows no lower.
QPoint popupCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame);

// ----- Re-arm -----

// Seconds after which a fired big-trade, large-order or change alert is armed again.
inline constexpr int cooldownSeconds = 300;
// One second of the cooldowns: every count goes up by one and becomes armed ("-1") once it passes 300.
// An entry that is not a count is taken as armed, so the re-arm tick can never stop on bad data.
void countCooldowns(QStringList& cooldowns);
// Whether any entry is counting (is not armed): the re-arm tick has something to do.
bool cooldownsCounting(const QStringList& cooldowns);

} // namespace Alerts
