// The holdings data page reader over a realistic page (30 trading days) and one ten times its size.
#include "news/holdinglines.h"
#include "pages.h"

namespace {

QByteArray holdingsPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        QByteArray(),
        [](int i) {
            return QByteArray("2026-") + QByteArray::number(i % 12 + 1) + '-' + QByteArray::number(i % 28 + 1) +
                   " 0:00:00,35.27,16.18,12.95,9.71,25.89\n";
        },
        QByteArray(), bytes);
}

void HoldingLines(benchmark::State& state) {
    const QByteArray page = holdingsPage(state.range(0));
    BenchPages::readPage(state, page, [](const QByteArray& bytes) { return Holdings::readHoldingLines(bytes); });
}

} // namespace

BENCHMARK(HoldingLines)->Arg(1300)->Arg(13000);
BENCHMARK_MAIN();
