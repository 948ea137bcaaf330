#include "app/backend.h"

#include "app/hosts.h"
#include "platform/httpclient.h"

#include <algorithm>
#include <string_view>

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

// The standard library's search runs to the next possible first character at once; Qt's byte search steps
// through a long reply in short skips, and a payload seldom holds the "<" that "</body>" starts with.
QByteArrayView envelopePayloadView(QByteArrayView reply, const QString& marker) {
    const auto standard = [](QByteArrayView bytes) {
        return std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()));
    };
    static const QByteArray end = bodyEnd.toLatin1();
    const QByteArray begin = marker.toLatin1();
    const std::string_view text = standard(reply);
    const std::size_t start = text.find(standard(begin));
    if (start == std::string_view::npos)
        return {};
    const std::size_t from = start + standard(begin).size();
    const std::size_t to = std::min(text.find(standard(end), from), text.size());
    return reply.sliced(static_cast<qsizetype>(from), static_cast<qsizetype>(to - from));
}

QByteArray envelopePayload(const QByteArray& reply, const QString& marker) {
    const QByteArrayView payload = envelopePayloadView(reply, marker);
    return payload.isNull() ? QByteArray() : payload.toByteArray();
}

bool replyContains(const QByteArray& reply, const QString& word) {
    return Gbk::decode(reply).contains(word);
}

} // namespace Backend
