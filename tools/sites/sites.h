#pragma once

#include "loopback/httpserver.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <functional>

// The sample sites: every outside site the program reads, each under its own key on one loopback port.
// "/backend/gpcgad.html" is the back-end's "/gpcgad.html"; a request without a site key whose Host line
// names a site's live host (the ranking socket's request line is fixed, so it cannot carry a key) goes to
// that site. Each file of pages registers its own pages, so adding a site's pages touches no other file:
//
//   namespace {
//   const Sites::Registration pages([](Sites::Registry& sites) {
//       sites.addPage(Hosts::backend.key, "/gpgetnews.asp", [](const Loopback::HttpRequest& request) {
//           return Sites::gbkPage(Sites::envelope(QStringLiteral("...")));
//       });
//   });
//   } // namespace
//
// A page handler sees the request as the site's own server would: path and target without the site key.
namespace Sites {

using Page = Loopback::HttpServer::Handler;

// Key of the ranking site, reached over a raw socket with Hosts::rankingHostName in its Host line.
inline constexpr const char* rankingKey = "ranking";

class Registry {
public:
    // Knows every site of Hosts by its key and its live host name, and the ranking site.
    Registry();

    // A page at exactly `path` (the query does not count).
    void addPage(const QByteArray& siteKey, const QByteArray& path, Page page);
    // Every path that starts with `prefix` (pictures by name, for example); the longest prefix wins.
    void addPagePrefix(const QByteArray& siteKey, const QByteArray& prefix, Page page);

    // The reply to a request as it reached the server; 404 when no site or page matches.
    Loopback::HttpReply serve(const Loopback::HttpRequest& request) const;

private:
    struct Site {
        QMap<QByteArray, Page> pages;
        QMap<QByteArray, Page> prefixes;
    };

    // The site a request is for, with the request rewritten as that site sees it; nullptr for none.
    const Site* route(const Loopback::HttpRequest& request, Loopback::HttpRequest& local) const;
    void addSite(const QByteArray& key, const QByteArray& hostName);

    QMap<QByteArray, Site> sites_;           // by key
    QMap<QByteArray, QByteArray> hostNames_; // lower-case live host name -> key
};

// A file's pages, added to the registry when the server starts. Define one at namespace scope per file.
class Registration {
public:
    explicit Registration(std::function<void(Registry&)> add);
    // Runs every registration made so far.
    static void addAll(Registry& registry);
};

// The back-end's page layout: the payload inside a white page whose body-colour attribute ends right before
// it, as GBK bytes.
QByteArray envelope(const QString& payload);

// A 200 reply carrying a GBK HTML page.
Loopback::HttpReply gbkPage(const QByteArray& gbk);

// The server keeps every request it answered, which tests read; the sample sites run as long as the program
// does, polled every second, so they forget each request once requestHandled has announced it.
inline void forgetHandledRequests(Loopback::HttpServer& server) {
    QObject::connect(&server, &Loopback::HttpServer::requestHandled, &server, [&server] { server.clearLog(); });
}

} // namespace Sites
