#include "quotes/quoteservice.h"

#include "app/hosts.h"
#include "platform/httpclient.h"
#include "quotes/indexpage.h"
#include "quotes/quoterecord.h"

namespace Quotes {

namespace {

QByteArray getAndClose(HttpClient& client, const QString& path) {
    try {
        QByteArray body = client.get(Hosts::base(Hosts::quotes) + path);
        client.close();
        return body;
    } catch (...) {
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
