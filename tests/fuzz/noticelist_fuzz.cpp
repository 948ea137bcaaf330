// The announcement list reader and the today test: the page's GBK bytes to the three lists.
#include "fuzzing.h"

#include "news/noticelist.h"
#include "platform/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString base = QStringLiteral("http://n/Notice/");
    const News::NoticeList list = News::readNoticeList(Gbk::decode(fuzzBytes(data, size)), base);
    fuzzCheck(list.titles.size() == list.links.size(), "titles and links come from the same items");
    for (const QString& link : list.links)
        fuzzCheck(link.isEmpty() || link.startsWith(base), "every link lies under the announcement site");
    News::hasNoticeOn(list.dates, QDate(2026, 3, 5));
    return 0;
}
