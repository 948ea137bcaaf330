// The readers of the news flash and the back-end notices, each over a realistic page and one ten times its size,
// from the reply's bytes (GBK decoding included where the reader reads text): the news list page's headline,
// the back-end news record, the watched list page, the late-day picks and the stock picks.
#include "news/headline.h"
#include "news/latepicks.h"
#include "news/newsrecord.h"
#include "news/picks.h"
#include "news/watchedlist.h"
#include "pages.h"
#include "platform/gbk.h"

#include <QString>

namespace {

const QByteArray envelopeHead = R"(<html><body bgcolor="#FFFFFF" text="#000000">)";
const QByteArray pageTail = "</body></html>";

// The portal's list: a long page head (menus, scripts) and then the list of entries.
QByteArray newsListPage(qsizetype bytes) {
    const QByteArray head = BenchPages::repeatRows(
        "<html><head>",
        [](int i) {
            return Gbk::encode(QStringLiteral("<div class=\"nav\"><a href=\"/c%1/\">财经频道 %1</a></div>\n").arg(i));
        },
        "</head><body><ul>", bytes / 2);
    return BenchPages::repeatRows(
        head,
        [](int i) {
            return Gbk::encode(
                QStringLiteral("<li><span>[10:%1]</span><a href=\"http://n/news/%2.html\" title=\"两市成交额连续"
                               "三日突破万亿元\" target=\"_blank\">两市成交额连续三日突破万亿元</a></li>\n")
                    .arg(i % 60)
                    .arg(i));
        },
        "</ul>" + pageTail, bytes);
}

// The back-end's news record: a body of many paragraphs, then the headline and two more fields.
QByteArray newsRecordPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        envelopeHead,
        [](int) {
            return Gbk::encode(QStringLiteral("<p>截至收盘，浦发银行(600000)主力资金净流入，成交量明显放大。</p>\n"));
        },
        Gbk::encode(QStringLiteral("&1午后提示：浦发银行主力资金动向&22026-12-7&3Brennoc研究部&4")) + pageTail, bytes);
}

QByteArray watchedListPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        "<html><body><ul>",
        [](int i) {
            return Gbk::encode(
                QStringLiteral("<li><span style=\"color:#FF3300\">2026-12-07 %1:30&nbsp;</span><a href=\"view.php?"
                               "aid=%2\">私募密函：关注浦发银行(600000)的资金动向</a></li>\n")
                    .arg(9 + i % 6)
                    .arg(i));
        },
        "</ul>" + pageTail, bytes);
}

// The late-day picks: a short payload after a page head of some size.
QByteArray latePicksPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        "<html><head>",
        [](int i) { return Gbk::encode(QStringLiteral("<meta name=\"k%1\" content=\"尾盘股 关注\">\n").arg(i)); },
        envelopeHead + Gbk::encode(QStringLiteral("2026-12-7 14:55:600519 贵州茅台&000858 五粮液")) + pageTail, bytes);
}

QByteArray picksPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        envelopeHead,
        [](int i) {
            return Gbk::encode(
                QStringLiteral("<font color=\"#000000\">6000%1&1浦发银行&22026-12-7&310:%2&4</font><br>\n")
                    .arg(10 + i % 90)
                    .arg(i % 60));
        },
        pageTail, bytes);
}

void Headline(benchmark::State& state) {
    BenchPages::readPage(state, newsListPage(state.range(0)), NewsFlash::readHeadlineReply);
}
void NewsRecord(benchmark::State& state) {
    BenchPages::readPage(state, newsRecordPage(state.range(0)), BackendNews::readNewsReply);
}
void WatchedListItems(benchmark::State& state) {
    BenchPages::readPage(state, watchedListPage(state.range(0)), WatchedList::readItems);
}
void LatePicksNotice(benchmark::State& state) {
    BenchPages::readPage(state, latePicksPage(state.range(0)), LatePicks::readNotice);
}
void PicksList(benchmark::State& state) {
    BenchPages::readPage(state, picksPage(state.range(0)), Picks::readPicksReply);
}

// The scans alone, over the decoded text, for the readers whose time the GBK decoding bounds; the bytes per
// second are those of the page's GBK bytes.
template <typename Read> void scanDecoded(benchmark::State& state, const QByteArray& page, Read read) {
    const QString text = Gbk::decode(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(read(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
    state.counters["page_kB"] = static_cast<double>(page.size()) / 1024.0;
}
void NewsRecordScan(benchmark::State& state) {
    scanDecoded(state, newsRecordPage(state.range(0)), BackendNews::readNewsRecord);
}
void PicksScan(benchmark::State& state) {
    scanDecoded(state, picksPage(state.range(0)), Picks::readPicks);
}

} // namespace

BENCHMARK(Headline)->Arg(30 << 10)->Arg(300 << 10);
BENCHMARK(NewsRecord)->Arg(4 << 10)->Arg(40 << 10);
BENCHMARK(WatchedListItems)->Arg(40 << 10)->Arg(400 << 10);
BENCHMARK(LatePicksNotice)->Arg(2 << 10)->Arg(20 << 10);
BENCHMARK(PicksList)->Arg(4 << 10)->Arg(40 << 10);
BENCHMARK(NewsRecordScan)->Arg(4 << 10)->Arg(40 << 10);
BENCHMARK(PicksScan)->Arg(4 << 10)->Arg(40 << 10);
BENCHMARK_MAIN();
