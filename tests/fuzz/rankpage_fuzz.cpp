// The ranking page: the reply gathered in pieces, the row walk, and the board's reading of the rows.
#include "fuzzing.h"

#include "rankings/rankboard.h"
#include "rankings/rankpage.h"

using namespace Rankings;

namespace {

// The first byte sets the piece size; the reply gathered in pieces completes exactly with the piece that
// holds the end of its first "</body>".
void checkGathering(const QByteArray& reply) {
    if (reply.isEmpty())
        return;
    const qsizetype pieceSize = 1 + static_cast<unsigned char>(reply[0]) % 64;
    const qsizetype end = reply.indexOf(replyEnd);
    QByteArray buffer;
    for (qsizetype at = 0; at < reply.size(); at += pieceSize) {
        const qsizetype size = std::min(pieceSize, reply.size() - at);
        const Gathering result = gatherReply(buffer, QByteArrayView(reply).sliced(at, size));
        const bool completes = end >= 0 && end + replyEnd.size() > at && end + replyEnd.size() <= at + size;
        fuzzCheck((result == Gathering::Complete) == completes, "the piece holding the end completes the reply");
        if (completes)
            return;
    }
    fuzzCheck(buffer == reply, "gathering keeps every byte");
}

void checkBoard(const QList<RankRow>& rows) {
    const TdcBoard board = readTdcPage(rows, QStringLiteral("2"));
    fuzzCheck(board.top.size() <= boxSize && board.low.size() <= boxSize, "a box holds at most twelve stocks");
    fuzzCheck(readDdxPage(rows, QStringLiteral("2")).size() <= boxSize, "box 3 holds at most twelve stocks");
    for (const BoardStock& stock : board.top)
        fuzzCheck(stock.caption().startsWith(stock.key()), "a caption is the stock's key and its change");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray page = fuzzBytes(data, size);
    checkGathering(page);
    const QList<RankRow> rows = rankpage(page);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        fuzzCheck(rows[i].number == i + 1, "rows are numbered 1, 2, ... in page order");
        for (const QByteArrayView cell : rows[i].cells) {
            fuzzCheck(cell.isEmpty() || (cell.data() >= page.data() && cell.data() + cell.size() <= page.data() + size),
                      "a cell's value lies inside the page");
        }
    }
    checkBoard(rows);
    return 0;
}
