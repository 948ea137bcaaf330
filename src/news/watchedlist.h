#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The watched list page of an outside site, whose items the list pop-up watches for a change. Plain functions
// from bytes to data: no widgets, no network.
namespace WatchedList {

// The list page on the watched site: path and its fixed query.
inline const QString listPage = QStringLiteral("/plus/list.php?tid=26&TotalResult=1459&PageNo=1");

// The items of the page, scanned as its bytes (GBK, not converted): each `color:#FF3300">2` starts an item at
// its last byte (the "2"), a later start replaces one not yet ended, and the next "&nbsp;" ends it.
QList<QByteArray> readItems(const QByteArray& page);

enum class Scan {
    Unchanged, // nothing to do
    Baseline,  // the first scan with items: it becomes the list that later scans are compared with
    Changed,   // the list changed: it becomes the saved list and the pop-up is due
};

// A scan against the saved list. Only a scan with items becomes the first saved list. Later scans compare
// position by position over the saved items: the first position that differs is a change; a longer list
// whose head is the saved list is no change, nor is a shorter one whose items all match.
Scan compare(const QList<QByteArray>& saved, const QList<QByteArray>& scanned);

} // namespace WatchedList
