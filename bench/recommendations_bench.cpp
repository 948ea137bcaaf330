// The recommendation list reader over a realistic back-end page (GBK, twenty records) and one ten times its
// size, from the reply's bytes to the stored recommendations (GBK decoding included, which bounds it), and the
// scan alone.
#include "news/recommendations.h"
#include "pages.h"
#include "platform/gbk.h"

#include <QString>

namespace {

QByteArray listPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        Gbk::encode(QStringLiteral("<html><body bgcolor=\"#FFFFFF\" text=\"#000000\">")),
        [](int i) {
            return Gbk::encode(QStringLiteral("$a0218.17.44.%1$a1浦发银行(600000)$a2放量突破前期平台，主力资金持续流入"
                                              "$a32026-12-7 10:%2:00$a4<br>\n")
                                   .arg(i % 256)
                                   .arg(i % 60));
        },
        QByteArrayLiteral("</body></html>"), bytes);
}

void RecommendationList(benchmark::State& state) {
    const QByteArray page = listPage(state.range(0));
    BenchPages::readPage(state, page, [](const QByteArray& bytes) { return Recommendations::readTipsReply(bytes); });
}

// The scan alone, over the decoded text; the bytes per second are those of the page's GBK bytes.
void RecommendationScan(benchmark::State& state) {
    const QByteArray page = listPage(state.range(0));
    const QString text = Gbk::decode(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(Recommendations::readTips(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
    state.counters["page_kB"] = static_cast<double>(page.size()) / 1024.0;
}

} // namespace

BENCHMARK(RecommendationList)->Arg(2 << 10)->Arg(20 << 10);
BENCHMARK(RecommendationScan)->Arg(2 << 10)->Arg(20 << 10);
BENCHMARK_MAIN();
