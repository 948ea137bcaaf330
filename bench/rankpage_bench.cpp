// A ranking reply gathered from 1 KB pieces, as the socket hands it over, and walked into rows: a reply of
// 0.5 MB and one of 4 MB take the same time per megabyte.
#include "pages.h"
#include "platform/gbk.h"
#include "rankings/rankpage.h"

#include <QString>

namespace {

constexpr qsizetype kPieceBytes = 1024;

// One row in the site's layout: the two mouse handlers, 36 cells with attributes, the name in GBK.
QByteArray rankRow(int rank) {
    QByteArray row = "<tr onmouseover=\"this.style.backgroundColor='#FFFFCC'\" "
                     "onmouseout=\"this.style.backgroundColor=''\" bgcolor=\"#FFFFFF\">";
    for (int cell = 1; cell <= 34; ++cell)
        row += "<td align=\"center\">" + QByteArray::number(rank * 37 + cell) + ".25</td>";
    row += "<td class=\"name\">" + Gbk::encode(QStringLiteral("贵州茅台")) + "</td>";
    return row + "<td><a href=\"/stock.asp?code=600519\" target=\"_blank\">详细</a></td></tr>\n";
}

QByteArray rankReply(qsizetype bytes) {
    return BenchPages::repeatRows("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<html><body><table>\n", rankRow,
                                  "</table></body></html>", bytes);
}

void RankReplyGatherAndWalk(benchmark::State& state) {
    const QByteArray reply = rankReply(state.range(0));
    BenchPages::readPage(state, reply, [](const QByteArray& bytes) {
        QByteArray buffer;
        for (qsizetype at = 0; at < bytes.size(); at += kPieceBytes) {
            const QByteArrayView piece = QByteArrayView(bytes).sliced(at, std::min(kPieceBytes, bytes.size() - at));
            if (Rankings::gatherReply(buffer, piece) == Rankings::Gathering::Complete)
                break;
        }
        return Rankings::rankpage(buffer).size();
    });
}

} // namespace

BENCHMARK(RankReplyGatherAndWalk)->Arg(512 << 10)->Arg(4 << 20);
BENCHMARK_MAIN();
