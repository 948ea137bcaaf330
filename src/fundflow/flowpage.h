#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The fund-flow detail page (`flowpage`) of one stock: an HTML table in GBK with a summary row right after the
// table head and one row per trading day, newest first. The walk finds the rows and the values of their cells
// by byte markers over the bytes as they arrived; each reader then takes the cells it needs (fundpage.h for
// the stock fund page, periodquery.h for the period query). Plain functions: no widgets, no network, no clock.
namespace FlowPage {

// Path and query of the page of one code. Anything but six digits throws Failure, so no unchecked text ever
// reaches an address.
QString pagePath(const QString& code);

// One row's cell values in order: cell n (counted from 1) is cells[n - 1]. They point into the page's bytes,
// which must outlive them.
using Cells = QList<QByteArrayView>;

struct Walk {
    // The row between the first "</thead>" and the next "</tr>"; none when either marker is missing.
    std::optional<Cells> summary;
    // The daily rows in page order (newest first): each starts after the last row marker before its "</tr>".
    QList<Cells> days;
};

// Walks the page. After the summary row, a daily row starts right after each row marker (the text of the
// rows' mouse-over attribute); its "</tr>" ends it, and the first "</table>" after the first marker ends the
// walk. A "</tr>" with no fresh row marker since the last row ended reads nothing.
Walk walk(QByteArrayView page);

// The cells of one row's text. A cell starts after "<td" and ends right before "/td>", so its text holds the
// "<" of "</td>"; its value is the text after the last ">" before the first "<", up to that "<" (empty when
// the amount sits inside a further tag). A cell whose text has no "<", or a "/td>" with no "<td" before it,
// is not counted. Header cells (th) never match.
Cells rowCells(QByteArrayView row);

// Cell `number` (from 1) as text, decoded from GBK; nothing when the row has no such cell.
std::optional<QString> cellText(const Cells& cells, int number);
// The same for bytes that are known to be there.
QString decodeCell(QByteArrayView bytes);

} // namespace FlowPage
