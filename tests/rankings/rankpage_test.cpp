#include "rankings/rankpage.h"

#include "platform/gbk.h"

#include <gtest/gtest.h>

using Rankings::Gathering;

namespace {

const QByteArray kMarker = "this.style.backgroundColor=";

// Each row's cell values joined by "|", rows by "/".
QString walked(const QByteArray& page) {
    QStringList rows;
    for (const Rankings::RankRow& row : Rankings::rankpage(page)) {
        QStringList cells;
        for (int cell = 1; row.has(cell); ++cell)
            cells << row.text(cell);
        rows << QString::number(row.number) + QLatin1Char(':') + cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char('/'));
}

} // namespace

TEST(RankPage, RowsAndCellsAsTheMarkersSay) {
    struct Case {
        const char* what;
        QByteArray page;
        QString rows;
    };
    const QList<Case> cases{
        {"value after the first >", kMarker + "''\"><td align=\"center\">600519</td><td>a>b</td></tr>",
         QStringLiteral("1:600519|b")},
        {"a cell without > keeps its text", kMarker + "'><tdX12.5</td></tr>", QStringLiteral("1:12.5")},
        {"second marker moves the row start", kMarker + "<td>lost</td>" + kMarker + "<td>kept</td></tr>",
         QStringLiteral("1:kept")},
        {"</tr> without a row is ignored",
         "<tr><td>head</td></tr>" + kMarker + "<td>1</td></tr></tr>" + kMarker + "<td>2</td><td>3</td></tr>",
         QStringLiteral("1:1/2:2|3")},
        {"a row cut short is no row", kMarker + "<td>1</td></tr>" + kMarker + "<td>2</td>", QStringLiteral("1:1")},
        {"no marker, no rows", "<html><body>没有数据</body></html>", QString()},
        {"a marker's first byte as a GBK trail byte is no marker", "\x81" + kMarker + "<td>1</td></tr>", QString()},
        {"<td followed by a two-byte character", kMarker + "<td" + Gbk::encode(QStringLiteral("名")) + "xy</td></tr>",
         QStringLiteral("1:xy")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(walked(c.page), c.rows) << c.what;
}

TEST(RankPage, GatheringCompletesOnceWithThePieceThatEndsTheMarkerAndGivesUpPast16MB) {
    const QByteArray reply = "HTTP/1.1 200 OK\r\n\r\n<html><body>rows</body></html>";
    for (qsizetype pieceSize : {1, 3, 7, 100}) {
        QByteArray buffer;
        QList<Gathering> results;
        for (qsizetype at = 0; at < reply.size(); at += pieceSize)
            results << Rankings::gatherReply(buffer, reply.sliced(at, std::min(pieceSize, reply.size() - at)));
        EXPECT_EQ(results.count(Gathering::Complete), 1) << pieceSize;
        EXPECT_EQ(results.indexOf(Gathering::Complete), (reply.indexOf("</body>") + 6) / pieceSize) << pieceSize;
    }
    QByteArray buffer(Rankings::maxReplyBytes - 1, 'x');
    EXPECT_EQ(Rankings::gatherReply(buffer, "x"), Gathering::Waiting);
    EXPECT_EQ(Rankings::gatherReply(buffer, "x"), Gathering::TooLarge);
}
