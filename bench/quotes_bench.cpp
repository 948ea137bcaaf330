// The quote service's two readers on their whole road (UTF-8 reply through GBK, then the field scan): the quote
// record of one stock and the index page of the two markets, each on the reply the service sends and on a reply
// ten times that size (the record or the sections repeated).
#include "pages.h"
#include "quotes/indexpage.h"
#include "quotes/quoterecord.h"

#include <QString>

namespace {

const QByteArray quoteLine =
    QStringLiteral("var quote=\"1,600036,招商银行,35.12,-0.85%,-0.30,35.11,412,35.12,96,523114,"
                   "183920.55,35.40,35.42,35.58,35.02,-,27,1.58%,2026-12-07 10:31:03\";\n")
        .toUtf8();
const QByteArray indexLines = QStringLiteral("var index_sh=\"上证指数,3312.45,-12.08,-0.36%,38812345.67,10:31:03\";\n"
                                             "var index_sz=\"深证成指,10523.18,25.40,0.24%,45123987.12,10:31:03\";\n")
                                  .toUtf8();

void QuoteRecordRead(benchmark::State& state) {
    const QByteArray reply = BenchPages::repeatRows(
        {}, [](int) { return quoteLine; }, {}, state.range(0));
    BenchPages::readPage(state, reply, [](const QByteArray& bytes) { return Quotes::readQuoteReply(bytes).present; });
}

void IndexPageRead(benchmark::State& state) {
    const QByteArray reply = BenchPages::repeatRows(
        {}, [](int) { return indexLines; }, {}, state.range(0));
    BenchPages::readPage(state, reply,
                         [](const QByteArray& bytes) { return Quotes::readIndexReply(bytes).sections.size(); });
}

} // namespace

BENCHMARK(QuoteRecordRead)->Arg(150)->Arg(1500);
BENCHMARK(IndexPageRead)->Arg(170)->Arg(1700);
BENCHMARK_MAIN();
