// The screening reply: the envelope, the byte scan for the date and the records, and the split of each record
// into its eight fields, on a reply of a hundred-odd records and on one ten times its size.
#include "pages.h"
#include "platform/gbk.h"
#include "rankings/screening.h"

#include <QString>

namespace {

QByteArray screeningReply(qsizetype bytes) {
    const auto record = [](int i) {
        return Gbk::encode(QStringLiteral("&0%1&1%2&2-%3&3-%4&4%5&5%6&6贵州茅台&7600519&8\r\n")
                               .arg(12000 + i)
                               .arg(8000 + i)
                               .arg(3000 + i)
                               .arg(17000 + i)
                               .arg(QString::number(i % 900 / 100.0, 'f', 2))
                               .arg(20000 + 2 * i));
    };
    return BenchPages::repeatRows("<html><body bgcolor=\"#FFFFFF\" text=\"#000000\">2024-07-01&&\r\n", record,
                                  "</body></html>", bytes);
}

void ScreeningReply(benchmark::State& state) {
    const QByteArray reply = screeningReply(state.range(0));
    BenchPages::readPage(state, reply, [](const QByteArray& bytes) { return Screening::readReply(bytes).records; });
}

} // namespace

BENCHMARK(ScreeningReply)->Arg(8 << 10)->Arg(80 << 10);
BENCHMARK_MAIN();
