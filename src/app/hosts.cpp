#include "app/hosts.h"

#include <QUrl>

#include <optional>

namespace {
std::optional<QString>& overrideValue() {
    static std::optional<QString> value;
    return value;
}
} // namespace

namespace Hosts {

QString sitesOverride() {
    if (!overrideValue()) {
        QString value = qEnvironmentVariable("BRENNOC_SITES").trimmed();
        while (value.endsWith(QLatin1Char('/')))
            value.chop(1);
        overrideValue() = value;
    }
    return *overrideValue();
}

void setSitesOverrideForTests(const QString& base) {
    if (base.isEmpty()) {
        overrideValue().reset(); // read BRENNOC_SITES again
        return;
    }
    QString value = base;
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    overrideValue() = value;
}

QString base(const Site& site) {
    const QString sites = sitesOverride();
    if (sites.isEmpty())
        return QString::fromLatin1(site.live);
    return sites + QLatin1Char('/') + QLatin1String(site.key);
}

QString rankingAddress() {
    const QString sites = sitesOverride();
    return sites.isEmpty() ? QString::fromLatin1(rankingLiveAddress) : QUrl(sites).host();
}

quint16 rankingPort() {
    const QString sites = sitesOverride();
    return sites.isEmpty() ? rankingLivePort : static_cast<quint16>(QUrl(sites).port(80));
}

} // namespace Hosts
