#include "fundflow/flowclient.h"

#include "app/hosts.h"
#include "fundflow/flowpage.h"
#include "platform/httpclient.h"

namespace FlowPage {

void prepareClient(HttpClient& client) {
    client.setUserAgent(clientUserAgent);
    client.setAccept(HttpClient::defaultAccept);
    client.setContentType(HttpClient::defaultContentType);
    client.setReadTimeout(clientReadTimeoutMs);
    client.setFollowRedirects(false);
}

QByteArray fetch(HttpClient& client, const QString& code) {
    const QString address = Hosts::base(Hosts::fundflow) + pagePath(code);
    try {
        QByteArray body = client.get(address);
        client.close();
        return body;
    } catch (...) {
        client.close();
        throw;
    }
}

} // namespace FlowPage
