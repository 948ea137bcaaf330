#include "news/forumtopics.h"

#include "app/unitstate.h"

#include <gtest/gtest.h>

using News::ForumTopic;

namespace {

const QString kBase = QStringLiteral("http://f/");
const QString kHeading = QStringLiteral("<li class=l1>点击</li><li class=l5>发表日期</li><li class=l6>更新</li>");

QString record(const QString& link, const QString& date,
               const QString& author = QStringLiteral("<a href=\"u\" >甲</a>")) {
    return QStringLiteral("<ul><li class=l1>12</li><li class=l2>3</li><li class=l3><a href=\"%1\" >标题%1</a></li>"
                          "<li class=l4> %2 </li><li class=l5>%3</li><li class=l6>x</li></ul>")
        .arg(link, author, date);
}

ForumTopic topic(const QString& link, const QString& date, const QString& author = QStringLiteral("甲")) {
    return {QStringLiteral("12"), QStringLiteral("3"), kBase + link, QStringLiteral("标题") + link, author, date};
}

} // namespace

TEST(ForumTopics, DatesLoseTheirLeadingZerosAndTime) {
    EXPECT_EQ(News::forumTopicsPath(QStringLiteral("600519")), QStringLiteral("/topic,600519.html"));
    EXPECT_EQ(News::forumDate(u"03-05 14:22", 2026), QStringLiteral("2026-3-5"));
    EXPECT_EQ(News::forumDate(u"12-30 09:01", 2026), QStringLiteral("2026-12-30"));
    EXPECT_EQ(News::forumDate(u" 10-01", 2026), QStringLiteral("2026-10-1"));
}

TEST(ForumTopics, RecordsAfterTheHeadingFieldByField) {
    struct Case {
        const char* what;
        QString page;
        QList<ForumTopic> topics;
    };
    const QList<Case> cases{
        {"before the heading nothing", record(QStringLiteral("a"), QStringLiteral("03-05 14:22")), {}},
        {"two records",
         kHeading + record(QStringLiteral("a"), QStringLiteral("03-05 14:22")) +
             record(QStringLiteral("b"), QStringLiteral("03-04 09:00"), QStringLiteral("游客")),
         {topic(QStringLiteral("a"), QStringLiteral("2026-3-5")),
          topic(QStringLiteral("b"), QStringLiteral("2026-3-4"), QStringLiteral("游客"))}},
        // The date field is what makes a record count; nothing of it carries into the next record.
        {"record without a date",
         kHeading + QStringLiteral("<li class=l1>9</li><a href=\"z\" >无日期</a><li class=l6></li>") +
             QStringLiteral("<li class=l5>03-05 10:00</li>"),
         {}},
        {"cut inside the address", kHeading + QStringLiteral("<li class=l1>1</li><a href=\"q"), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(News::readForumTopics(c.page, kBase, 2026), c.topics) << c.what;
}

TEST(ForumTopics, TodaysNewTopicsJoinTheListsWithFourUnreadFlagsEach) {
    UnitState state;
    state.forumunread = QStringList(4, QStringLiteral("1"));
    state.forumlinks = QStringList{kBase + QStringLiteral("known")};
    state.forumtitles = QStringList{QStringLiteral("标题known")};
    const QList<ForumTopic> topics{topic(QStringLiteral("known"), QStringLiteral("2026-3-5")),
                                   topic(QStringLiteral("a"), QStringLiteral("2026-3-5")),
                                   topic(QStringLiteral("old"), QStringLiteral("2026-3-4")),
                                   topic(QStringLiteral("a"), QStringLiteral("2026-3-5"))};
    EXPECT_EQ(News::addTodaysTopics(state, topics, QDate(2026, 3, 5)), 1);
    EXPECT_EQ(state.forumlinks, (QStringList{kBase + QStringLiteral("known"), kBase + QStringLiteral("a")}));
    EXPECT_EQ(state.forumcounts, QStringList{QStringLiteral("12/3")});
    EXPECT_EQ(state.forumunread, QStringList(8, QStringLiteral("1")));
}
