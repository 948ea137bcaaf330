#include "news/pagescan.h"

#include "platform/failures.h"
#include "quotes/quoterecord.h"

namespace News {

namespace {
constexpr qsizetype kCaptionLength = 16;
const QString kCut = QStringLiteral("...");
} // namespace

QString stockPagePath(const QString& prefix, const QString& code, const QString& suffix) {
    if (!Quotes::isStockCode(code))
        throw Failure(QStringLiteral("not a six-digit stock code"));
    return prefix + code + suffix;
}

QString shortCaption(const QString& title) {
    return title.size() > kCaptionLength ? title.left(kCaptionLength) + kCut : title;
}

} // namespace News
