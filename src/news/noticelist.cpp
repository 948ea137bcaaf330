#include "news/noticelist.h"

#include "news/pagescan.h"
#include "platform/formats.h"

namespace News {

namespace {

const QString kPathPrefix = QStringLiteral("/Notice/Notice_List.aspx?code=");
const QString kPathSuffix = QStringLiteral("&date=&type=");

const QString kItemStart = QStringLiteral("<span class=\"caption\">");
const QString kItemEnd = QStringLiteral("</a></span>");
const QString kDateStart = QStringLiteral("<span class=\"time\">");
const QString kDateEnd = QStringLiteral("</span>");
// The item's address starts after `<a href="`.
constexpr qsizetype kAddressSkip = 9;
const QString kAddressEnd = QStringLiteral("\">");
const QChar kTitleCut = u')';

// The text after the first ")", or all of it when it holds none.
QString afterCut(QStringView text) {
    return text.sliced(text.indexOf(kTitleCut) + 1).toString();
}

void addItem(NoticeList& list, QStringView item, const QString& linkBase) {
    const qsizetype addressEnd = indexOfMarker(item, kAddressEnd);
    if (addressEnd < 0) {
        list.links.append(QString());
        list.titles.append(afterCut(item));
        return;
    }
    const QString address = between(item, kAddressSkip, addressEnd);
    list.links.append(address.isEmpty() ? QString() : linkBase + address);
    list.titles.append(afterCut(item.sliced(addressEnd + kAddressEnd.size())));
}

} // namespace

QString noticeListPath(const QString& code) {
    return stockPagePath(kPathPrefix, code, kPathSuffix);
}

NoticeList readNoticeList(QStringView page, const QString& linkBase) {
    NoticeList list;
    bool itemSeen = false;
    qsizetype itemStart = -1;
    qsizetype dateStart = -1;
    // Every marker starts with "<", so the scan jumps from one to the next.
    for (qsizetype i = page.indexOf(u'<'); i >= 0; i = page.indexOf(u'<', i + 1)) {
        if (matchesAt(page, i, kItemStart)) {
            itemStart = i + kItemStart.size();
            itemSeen = true;
        } else if (itemStart >= 0 && matchesAt(page, i, kItemEnd)) {
            addItem(list, itemStart < i ? page.sliced(itemStart, i - itemStart) : QStringView(), linkBase);
            itemStart = -1;
        }
        if (itemSeen && matchesAt(page, i, kDateStart)) {
            dateStart = i + kDateStart.size();
        } else if (dateStart >= 0 && matchesAt(page, i, kDateEnd)) {
            list.dates.append(between(page, dateStart, i));
            dateStart = -1;
        }
    }
    return list;
}

bool hasNoticeOn(const QStringList& dates, const QDate& today) {
    for (const QString& date : dates) {
        if (date == noticeHeadingDate)
            continue;
        if (Formats::readShortDate(date) == today)
            return true;
    }
    return false;
}

} // namespace News
