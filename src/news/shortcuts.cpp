#include "news/shortcuts.h"

#include <QUrl>

namespace Shortcuts {

QString digestPath(const QDate& today) {
    return QStringLiteral("/a/") + today.addDays(-1).toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('/');
}

QString fundQueryPage(const QString& code) {
    return QStringLiteral("/ggcx/index.asp?dm=") + QString::fromLatin1(QUrl::toPercentEncoding(code));
}

} // namespace Shortcuts
