#include "rankings/rankpage.h"

#include "platform/gbk.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr QByteArrayView kRowMarker = "this.style.backgroundColor=";
constexpr QByteArrayView kRowEnd = "</tr>";
constexpr QByteArrayView kCellStart = "<td";
constexpr QByteArrayView kCellEnd = "</td>";

bool matchesAt(QByteArrayView text, qsizetype at, QByteArrayView marker) {
    return text.size() - at >= marker.size() && std::memcmp(text.data() + at, marker.data(), marker.size()) == 0;
}

bool mayLead(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value != 0xFF;
}

// Bytes of the character at `at`: a GBK lead byte with a trail byte after it makes two, anything else one
// (so a broken pair never hides an ASCII marker behind it); none at the end.
qsizetype charLength(QByteArrayView text, qsizetype at) {
    if (at >= text.size())
        return 0;
    if (!mayLead(text[at]) || at + 1 >= text.size())
        return 1;
    const auto trail = static_cast<unsigned char>(text[at + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

// Whether a character starts at `at`. A byte that cannot lead a pair always ends a character, and the bytes
// between it and `at` can each lead or trail, so they pair up from its end: `at` starts a character when
// their count is even. ("<" can never be a trail byte, so only the row marker needs the test.)
bool startsCharacter(QByteArrayView text, qsizetype at) {
    qsizetype before = at;
    while (before > 0 && mayLead(text[before - 1]))
        --before;
    return (at - before) % 2 == 0;
}

// The next row marker at or after `from` that starts a character, or -1.
qsizetype nextRowMarker(QByteArrayView page, qsizetype from) {
    for (qsizetype at = page.indexOf(kRowMarker, from); at >= 0; at = page.indexOf(kRowMarker, at + 1)) {
        if (startsCharacter(page, at))
            return at;
    }
    return -1;
}

QByteArrayView cellValue(QByteArrayView cellText) {
    const qsizetype close = cellText.indexOf('>');
    return close < 0 ? cellText : cellText.sliced(close + 1);
}

Rankings::RankRow walkRow(QByteArrayView row, int number) {
    Rankings::RankRow walked;
    walked.number = number;
    walked.cells.reserve(40);
    qsizetype cellStart = 0;
    for (qsizetype i = row.indexOf('<'); i >= 0; i = row.indexOf('<', i)) {
        if (matchesAt(row, i, kCellEnd)) {
            walked.cells.append(cellValue(i > cellStart ? row.sliced(cellStart, i - cellStart) : QByteArrayView()));
            i += kCellEnd.size();
        } else if (matchesAt(row, i, kCellStart)) {
            i += kCellStart.size();
            cellStart = i + charLength(row, i);
        } else {
            ++i;
        }
    }
    return walked;
}

} // namespace

namespace Rankings {

QString RankRow::text(int cell) const {
    if (!has(cell))
        return QString();
    return Gbk::decode(cells[cell - 1].toByteArray());
}

QList<RankRow> rankpage(QByteArrayView page) {
    QList<RankRow> rows;
    qsizetype marker = nextRowMarker(page, 0);
    qsizetype rowEnd = -1;
    while (marker >= 0) {
        const qsizetype rowStart = marker + kRowMarker.size();
        if (rowEnd < rowStart)
            rowEnd = page.indexOf(kRowEnd, rowStart);
        if (rowEnd < 0)
            break;
        // A second marker before the row's end moves its start; "</tr>"s between a row's end and the next
        // marker have no row open and are passed over.
        marker = nextRowMarker(page, rowStart);
        if (marker >= 0 && marker < rowEnd)
            continue;
        rows.append(walkRow(page.sliced(rowStart, rowEnd - rowStart), static_cast<int>(rows.size()) + 1));
    }
    return rows;
}

Gathering gatherReply(QByteArray& buffer, QByteArrayView piece) {
    const qsizetype searchFrom = std::max<qsizetype>(0, buffer.size() - (replyEnd.size() - 1));
    buffer.append(piece);
    if (buffer.indexOf(replyEnd, searchFrom) >= 0)
        return Gathering::Complete;
    return buffer.size() > maxReplyBytes ? Gathering::TooLarge : Gathering::Waiting;
}

} // namespace Rankings
