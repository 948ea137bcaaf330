#include "quotes/quoteservice.h"

#include "app/hosts.h"
#include "platform/httpclient.h"
#include "quotes/indexpage.h"
#include "quotes/quoterecord.h"

#include <QPointer>

namespace Quotes {

namespace {

QByteArray getAndClose(HttpClient& client, const QString& path) {
    // A handler that runs while the request waits may delete the client: the request then fails, and there is no
    // client left to close.
    const QPointer<HttpClient> alive(&client);
    try {
        QByteArray body = client.get(Hosts::base(Hosts::quotes) + path);
        client.close();
        return body;
    } catch (...) {
        if (alive)
            client.close();
        throw;
    }
}

} // namespace

QByteArray fetchQuotePage(HttpClient& client, const QString& code) {
    return getAndClose(client, quotePagePath(code));
}

QByteArray fetchIndexPage(HttpClient& client) {
    return getAndClose(client, indexPagePath);
}

} // namespace Quotes
