// The readers of the news flash and the back-end notices, all over the same bytes: the news list's headline, the
// back-end news record, the watched list's items, the late-day picks and the stock picks.
#include "fuzzing.h"

#include "news/headline.h"
#include "news/latepicks.h"
#include "news/newsrecord.h"
#include "news/picks.h"
#include "news/watchedlist.h"
#include "platform/gbk.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);

    const auto headline = NewsFlash::readHeadlineReply(bytes);
    fuzzCheck(headline == NewsFlash::readHeadline(Gbk::decode(bytes)),
              "decoding the list in pieces finds the same headline");
    fuzzCheck(!headline || headline->link.isEmpty() || headline->link.endsWith(QStringLiteral(".html")),
              "a link runs through its .html");

    if (const auto record = BackendNews::readNewsReply(bytes)) {
        for (const QString& field : *record)
            fuzzCheck(field == field.trimmed(), "a field is trimmed");
        fuzzCheck(!BackendNews::isNews(*record, *record), "a record saved is no news");
    }

    const QList<QByteArray> items = WatchedList::readItems(bytes);
    for (const QByteArray& item : items)
        fuzzCheck(item.startsWith('2') && !item.contains("&nbsp;"), "an item runs from its 2 to the blank");
    fuzzCheck(WatchedList::compare(items, items) == WatchedList::Scan::Unchanged, "the same list is no change");
    fuzzCheck((WatchedList::compare({}, items) == WatchedList::Scan::Baseline) == !items.isEmpty(),
              "only a list with items becomes the baseline");

    const LatePicks::Notice notice = LatePicks::readNotice(bytes);
    fuzzCheck(!notice.content || notice.date, "picks come after a date");

    const QList<Picks::Pick> picks = Picks::newPicks({}, Picks::readPicksReply(bytes));
    QSet<QString> identities;
    for (const Picks::Pick& pick : picks)
        identities.insert(pick.identity());
    fuzzCheck(identities.size() == picks.size(), "no pick is stored twice");
    fuzzCheck(Picks::newPicks(picks, picks).isEmpty(), "known picks add nothing");
    return 0;
}
