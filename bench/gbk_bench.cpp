// GBK decoding of a typical news-portal page and of one ten times its size.
#include "pages.h"
#include "platform/gbk.h"

#include <QString>

namespace {

QByteArray gbkPage(qsizetype bytes) {
    const QByteArray row = Gbk::encode(QStringLiteral("<li><a href=\"/news/600000.html\">浦发银行发布年度报告摘要</a>"
                                                      "<span>2026-12-07 10:31</span></li>\n"));
    return BenchPages::repeatRows(QByteArrayLiteral("<html><body><ul>\n"), [&](int) { return row; },
                                  QByteArrayLiteral("</ul></body></html>"), bytes);
}

void GbkDecode(benchmark::State& state) {
    const QByteArray page = gbkPage(state.range(0));
    BenchPages::readPage(state, page, [](const QByteArray& bytes) { return Gbk::decode(bytes); });
}

} // namespace

BENCHMARK(GbkDecode)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK_MAIN();
