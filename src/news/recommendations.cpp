#include "news/recommendations.h"

#include "app/backend.h"
#include "platform/gbk.h"
#include "quotes/quoterecord.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr qsizetype markerSize = 3; // "$a0" ... "$a4"
constexpr int paddedIpSize = 16;
constexpr int unpaddedStockSize = 16;
constexpr int stockColumnSize = 16;

const QString oneBlank = QStringLiteral(" ");
const QString twoBlanks = QStringLiteral("  ");
const QString reasonGap = QStringLiteral("   ");
const QString timeOpen = QStringLiteral("【推荐时间：");
const QString timeClose = QStringLiteral("】");

// Blanks after a text narrower than `width` columns up to that width; a wider text stays as it is.
QString paddedTo(QStringView text, int width) {
    QString padded = text.toString();
    const int columns = Recommendations::columns(text);
    if (columns < width)
        padded.append(QString(width - columns, u' '));
    return padded;
}

// A stored stock as the caption's stock column shows it: without the blanks it was stored with, since those may
// already reach past the column ("京东方A(000725)" is 15 columns and stored with two), and with blanks up to the
// column's 16. A stock that is wider without its blanks than the column keeps its stored form.
QString stockColumn(QStringView stored) {
    QStringView stock = stored;
    while (stock.endsWith(u' '))
        stock.chop(1);
    return Recommendations::columns(stock) <= stockColumnSize ? paddedTo(stock, stockColumnSize) : stored.toString();
}

// The digit of the marker "$a<digit>" at `at`, or -1 when there is none.
int markerAt(QStringView text, qsizetype at) {
    if (at + markerSize > text.size() || text[at] != u'$' || text[at + 1] != u'a')
        return -1;
    const char16_t digit = text[at + 2].unicode();
    return digit >= u'0' && digit <= u'4' ? digit - u'0' : -1;
}

// One record's fields; each of "$a1" .. "$a3" closes its field wherever it stands, and the next field starts
// right after it.
std::optional<Recommendations::Tip> readRecord(QStringView record) {
    std::array<QStringView, 3> fields;
    std::array<bool, 3> closed{};
    qsizetype fieldStart = 0;
    for (qsizetype i = record.indexOf(u'$'); i >= 0; i = record.indexOf(u'$', i + 1)) {
        const int marker = markerAt(record, i);
        if (marker < 1 || marker > 3)
            continue;
        fields[marker - 1] = record.sliced(fieldStart, i - fieldStart);
        closed[marker - 1] = true;
        fieldStart = i + markerSize;
        i += markerSize - 1;
    }
    if (!closed[0] || !closed[1] || !closed[2])
        return std::nullopt;
    return Recommendations::Tip{Recommendations::paddedIp(fields[0]), Recommendations::paddedStock(fields[1]),
                                fields[2].toString(), record.sliced(fieldStart).toString()};
}

} // namespace

namespace Recommendations {

int columns(QStringView text) {
    return Gbk::byteLength(text.toString());
}

QString paddedIp(QStringView ip) {
    return paddedTo(ip, paddedIpSize);
}

QString paddedStock(QStringView stock) {
    const QStringView blanks = stock.startsWith(u'*')                ? QStringView(oneBlank)
                               : columns(stock) == unpaddedStockSize ? QStringView()
                                                                     : QStringView(twoBlanks);
    QString padded;
    padded.reserve(stock.size() + blanks.size());
    padded.append(stock);
    padded.append(blanks);
    return padded;
}

QList<Tip> readTips(QStringView reply) {
    const qsizetype marker = reply.indexOf(Backend::markerText);
    if (marker < 0)
        return {};
    // Records run to their own "$a4"; the scan does not stop at "</body>", which a reason may hold.
    QList<Tip> tips;
    qsizetype recordStart = -1;
    for (qsizetype i = reply.indexOf(u'$', marker + Backend::markerText.size()); i >= 0;
         i = reply.indexOf(u'$', i + 1)) {
        const int found = markerAt(reply, i);
        if (found == 0) {
            recordStart = i + markerSize;
        } else if (found == 4 && recordStart >= 0) {
            if (std::optional<Tip> tip = readRecord(reply.sliced(recordStart, i - recordStart).trimmed()))
                tips.append(*std::move(tip));
            recordStart = -1;
        } else {
            continue;
        }
        i += markerSize - 1;
    }
    return tips;
}

QList<Tip> readTipsReply(const QByteArray& reply) {
    return readTips(Gbk::decode(reply));
}

QList<Tip> withNewTips(const QList<Tip>& known, const QList<Tip>& batch, bool firstLoad) {
    QSet<QString> seen;
    for (const Tip& tip : known)
        seen.insert(tip.identity());
    QList<Tip> fresh;
    for (const Tip& tip : batch) {
        const QString identity = tip.identity();
        if (seen.contains(identity))
            continue;
        seen.insert(identity);
        fresh.append(tip);
    }
    return firstLoad ? known + fresh : fresh + known;
}

QString caption(const Tip& tip) {
    return oneBlank + tip.ip + oneBlank + stockColumn(tip.stock) + reasonGap + tip.reason;
}

QString hint(const Tip& tip) {
    return tip.reason + timeOpen + tip.time + timeClose;
}

QString captionCode(const QString& caption) {
    const qsizetype open = caption.indexOf(u'(');
    if (open < 0)
        return {};
    const qsizetype close = caption.indexOf(u')', open + 1);
    if (close < 0)
        return {};
    const QString code = caption.sliced(open + 1, close - open - 1);
    return Quotes::isStockCode(code) ? code : QString();
}

} // namespace Recommendations
