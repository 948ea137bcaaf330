#include "app/backend.h"

#include "app/hosts.h"
#include "platform/httpclient.h"

namespace Backend {

QString serverurl() {
    return Hosts::base(Hosts::backend);
}

QString address(const QString& path, const Gbk::FormFields& query) {
    QString url = serverurl() + path;
    if (!query.isEmpty())
        url += QLatin1Char('?') + QString::fromLatin1(Gbk::formBody(query));
    return url;
}

void prepareFormClient(HttpClient& client) {
    client.setReadTimeout(formPostReadTimeoutMs);
    client.setContentType(HttpClient::formContentType);
}

QString envelopePayload(const QString& reply, const QString& marker) {
    const qsizetype start = reply.indexOf(marker);
    if (start < 0)
        return {};
    const qsizetype from = start + marker.size();
    const qsizetype end = reply.indexOf(bodyEnd, from);
    return end < 0 ? reply.mid(from) : reply.mid(from, end - from);
}

QByteArray envelopePayload(const QByteArray& reply, const QString& marker) {
    const QByteArray bytes = marker.toLatin1();
    const qsizetype start = reply.indexOf(bytes);
    if (start < 0)
        return {};
    const qsizetype from = start + bytes.size();
    const qsizetype end = reply.indexOf(bodyEnd.toLatin1(), from);
    return end < 0 ? reply.mid(from) : reply.mid(from, end - from);
}

bool replyContains(const QByteArray& reply, const QString& word) {
    return Gbk::decode(reply).contains(word);
}

} // namespace Backend
