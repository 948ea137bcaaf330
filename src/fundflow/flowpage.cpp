#include "fundflow/flowpage.h"

#include "platform/failures.h"
#include "platform/gbk.h"
#include "quotes/quoterecord.h"

#include <algorithm>

namespace {

const QString kPagePrefix = QStringLiteral("/gpdm.asp?gpdm=");

constexpr QByteArrayView kHeadEnd("</thead>");
constexpr QByteArrayView kRowEnd("</tr>");
// The daily rows' opening tags carry "this.style.backgroundColor=" in their mouse-over attributes; the walk
// looks for it without the leading "t".
constexpr QByteArrayView kDayStart("his.style.backgroundColor=");
constexpr QByteArrayView kTableEnd("</table>");
constexpr QByteArrayView kCellStart("<td");
constexpr QByteArrayView kCellEnd("/td>");

// Cells of a row, allocated at once: a daily row holds 14, and the summary row a few dozen.
constexpr qsizetype kUsualCells = 16;

// Whether `marker` stands in `text` at `at`, whose first byte the caller has already matched. The markers are
// a few bytes long and most candidates fail at their second byte, so a plain loop beats a library compare.
bool markerAt(QByteArrayView text, qsizetype at, QByteArrayView marker) {
    if (text.size() - at < marker.size())
        return false;
    const char* const bytes = text.data() + at;
    for (qsizetype k = 1; k < marker.size(); ++k) {
        if (bytes[k] != marker[k])
            return false;
    }
    return true;
}

// The value of one cell's text (see rowCells), or nothing when the text has no "<".
std::optional<QByteArrayView> cellValue(QByteArrayView text) {
    const qsizetype firstOpen = text.indexOf('<');
    if (firstOpen < 0)
        return std::nullopt;
    qsizetype lastClose = firstOpen - 1;
    while (lastClose >= 0 && text[lastClose] != '>')
        --lastClose;
    return text.sliced(lastClose + 1, firstOpen - lastClose - 1);
}

} // namespace

namespace FlowPage {

QString pagePath(const QString& code) {
    if (!Quotes::isStockCode(code))
        throw Failure(QStringLiteral("not a six-digit stock code"));
    return kPagePrefix + code;
}

// Both walks look at every byte once and compare a marker only where its first byte stands. None of the
// markers can begin inside another one (or inside itself), so the order of the tests at one byte does not
// matter and a walk may step over a marker it has taken.
Cells rowCells(QByteArrayView row) {
    Cells cells;
    cells.reserve(kUsualCells);
    qsizetype start = -1; // where the text of the open cell starts; -1 when no cell is open
    const char* const bytes = row.data();
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (bytes[i] == '<' && markerAt(row, i, kCellStart)) {
            start = i + kCellStart.size();
            i = start - 1;
        } else if (bytes[i] == '/' && markerAt(row, i, kCellEnd)) {
            if (start >= 0) {
                if (const std::optional<QByteArrayView> value = cellValue(row.sliced(start, i - start)))
                    cells.append(*value);
            }
            start = -1;
            i += kCellEnd.size() - 1;
        }
    }
    return cells;
}

Walk walk(QByteArrayView page) {
    Walk result;
    const qsizetype head = page.indexOf(kHeadEnd);
    if (head < 0)
        return result;
    const qsizetype summaryStart = head + kHeadEnd.size();
    const qsizetype summaryEnd = page.indexOf(kRowEnd, summaryStart);
    if (summaryEnd < 0)
        return result;
    result.summary = rowCells(page.sliced(summaryStart, summaryEnd - summaryStart));

    // Until the first row marker neither "</tr>" nor "</table>" counts.
    const qsizetype first = page.indexOf(kDayStart, summaryEnd + kRowEnd.size());
    if (first < 0)
        return result;
    qsizetype rowStart = first + kDayStart.size();
    bool rowOpen = true;
    const char* const bytes = page.data();
    for (qsizetype p = rowStart; p < page.size(); ++p) {
        if (bytes[p] == 'h' && markerAt(page, p, kDayStart)) {
            rowStart = p + kDayStart.size();
            rowOpen = true;
            p = rowStart - 1;
        } else if (bytes[p] == '<') {
            if (markerAt(page, p, kTableEnd))
                break;
            if (!markerAt(page, p, kRowEnd))
                continue;
            if (rowOpen)
                result.days.append(rowCells(page.sliced(rowStart, p - rowStart)));
            rowOpen = false;
            p += kRowEnd.size() - 1;
        }
    }
    return result;
}

QString decodeCell(QByteArrayView bytes) {
    // Amounts and dates are plain ASCII; only names need the converter, which is slow to set up per cell.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uchar>(c) < 0x80; });
    return ascii ? QString::fromLatin1(bytes) : Gbk::decode(bytes.toByteArray());
}

std::optional<QString> cellText(const Cells& cells, int number) {
    if (number < 1 || number > cells.size())
        return std::nullopt;
    return decodeCell(cells[number - 1]);
}

} // namespace FlowPage
