#include "news/stockcomment.h"

#include "news/pagescan.h"

namespace News {

namespace {

const QString kPathPrefix = QStringLiteral("/data/qgqp.asp?zqdm=");

const QString kCommentCell = QStringLiteral("\"156\">&nbsp;");
const QString kTagEnd = QStringLiteral("\">");
const QString kCommentEnd = QStringLiteral("</font>");

} // namespace

QString stockCommentPath(const QString& code) {
    return stockPagePath(kPathPrefix, code, QString());
}

std::optional<QString> readStockComment(QStringView page) {
    bool inCell = false;
    qsizetype start = -1;
    for (qsizetype i = 0; i < page.size(); ++i) {
        const QChar c = page[i];
        if (c != u'"' && c != u'<')
            continue;
        if (matchesAt(page, i, kCommentCell))
            inCell = true;
        else if (inCell && matchesAt(page, i, kTagEnd))
            start = i + kTagEnd.size();
        else if (start >= 0 && matchesAt(page, i, kCommentEnd))
            return between(page, start, i);
    }
    return std::nullopt;
}

} // namespace News
