#pragma once

#include "rankings/rankpage.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The live ranking board's rules: which rows of a ranking page fill which box, the labels' captions and
// colours, and the hand-over of box 3's stocks to the strong-stock tracker. Plain functions; the time of day
// is an argument.
namespace Rankings {

inline constexpr int boxSize = 12;     // labels per box
inline constexpr int trackLimit = 99;  // stocks the tracker takes in a run
inline constexpr int trackColumns = 8; // columns of the tracking grid, and colour flags per tracked row
inline const QTime trackFrom(9, 36, 0);

// The GBK byte counts the captions line up on.
inline constexpr int nameBytes = 8;
inline constexpr int changeBytes = 5;

// The text filled out on the right with blanks to `bytes` bytes of GBK; a longer text stays whole.
QString fillBytes(const QString& text, int bytes);

// Whether a change is below the threshold, both read as decimal numbers (blanks around the change ignored);
// equal is not below. A change that is not a number (a suspended stock's "--") is not below, nor is anything
// when the threshold is not a number.
bool belowThreshold(const QString& change, const QString& threshold);

// A stock placed on the board: the row it came from and its cells as sent.
struct BoardStock {
    int row = 0;
    QString code;   // cell 4
    QString name;   // cell 35
    QString change; // cell 7

    // Code and name filled out to 8 bytes: the caption's head, and the stock's key in the tracker.
    QString key() const;
    // Key and change filled out to 5 bytes.
    QString caption() const;
    // Black for exactly "0.00", green for a change holding "-", red otherwise.
    QColor colour() const;
};

// What a tdc page puts on the board.
struct TdcBoard {
    // "更新于:" with the date and time of the last of rows 1 to 12 that has them; nothing when none has.
    std::optional<QString> stamp;
    QList<BoardStock> top; // box 1: rows 1 to 12 that reach cell 35; label index = row - 1
    QList<BoardStock> low; // box 2: the first 12 rows whose change is below the threshold, in order
};
TdcBoard readTdcPage(const QList<RankRow>& rows, const QString& threshold);

// Box 3 from a ddx page: the first 12 rows whose change is below the threshold, in order.
QList<BoardStock> readDdxPage(const QList<RankRow>& rows, const QString& threshold);

// Whether a box-3 stock joins the tracker now: not yet tracked, 9:36:00 or later, fewer than 99 tracked.
bool joinsTracker(const QStringList& trackitems, const QString& key, const QTime& time, int trackrows);
// The tracking grid's row for a stock that joins at `time`: key, time, change filled out to 5 bytes, and
// the poll's columns empty or "-".
QStringList trackerRow(const BoardStock& stock, const QTime& time);

} // namespace Rankings
