#pragma once

#include <QByteArray>
#include <QString>

class HttpClient;

// The quote service's two pages, fetched on a caller's client. The connection is closed after the reply, or
// after the failure, as every reader of the service does; a failure throws.
namespace Quotes {

// The quote list page (`quotepage`) of one six-digit code.
QByteArray fetchQuotePage(HttpClient& client, const QString& code);
// The index page (`indexpage`).
QByteArray fetchIndexPage(HttpClient& client);

} // namespace Quotes
