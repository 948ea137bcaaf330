#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The strong-stock tracker's rules: when the poll runs, how a polled change reads and compares, when a stock
// rallies, where the cursor and the selection go, how a cell is coloured, and what the opener tells the user.
// Plain functions; the weekday and the time of day are arguments.
namespace Tracking {

inline constexpr int failuresBeforeRest = 20; // failed polls that start a rest
inline constexpr int restTicks = 30;          // one-second ticks of a rest
inline const QTime pollUntil(15, 1, 0);       // the last moment of the day that polls

// The poll runs on weekdays ("星期六" and "星期天" are the weekend) up to 15:01:00, that moment included.
bool pollsAt(const QString& weekdayName, const QTime& time);

// A change text in hundredths of a percentage point: "1.23%", "1.23", "-0.50%", "0", blanks around allowed.
// Whole hundredths keep the margin test exact (2.74 - 1.14 is 1.60, not a hair more). Nothing for a text that
// is not a number ("", "-", "--").
std::optional<int> hundredths(const QString& change);

// The rally margins of the choice box ("0.1", then "0.5" to "2.5" by 0.1) and the one chosen at load.
QStringList marginItems();
inline const QString defaultMargin = QStringLiteral("1.6");

// What one poll does to a row: the current change it shows (as the quote service sent it), the arrow against
// the earlier poll, and whether the stock rallies (its change lies more than the margin above its start).
struct RowPoll {
    QString change;
    std::optional<QString> direction; // "↑", "↓" or "-"; nothing on the row's first poll
    bool rallies = false;
};
// Polls a row whose start change is `start` and whose change column holds `shown` ("-" before its first
// poll) with the new change `polled`. Nothing when `polled` is not a number: the poll failed.
std::optional<RowPoll> pollRow(const QString& start, const QString& shown, const QString& polled,
                               const QString& margin);

// The row polled before `row` (1-based): the one above it, or the last tracked row for row 1.
int rowBefore(int row, int trackedRows);
// Where the selection goes after a poll: one row down, back to row 1 from the last tracked row or beyond.
int nextSelection(int selected, int trackedRows);

// How a tracking-grid cell is drawn; nothing for the cells that keep the grid's own colours (the heading row
// and the unselected empty row below the stocks).
struct CellLook {
    QColor background;
    QColor text;
};
inline const QColor ralliedBackground(255, 0, 0);
inline const QColor waitingBackground(245, 240, 255);
inline const QColor selectedBackground(166, 202, 240);
inline const QColor selectedText(0, 0, 128);
std::optional<CellLook> cellLook(int row, int trackedRows, bool rallied, bool selected, const QColor& text);

// The notice and the status texts of a rally.
QString noticeText(const QString& trackitem);
QString noticeTime(const QTime& time);
QString ralliedCount(int count);

// What the opener shows at `time` with `trackedRows` stocks: the notices in order, and whether the window
// opens after them.
struct Opening {
    QStringList notices;
    bool opens = false;
};
Opening opening(const QString& weekdayName, const QTime& time, int trackedRows);

} // namespace Tracking
