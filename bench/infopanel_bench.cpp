// The information panel's four readers on pages of a typical portal's size and on pages ten times larger.
// Each page is decoded from GBK once, outside the timing: the figures are the readers' own scans, in bytes of
// the page as sent.
#include "pages.h"

#include "news/companynews.h"
#include "news/forumtopics.h"
#include "news/noticelist.h"
#include "news/stockcomment.h"
#include "platform/gbk.h"

#include <QString>

namespace {

QByteArray gbk(const QString& text) {
    return Gbk::encode(text);
}

// The rumour items of the news list, then the research section at the very end, so the whole page is read.
QByteArray companyPage(qsizetype bytes) {
    const QByteArray item = gbk(QStringLiteral(
        "<li>[<a href=\"/realstock/company/sh600519/nc.shtml\">资讯</a>] <span><a href=\"http://c.example/news/"
        "20261207.shtml\" title=\"贵州茅台：市场传闻公司将获大股东优质资产注入\" target=\"_blank\">贵州茅台：市场传闻"
        "公司将获大股东优质资产注入</a></span> <em>2026-12-07</em></li>\n"));
    return BenchPages::repeatRows(
        gbk(QStringLiteral("<html><body><div class=\"news\"><ul>\n")), [&](int) { return item; },
        gbk(QStringLiteral("</ul></div><div><span>研究报告</span><a title=\"深度报告\" "
                           "target=\"_blank\" href=\"http://c.example/r/1.shtml\">深度报告"
                           "</a></div></body></html>")),
        bytes);
}

// A data table whose comment cell comes last.
QByteArray commentPage(qsizetype bytes) {
    const QByteArray row = gbk(QStringLiteral("<tr><td width=\"80\">600519</td><td class=\"name\">贵州茅台</td>"
                                              "<td><a href=\"/data/qgqp.asp?zqdm=600519\">评论</a></td></tr>\n"));
    return BenchPages::repeatRows(
        gbk(QStringLiteral("<html><body><table>\n")), [&](int) { return row; },
        gbk(QStringLiteral("<tr><td width=\"156\">&nbsp;<font color=\"red\">短线走势偏强，"
                           "注意追高风险。</font></td></tr></table></body></html>")),
        bytes);
}

QByteArray noticePage(qsizetype bytes) {
    return BenchPages::repeatRows(
        gbk(QStringLiteral("<html><body><table>\n")),
        [](int i) {
            return gbk(QStringLiteral("<tr><td><span class=\"caption\"><a href=\"Notice_Detail.aspx?id=%1\">贵州茅台"
                                      "(600519)关于召开临时股东大会的通知</a></span></td><td><span class=\"time\">"
                                      "2026-12-07</span></td></tr>\n")
                           .arg(i));
        },
        gbk(QStringLiteral("</table></body></html>")), bytes);
}

QByteArray forumPage(qsizetype bytes) {
    return BenchPages::repeatRows(
        gbk(QStringLiteral("<html><body><ul><li class=l1>点击</li><li class=l5>发表日期</li></ul>\n")),
        [](int i) {
            return gbk(QStringLiteral("<ul><li class=l1>1234</li><li class=l2>56</li><li class=l3><a href=\"news,"
                                      "600519,%1.html\" >持有贵州茅台三年了，谈谈我的看法</a></li><li class=l4><a "
                                      "href=\"user,1.html\" >老股民2008</a></li><li class=l5>12-07 10:22</li>"
                                      "<li class=l6>12-07 10:30</li></ul>\n")
                           .arg(i));
        },
        gbk(QStringLiteral("</body></html>")), bytes);
}

template <typename Read> void readDecoded(benchmark::State& state, const QByteArray& page, Read&& read) {
    const QString text = Gbk::decode(page);
    BenchPages::readPage(state, page, [&](const QByteArray&) { return read(text); });
}

void CompanyNews(benchmark::State& state) {
    readDecoded(state, companyPage(state.range(0)), [](const QString& text) { return News::readCompanyNews(text); });
}

void StockComment(benchmark::State& state) {
    readDecoded(state, commentPage(state.range(0)), [](const QString& text) { return News::readStockComment(text); });
}

void NoticeList(benchmark::State& state) {
    readDecoded(state, noticePage(state.range(0)),
                [](const QString& text) { return News::readNoticeList(text, QStringLiteral("http://n/Notice/")); });
}

void ForumTopics(benchmark::State& state) {
    readDecoded(state, forumPage(state.range(0)),
                [](const QString& text) { return News::readForumTopics(text, QStringLiteral("http://f/"), 2026); });
}

} // namespace

BENCHMARK(CompanyNews)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK(StockComment)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK(NoticeList)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK(ForumTopics)->Arg(64 << 10)->Arg(640 << 10);
BENCHMARK_MAIN();
