// The GBK helpers on the roads of outside pages: decoding a typical news-portal page, encoding its text back
// (data files, form bodies), and the quote road (a UTF-8 quote reply through GBK), each on a realistic size
// and on ten times that.
#include "pages.h"
#include "platform/gbk.h"

#include <QString>

namespace {

const QString newsRow = QStringLiteral("<li><a href=\"/news/600000.html\">浦发银行发布年度报告摘要</a>"
                                       "<span>2026-12-07 10:31</span></li>\n");

QByteArray gbkPage(qsizetype bytes) {
    const QByteArray row = Gbk::encode(newsRow);
    return BenchPages::repeatRows(
        QByteArrayLiteral("<html><body><ul>\n"), [&](int) { return row; }, QByteArrayLiteral("</ul></body></html>"),
        bytes);
}

void GbkDecode(benchmark::State& state) {
    const QByteArray page = gbkPage(state.range(0));
    BenchPages::readPage(state, page, [](const QByteArray& bytes) { return Gbk::decode(bytes); });
}

// Counted in GBK bytes written, so it compares with decoding the same page.
void GbkEncode(benchmark::State& state) {
    const QByteArray page = gbkPage(state.range(0));
    const QString text = Gbk::decode(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(Gbk::encode(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
    state.counters["page_kB"] = static_cast<double>(page.size()) / 1024.0;
}

// A quote reply as the quote site sends it, in UTF-8; the realistic reply holds one stock.
void GbkQuoteRoad(benchmark::State& state) {
    const QByteArray quote =
        QStringLiteral("var quote=\"1,600036,招商银行,35.12,-0.85%,-0.30,35.11,412,35.12,96,523114,"
                       "183920.55,35.40,35.42,35.58,35.02,-,27,1.58%,2026-12-07 10:31:03\";\n")
            .toUtf8();
    const QByteArray reply = BenchPages::repeatRows(
        {}, [&](int) { return quote; }, {}, state.range(0));
    BenchPages::readPage(state, reply, [](const QByteArray& bytes) { return Gbk::fromUtf8ThroughGbk(bytes); });
}

} // namespace

BENCHMARK(GbkDecode)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK(GbkEncode)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK(GbkQuoteRoad)->Arg(145)->Arg(1450);
BENCHMARK_MAIN();
