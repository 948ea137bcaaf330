#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

// The announcement list page (`getgg`'s page): the stock's announcements in page order, the first entry being
// the list's heading row. Plain functions from the decoded page and values to data.
namespace News {

// Path and query of the page: "/Notice/Notice_List.aspx?code=" + code + "&date=&type=". Anything but a
// six-digit code throws Failure.
QString noticeListPath(const QString& code);

// The date text of the list's heading row.
inline const QString noticeHeadingDate = QStringLiteral("公告时间");

// The entries as the page gave them. Titles and links come from the same items, so they always pair up;
// dates come from their own spans and may number differently on a malformed page.
struct NoticeList {
    QStringList titles;
    QStringList links; // `linkBase` + the item's address; empty for an item that has none
    QStringList dates;

    bool operator==(const NoticeList&) const = default;
};

// The scan: `<span class="caption">` opens an item and "</a></span>" closes an open one. The item's address
// runs from its 10th character (after `<a href="`) to its first `">`; its title is the text after that, less
// everything up to and including its first ")". Once an item was seen, `<span class="time">` opens a date and
// the next "</span>" closes it. A closing marker without its opening one is ignored.
NoticeList readNoticeList(QStringView page, const QString& linkBase);

// Whether one of the dates is `today`: the heading row and dates that do not read as short dates are
// skipped.
bool hasNoticeOn(const QStringList& dates, const QDate& today);

} // namespace News
