#pragma once

#include <QByteArray>
#include <QString>

class HttpClient;

// How the stock fund page and the period query fetch the fund-flow detail page: their clients' settings and
// the one request.
namespace FlowPage {

// The old client component's user agent, which the fund-flow site sees from both readers.
inline const QString clientUserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");
// A stalled site must not hold a read for ever: past this much silence the read fails.
inline constexpr int clientReadTimeoutMs = 5000;

// What both readers tell the user when the page cannot be read.
inline const QString readFailedMessage = QStringLiteral("读取数据错误，请重试");

// Gives a client the readers' settings: the user agent above, the usual accept and content type, the read
// time-out, and redirects not followed.
void prepareClient(HttpClient& client);

// The page of a six-digit code, fetched on `client`; the connection is closed after the body or the failure.
// A failure, and a code that is not six digits, throws (the latter before any request).
QByteArray fetch(HttpClient& client, const QString& code);

} // namespace FlowPage
