// The big-order chart page readers on the body of a typical chart page (the site's frame, scripts and links
// around the flash chart whose parameters carry the lists) and on one ten times its size. Bytes are the page's
// UTF-8 bytes; the readers take the text the browser gives.
#include "fundflow/bigorderpage.h"
#include "pages.h"

#include <QString>

namespace {

// The chart's parameters, then a stretch of the site's own markup per row; the markup holds "&amp;" and commas
// but no marker, as the live pages do.
QString chartBody(qsizetype bytes) {
    const QByteArray chart =
        QByteArrayLiteral("<object id=\"chart\"><param name=\"FlashVars\" value=\"&amp;title=x&amp;values=32199312,"
                          "31495558,33466447,34056407,30660681,39305134,30426766,32581284,36624893,13861443&amp;"
                          "values_2=34202752,33251399,31387267,30464609,28604384,31814493,28785537,36278958,32861453,"
                          "12696459&amp;x_labels=12-21,12-22,12-25,12-26,12-27,12-28,12-29,01-01,01-02,01-03&amp;"
                          "colours=#FF6666,#FF3333,#CC3333,#990000,#99FF00,#00CC33,#009966,#336600&amp;\"></object>\n");
    const QByteArray row = QStringLiteral("<li><a href=\"/stock/sh/600000/news.htm?page=1&amp;type=2\">浦发银行大单资金"
                                          "持续流入，主力加仓</a><span>2026-12-07 10:31, 10:45</span></li>\n")
                               .toUtf8();
    return QString::fromUtf8(BenchPages::repeatRows(
        QByteArrayLiteral("<div class=\"nav\"><ul>\n") + chart, [&](int) { return row; },
        QByteArrayLiteral("</ul></div>"), bytes));
}

template <typename Read> void readBody(benchmark::State& state, Read&& read) {
    const QString body = chartBody(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(read(body));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * body.toUtf8().size());
    state.counters["page_kB"] = static_cast<double>(body.toUtf8().size()) / 1024.0;
}

void BigOrderTodayBars(benchmark::State& state) {
    readBody(state, [](const QString& body) { return BigOrder::readTodayBars(body); });
}

void BigOrderDayBars(benchmark::State& state) {
    readBody(state, [](const QString& body) { return BigOrder::readDayBars(body); });
}

void BigOrderSizeClasses(benchmark::State& state) {
    readBody(state, [](const QString& body) { return BigOrder::readSizeClasses(body); });
}

} // namespace

BENCHMARK(BigOrderTodayBars)->Arg(24 << 10)->Arg(240 << 10);
BENCHMARK(BigOrderDayBars)->Arg(24 << 10)->Arg(240 << 10);
BENCHMARK(BigOrderSizeClasses)->Arg(24 << 10)->Arg(240 << 10);
BENCHMARK_MAIN();
