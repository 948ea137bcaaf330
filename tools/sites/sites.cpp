#include "sites.h"

#include "app/hosts.h"
#include "platform/gbk.h"

#include <QUrl>

#include <vector>

namespace Sites {

namespace {

const Hosts::Site* const knownSites[] = {
    &Hosts::backend,       &Hosts::quotes,           &Hosts::fundflow,      &Hosts::bigorder,    &Hosts::stockpool,
    &Hosts::klinePictures, &Hosts::realtimePictures, &Hosts::announcements, &Hosts::forum,       &Hosts::companyNews,
    &Hosts::comments,      &Hosts::newsPortal,       &Hosts::newsList,      &Hosts::watchedList, &Hosts::research1,
    &Hosts::research2,     &Hosts::stockData,        &Hosts::holdings,      &Hosts::contact,
};

const QByteArray envelopeHead = R"(<html><body bgcolor="#FFFFFF" text="#000000">)";
const QByteArray envelopeTail = "</body></html>";
const QByteArray gbkHtml = "text/html; charset=GBK";

std::vector<std::function<void(Registry&)>>& registrations() {
    static std::vector<std::function<void(Registry&)>> all;
    return all;
}

// The host of a Host line, without its port, in lower case.
QByteArray hostOnly(const QByteArray& hostLine) {
    QByteArray host = hostLine.trimmed().toLower();
    const qsizetype colon = host.lastIndexOf(':');
    if (colon >= 0 && !host.endsWith(']'))
        host.truncate(colon);
    return host;
}

template <typename Map> const Page* longestPrefix(const Map& prefixes, const QByteArray& path) {
    const Page* found = nullptr;
    qsizetype longest = -1;
    for (auto it = prefixes.constBegin(); it != prefixes.constEnd(); ++it) {
        if (path.startsWith(it.key()) && it.key().size() > longest) {
            longest = it.key().size();
            found = &it.value();
        }
    }
    return found;
}

} // namespace

Registry::Registry() {
    for (const Hosts::Site* site : knownSites)
        addSite(site->key, QUrl(QString::fromLatin1(site->live)).host().toLatin1());
    addSite(rankingKey, Hosts::rankingHostName);
}

void Registry::addSite(const QByteArray& key, const QByteArray& hostName) {
    sites_[key];
    hostNames_.insert(hostName.toLower(), key);
}

void Registry::addPage(const QByteArray& siteKey, const QByteArray& path, Page page) {
    sites_[siteKey].pages.insert(path, std::move(page));
}

void Registry::addPagePrefix(const QByteArray& siteKey, const QByteArray& prefix, Page page) {
    sites_[siteKey].prefixes.insert(prefix, std::move(page));
}

const Registry::Site* Registry::route(const Loopback::HttpRequest& request, Loopback::HttpRequest& local) const {
    local = request;
    const qsizetype slash = request.path.indexOf('/', 1);
    const QByteArray first = request.path.mid(1, slash < 0 ? -1 : slash - 1);
    if (const auto site = sites_.constFind(first); site != sites_.constEnd() && request.path.startsWith('/')) {
        local.path = slash < 0 ? QByteArray("/") : request.path.mid(slash);
        local.target = request.query.isEmpty() ? local.path : local.path + '?' + request.query;
        return &site.value();
    }
    const auto key = hostNames_.constFind(hostOnly(request.header("Host")));
    if (key == hostNames_.constEnd())
        return nullptr;
    const auto site = sites_.constFind(key.value());
    return site == sites_.constEnd() ? nullptr : &site.value();
}

Loopback::HttpReply Registry::serve(const Loopback::HttpRequest& request) const {
    Loopback::HttpRequest local;
    const Site* site = route(request, local);
    if (!site)
        return Loopback::HttpReply::error(404);
    if (const auto page = site->pages.constFind(local.path); page != site->pages.constEnd())
        return page.value()(local);
    if (const Page* page = longestPrefix(site->prefixes, local.path))
        return (*page)(local);
    return Loopback::HttpReply::error(404);
}

Registration::Registration(std::function<void(Registry&)> add) {
    registrations().push_back(std::move(add));
}

void Registration::addAll(Registry& registry) {
    for (const auto& add : registrations())
        add(registry);
}

QByteArray envelope(const QString& payload) {
    return envelopeHead + Gbk::encode(payload) + envelopeTail;
}

Loopback::HttpReply gbkPage(const QByteArray& gbk) {
    return Loopback::HttpReply::html(gbk, gbkHtml);
}

} // namespace Sites
