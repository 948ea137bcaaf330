#include "rankings/rankboard.h"

#include "app/colours.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/gbk.h"

namespace {

const QString kStampPrefix = QStringLiteral("更新于:");
const QString kNoChange = QStringLiteral("0.00");
const QString kNotPolled = QStringLiteral("-");

std::optional<double> number(const QString& text) {
    try {
        return toDouble(text);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// The stock of a row that reaches its name cell; nothing for a shorter row.
std::optional<Rankings::BoardStock> stockOf(const Rankings::RankRow& row) {
    if (!row.has(Rankings::nameCell))
        return std::nullopt;
    return Rankings::BoardStock{row.number, row.text(Rankings::codeCell), row.text(Rankings::nameCell),
                                row.text(Rankings::changeCell)};
}

QList<Rankings::BoardStock> firstBelow(const QList<Rankings::RankRow>& rows, const QString& threshold) {
    QList<Rankings::BoardStock> box;
    for (const Rankings::RankRow& row : rows) {
        if (box.size() == Rankings::boxSize)
            break;
        const std::optional<Rankings::BoardStock> stock = stockOf(row);
        if (stock && Rankings::belowThreshold(stock->change, threshold))
            box << *stock;
    }
    return box;
}

} // namespace

namespace Rankings {

QString fillBytes(const QString& text, int bytes) {
    const int missing = bytes - Gbk::byteLength(text);
    return missing > 0 ? text + QString(missing, QLatin1Char(' ')) : text;
}

bool belowThreshold(const QString& change, const QString& threshold) {
    const std::optional<double> value = number(change);
    const std::optional<double> limit = number(threshold);
    return value && limit && *value < *limit;
}

QString BoardStock::key() const {
    return code + fillBytes(name, nameBytes);
}

QString BoardStock::caption() const {
    return key() + fillBytes(change, changeBytes);
}

QColor BoardStock::colour() const {
    if (change == kNoChange)
        return Colours::black;
    return change.contains(QLatin1Char('-')) ? Colours::green : Colours::red;
}

TdcBoard readTdcPage(const QList<RankRow>& rows, const QString& threshold) {
    TdcBoard board;
    for (const RankRow& row : rows) {
        if (row.number > boxSize)
            break;
        if (row.has(dateCell))
            board.stamp = kStampPrefix + row.text(dateCell);
        if (row.has(timeCell))
            *board.stamp += QLatin1Char(' ') + row.text(timeCell);
        if (const std::optional<BoardStock> stock = stockOf(row))
            board.top << *stock;
    }
    board.low = firstBelow(rows, threshold);
    return board;
}

QList<BoardStock> readDdxPage(const QList<RankRow>& rows, const QString& threshold) {
    return firstBelow(rows, threshold);
}

bool joinsTracker(const QStringList& trackitems, const QString& key, const QTime& time, int trackrows) {
    return !trackitems.contains(key) && time >= trackFrom && trackrows < trackLimit;
}

QStringList trackerRow(const BoardStock& stock, const QTime& time) {
    return {stock.key(),
            Formats::longTime(time),
            fillBytes(stock.change, changeBytes),
            QString(),
            kNotPolled,
            QString(),
            kNotPolled,
            kNotPolled};
}

} // namespace Rankings
