#include "news/watchedlist.h"

namespace {

const QByteArray itemStart = QByteArrayLiteral("color:#FF3300\">2");
const QByteArray itemEnd = QByteArrayLiteral("&nbsp;");

} // namespace

namespace WatchedList {

QList<QByteArray> readItems(const QByteArray& page) {
    QList<QByteArray> items;
    qsizetype start = page.indexOf(itemStart);
    qsizetype end = -1; // the first "&nbsp;" at or after the item's start, found once for all starts before it
    while (start >= 0) {
        const qsizetype first = start + itemStart.size() - 1; // the item begins with the marker's "2"
        if (end < first)
            end = page.indexOf(itemEnd, first);
        if (end < 0)
            break;
        // The next start: before the end it replaces this item; after it (it cannot stand inside "&nbsp;") it
        // starts the next item.
        const qsizetype next = page.indexOf(itemStart, first);
        if (next < 0 || next > end)
            items.append(page.sliced(first, end - first));
        start = next;
    }
    return items;
}

Scan compare(const QList<QByteArray>& saved, const QList<QByteArray>& scanned) {
    if (saved.isEmpty())
        return scanned.isEmpty() ? Scan::Unchanged : Scan::Baseline;
    for (qsizetype i = 0; i < saved.size(); ++i) {
        if (i >= scanned.size())
            return Scan::Unchanged;
        if (saved[i] != scanned[i])
            return Scan::Changed;
    }
    return Scan::Unchanged;
}

} // namespace WatchedList
