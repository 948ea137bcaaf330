// The forum topic reader and the rule that keeps today's topics: the page's GBK bytes to the forum lists.
#include "fuzzing.h"

#include "app/unitstate.h"
#include "news/forumtopics.h"
#include "platform/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString base = QStringLiteral("http://f/");
    const QList<News::ForumTopic> topics = News::readForumTopics(Gbk::decode(fuzzBytes(data, size)), base, 2026);
    for (const News::ForumTopic& topic : topics) {
        fuzzCheck(topic.link.startsWith(base), "every link lies under the forum site");
        fuzzCheck(topic.date.startsWith(QStringLiteral("2026-")), "every date starts with the year");
    }
    UnitState state;
    state.forumunread = QStringList(4, QStringLiteral("1"));
    const int added = News::addTodaysTopics(state, topics, QDate(2026, 3, 5));
    fuzzCheck(state.forumlinks.size() == added && state.forumtitles.size() == added &&
                  state.forumunread.size() == 4 * added + 4,
              "the forum lists grow together, four flags per topic");
    return 0;
}
