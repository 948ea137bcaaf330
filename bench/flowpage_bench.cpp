// The fund-flow detail page: the walk alone and both readers over it, on a page like the site's (a summary row
// and 30 daily rows, about 12 kB) and on one ten times its size.
#include "fundflow/flowpage.h"
#include "fundflow/fundpage.h"
#include "fundflow/periodquery.h"
#include "pages.h"
#include "platform/gbk.h"

#include <QDate>
#include <QString>

namespace {

constexpr qsizetype kSitePage = 12 << 10;

QByteArray flowPage(qsizetype bytes) {
    QString head = QStringLiteral("<html><head><title>贵州茅台(600519) 资金流向明细</title></head><body>"
                                  "<table class=\"summary\"><thead><tr>");
    for (int n = 1; n <= 46; ++n)
        head += QStringLiteral("<th>栏目%1</th>").arg(n);
    head += QStringLiteral("</tr></thead>\n<tr><td>2026-12-07</td><td>15:00:00</td><td>600519</td><td>贵州茅台</td>");
    for (int n = 5; n <= 46; ++n)
        head += QStringLiteral("<td>%1.25</td>").arg(n * 37);
    head += QStringLiteral("</tr></table>\n<table class=\"days\"><tr><th>日期</th><th>收盘价</th></tr>\n");
    const auto row = [](int i) {
        const QDate date = QDate(2026, 12, 7).addDays(-i);
        QString text = QStringLiteral("<tr onmouseover=\"this.style.backgroundColor='#FFFFCC'\" "
                                      "onmouseout=\"this.style.backgroundColor=''\"><td>%1年%2月%3日</td>")
                           .arg(date.year())
                           .arg(date.month())
                           .arg(date.day());
        if (i == 0)
            text += QStringLiteral("<td rowspan=\"30\">日线资金</td>");
        text += QStringLiteral("<td>1430.18</td><td>3.44%</td><td>0.90%</td><td>403535</td><td>0.384</td>"
                               "<td>0.074</td><td>0.470</td>");
        for (const int amount : {30963 - i, 9910 + i, 21053, -11958, -19005 + i})
            text += QStringLiteral("<td class=\"%1\">%2</td>").arg(amount < 0 ? "dn" : "up").arg(amount);
        return Gbk::encode(text + QStringLiteral("</tr>\n"));
    };
    return BenchPages::repeatRows(Gbk::encode(head), row,
                                  Gbk::encode(QStringLiteral("</table><p>完</p></body></html>")), bytes);
}

void FlowPageWalk(benchmark::State& state) {
    const QByteArray page = flowPage(state.range(0));
    BenchPages::readPage(state, page, [](const QByteArray& bytes) { return FlowPage::walk(bytes).days.size(); });
}

void FundPageRead(benchmark::State& state) {
    const QByteArray page = flowPage(state.range(0));
    BenchPages::readPage(state, page,
                         [](const QByteArray& bytes) { return FundPage::readPage(bytes, {}).days.dailynet.size(); });
}

void PeriodQueryRead(benchmark::State& state) {
    const QByteArray page = flowPage(state.range(0));
    BenchPages::readPage(state, page, [](const QByteArray& bytes) {
        return PeriodQuery::readTable(bytes, QDate(2000, 1, 1), QDate(2026, 12, 7)).rows.periodnet.size();
    });
}

} // namespace

BENCHMARK(FlowPageWalk)->Arg(kSitePage)->Arg(10 * kSitePage);
BENCHMARK(FundPageRead)->Arg(kSitePage)->Arg(10 * kSitePage);
BENCHMARK(PeriodQueryRead)->Arg(kSitePage)->Arg(10 * kSitePage);
BENCHMARK_MAIN();
