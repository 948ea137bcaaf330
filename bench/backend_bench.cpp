// The back-end's envelope: the payload between the body-colour marker and "</body>", cut from a reply's bytes,
// and then decoded from GBK as the screening reader does, on a reply of the usual size and on one ten times that.
#include "app/backend.h"
#include "pages.h"
#include "platform/gbk.h"

#include <QString>

namespace {

// The reply's head, long like the back-end's styled pages, then the marker and rows of GBK payload.
QByteArray envelopeReply(qsizetype bytes) {
    QByteArray head = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                      "<style>td{font-size:12px}</style></head>\n";
    const QByteArray row = Gbk::encode(QStringLiteral("2026-12-07|浦发银行(600000)今日大单净流入3200万股|1|\n"));
    return BenchPages::repeatRows(
        head + "<body bgcolor=\"#FFFFFF\" text=\"#000000\">", [&](int) { return row; }, "</body></html>", bytes);
}

void EnvelopeBytes(benchmark::State& state) {
    const QByteArray reply = envelopeReply(state.range(0));
    BenchPages::readPage(state, reply, [](const QByteArray& bytes) {
        return Backend::envelopePayload(bytes, Backend::markerText).size();
    });
}

void EnvelopeDecoded(benchmark::State& state) {
    const QByteArray reply = envelopeReply(state.range(0));
    BenchPages::readPage(state, reply, [](const QByteArray& bytes) {
        return Gbk::decode(Backend::envelopePayload(bytes, Backend::markerText)).size();
    });
}

} // namespace

BENCHMARK(EnvelopeBytes)->Arg(4 << 10)->Arg(40 << 10);
BENCHMARK(EnvelopeDecoded)->Arg(4 << 10)->Arg(40 << 10);
BENCHMARK_MAIN();
