#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

struct UnitState;

// The stock forum's topic list (`getgbdata`'s page) and the rule that keeps today's topics in the forum
// lists. Plain functions from the decoded page and values to data.
namespace News {

// Path of the page: "/topic," + code + ".html". Anything but a six-digit code throws Failure.
QString forumTopicsPath(const QString& code);

// One topic record of the page.
struct ForumTopic {
    QString clicks;
    QString replies;
    QString link; // `linkBase` + the page's address
    QString title;
    QString author;
    QString date; // year-month-day without leading zeros (see forumDate)

    bool operator==(const ForumTopic&) const = default;
};

// The date field "MM-DD hh:mm" as year-month-day without leading zeros: a leading "0" goes, the first "-0"
// loses its "0", the part before the first blank stays, and `year` and "-" go in front ("03-05 14:22" in
// 2026 gives "2026-3-5").
QString forumDate(QStringView field, int year);

// The records after the list heading "发表日期", in page order. A record is read field by field:
// "<li class=l1>" clicks, "<li class=l2>" replies, "<a href=" the address (after its quote, up to the quote
// before " >") and the title (from there to "</a>"), "<li class=l4>" the author, "<li class=l5>" the date,
// each "<li ...>" field running to the next "</li>"; "<li class=l6>" .. "</li>" ends the record. While a
// field is open only its end counts, so the author's own link is not taken for the topic's. A record is
// listed when its date field closes and it has an address; one without a date is never listed.
QList<ForumTopic> readForumTopics(QStringView page, const QString& linkBase, int year);

// Appends to the forum lists of `state` every topic dated `today` whose address they do not hold yet, with
// four unread flags each; returns how many were added.
int addTodaysTopics(UnitState& state, const QList<ForumTopic>& topics, const QDate& today);

} // namespace News
