#pragma once

#include "loopback/delivery.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>

#include <functional>

class QTcpServer;
class QTcpSocket;

// An HTTP/1.1 server on 127.0.0.1 for tests and for the sample sites. It runs on the thread that made it,
// driven by that thread's event loop, so it answers while a client on the same thread waits in a nested
// event loop.
//
//   Loopback::HttpServer server;
//   server.listen();                                   // an ephemeral port
//   server.route("/page.asp", [](const Loopback::HttpRequest& request) {
//       return Loopback::HttpReply::html("<html>" + request.queryValue("name") + "</html>");
//   });
//   client.get(server.url("/page.asp?name=x"));
//   EXPECT_EQ(server.lastRequest().header("User-Agent"), "...");
//
// Routing looks at the path (the target before "?"): an exact route first, then the longest matching prefix
// route, then the fallback (404 unless set). A handler that throws gives a 500 reply.
//
// Connections are kept alive as HTTP/1.1 wants: requests on one connection are answered in order, and the
// connection closes after a reply when the request asked for it ("Connection: close", or HTTP/1.0 without
// "Connection: keep-alive") or the reply sets `close`. A stalled reply leaves its connection open and deaf;
// a cut reply closes it.
//
// Every request is kept in the log with its bytes exactly as received, and announced by requestHandled.
namespace Loopback {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

// Decodes a form or query text: fields split at "&", name and value at the first "=", "+" becomes a blank
// and "%XX" the byte it names. The values stay bytes (GBK pages send GBK).
HeaderList parseForm(const QByteArray& text);

struct HttpRequest {
    QByteArray method;  // "GET", "POST", ...
    QByteArray target;  // as on the request line: path and query
    QByteArray version; // "HTTP/1.1"
    QByteArray path;    // target before "?"
    QByteArray query;   // target after "?", still encoded
    HeaderList headers; // in the order received, names as sent
    QByteArray body;
    QByteArray raw;     // the request's bytes exactly as received: request line, headers, body
    int connection = 0; // which connection it came on: 1 for the server's first, and so on

    // The first header of that name, compared without case; empty when absent.
    QByteArray header(const QByteArray& name) const;
    bool hasHeader(const QByteArray& name) const;
    QList<QByteArray> headerNames() const;
    // A decoded field of the query or of a form body; empty when absent.
    QByteArray queryValue(const QByteArray& name) const;
    QByteArray formValue(const QByteArray& name) const;
};

struct HttpReply {
    int status = 200;
    QByteArray reason;  // empty: the usual phrase for the status
    HeaderList headers; // in order; "Content-Length" is added unless present
    QByteArray body;
    QByteArray raw; // when not empty: sent exactly as it is instead of status, headers and body
    Delivery delivery;
    bool close = false; // close the connection after this reply (adds "Connection: close")

    // A 200 page.
    static HttpReply html(const QByteArray& body, const QByteArray& contentType = "text/html");
    // A redirect to `location` (absolute, or a path on the same server).
    static HttpReply redirect(const QByteArray& location, int status = 302);
    // A reply with that status and a one-line page naming it.
    static HttpReply error(int status);

    HttpReply& withHeader(const QByteArray& name, const QByteArray& value);
    HttpReply& withDelivery(const Delivery& plan);
    // What goes on the wire.
    QByteArray bytes() const;
};

class HttpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<HttpReply(const HttpRequest&)>;

    explicit HttpServer(QObject* parent = nullptr);
    ~HttpServer() override;

    // Starts listening on 127.0.0.1; 0 picks a free port. False when the port is taken.
    bool listen(quint16 port = 0);
    quint16 port() const;
    // "http://127.0.0.1:PORT" followed by `target` (which starts with "/").
    QString url(const QString& target = QStringLiteral("/")) const;

    void route(const QByteArray& path, Handler handler);
    void routePrefix(const QByteArray& prefix, Handler handler);
    void setFallback(Handler handler);

    // Every request so far, oldest first.
    const QList<HttpRequest>& requests() const { return log_; }
    // The newest request; an empty request when there is none.
    HttpRequest lastRequest() const;
    void clearLog() { log_.clear(); }
    // Connections accepted so far (a client that reuses its connection does not add one).
    int connectionCount() const { return connections_; }

signals:
    // A request has been read and its handler has chosen the reply (which may still be on its way).
    void requestHandled(const Loopback::HttpRequest& request, int status);

private:
    class Connection;
    void accept();
    HttpReply answer(const HttpRequest& request) const;
    void record(const HttpRequest& request, int status);

    QTcpServer* server_;
    QMap<QByteArray, Handler> exact_;
    QMap<QByteArray, Handler> prefixes_;
    Handler fallback_;
    QList<HttpRequest> log_;
    int connections_ = 0;
};

} // namespace Loopback
