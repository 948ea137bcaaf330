#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The ranking page (`rankpage`) as the readers take it apart, and the gathering of its reply. Plain functions
// over the reply's GBK bytes, header lines included: nothing is removed before the walk.
namespace Rankings {

// Cells the readers use (numbered from 1 within a row).
inline constexpr int dateCell = 2;   // date of the ranking's last update
inline constexpr int timeCell = 3;   // time of the ranking's last update
inline constexpr int codeCell = 4;   // six-digit stock code
inline constexpr int changeCell = 7; // the day's change in percent
inline constexpr int ddxCell = 8;
inline constexpr int tdcCell = 17; // extra-large-order flow
inline constexpr int ddcCell = 18; // large-order flow
inline constexpr int xdcCell = 20; // small-order flow
inline constexpr int nameCell = 35;

// One ranking row: its number in page order (from 1) and its cells' values, as views into the page, which
// must outlive the row.
struct RankRow {
    int number = 0;
    QList<QByteArrayView> cells;

    bool has(int cell) const { return cell >= 1 && cell <= cells.size(); }
    // Cell `cell`'s value decoded from GBK; empty when the row has no such cell.
    QString text(int cell) const;
};

// The rows of a page. A row starts right after each "this.style.backgroundColor=" and ends at the next
// "</tr>": an "</tr>" with no row open is ignored, and a second marker before the "</tr>" moves the row's
// start after it. Inside a row each "<td" puts the cell start after the character that follows "<td", each
// "</td>" closes a cell with the text from the cell start up to it; a cell's value is the text after the
// text's first ">", or the whole text when it has none. Markers are only matched at character boundaries of
// the GBK text, and a page without a row marker has no rows.
QList<RankRow> rankpage(QByteArrayView page);

// The marker that completes a reply, and the size past which a reply without it is given up.
inline constexpr QByteArrayView replyEnd = "</body>";
inline constexpr qsizetype maxReplyBytes = 16 * 1024 * 1024;

enum class Gathering {
    Waiting,  // no "</body>" yet
    Complete, // "</body>" arrived with the newest piece
    TooLarge, // past maxReplyBytes without "</body>": the reply is dropped as incomplete
};

// Appends a newly arrived piece to the reply gathered so far and says where the reply stands. Only the new
// bytes, and the few before them that an end marker split across two pieces could start in, are searched,
// so gathering a reply takes time in proportion to its size; the result is that of a search of the whole
// buffer for an end marker that ends in the new piece.
Gathering gatherReply(QByteArray& buffer, QByteArrayView piece);

} // namespace Rankings
