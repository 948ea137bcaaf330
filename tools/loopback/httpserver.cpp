#include "loopback/httpserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace Loopback {

namespace {

// A request head larger than this is refused rather than buffered for ever.
constexpr qsizetype maxHeadSize = 1 << 20;

QByteArray decodeFormPart(QByteArray part) {
    part.replace('+', ' ');
    return QByteArray::fromPercentEncoding(part);
}

QByteArray fieldValue(const QByteArray& text, const QByteArray& name) {
    for (const auto& [field, value] : parseForm(text)) {
        if (field == name)
            return value;
    }
    return {};
}

QByteArray reasonPhrase(int status) {
    static const std::pair<int, const char*> phrases[] = {{200, "OK"},
                                                          {301, "Moved Permanently"},
                                                          {302, "Found"},
                                                          {303, "See Other"},
                                                          {307, "Temporary Redirect"},
                                                          {400, "Bad Request"},
                                                          {403, "Forbidden"},
                                                          {404, "Not Found"},
                                                          {500, "Internal Server Error"},
                                                          {503, "Service Unavailable"}};
    for (const auto& [code, phrase] : phrases) {
        if (code == status)
            return phrase;
    }
    return "Status";
}

// Where the head ends (the index just past its empty line), or -1 while it is incomplete.
qsizetype headEnd(const QByteArray& buffer) {
    const qsizetype crlf = buffer.indexOf("\r\n\r\n");
    const qsizetype lf = buffer.indexOf("\n\n");
    if (crlf >= 0 && (lf < 0 || crlf + 1 <= lf))
        return crlf + 4;
    return lf >= 0 ? lf + 2 : -1;
}

enum class Parse { Incomplete, Done, Bad };

bool parseHead(const QByteArray& head, HttpRequest& request) {
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    const QList<QByteArray> words = lines.value(0).simplified().split(' ');
    if (words.size() != 3 || !words[2].startsWith("HTTP/"))
        return false;
    request.method = words[0];
    request.target = words[1];
    request.version = words[2];
    const qsizetype mark = request.target.indexOf('?');
    request.path = mark < 0 ? request.target : request.target.left(mark);
    request.query = mark < 0 ? QByteArray() : request.target.mid(mark + 1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const qsizetype colon = lines[i].indexOf(':');
        if (colon <= 0)
            return false;
        request.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    return true;
}

// Takes one whole request off the front of `buffer`. Request bodies must come with a Content-Length;
// chunked request bodies are refused.
Parse takeRequest(QByteArray& buffer, HttpRequest& request) {
    const qsizetype end = headEnd(buffer);
    if (end < 0)
        return buffer.size() > maxHeadSize ? Parse::Bad : Parse::Incomplete;
    if (!parseHead(buffer.left(end), request))
        return Parse::Bad;
    if (request.hasHeader("Transfer-Encoding"))
        return Parse::Bad;
    qsizetype length = 0;
    if (request.hasHeader("Content-Length")) {
        bool ok = false;
        length = request.header("Content-Length").toLongLong(&ok);
        if (!ok || length < 0)
            return Parse::Bad;
    }
    if (buffer.size() - end < length)
        return Parse::Incomplete;
    request.raw = buffer.left(end + length);
    request.body = buffer.mid(end, length);
    buffer.remove(0, end + length);
    return Parse::Done;
}

bool wantsClose(const HttpRequest& request) {
    const QByteArray connection = request.header("Connection").toLower();
    if (connection.contains("close"))
        return true;
    return request.version == "HTTP/1.0" && !connection.contains("keep-alive");
}

} // namespace

HeaderList parseForm(const QByteArray& text) {
    HeaderList fields;
    for (const QByteArray& part : text.split('&')) {
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf('=');
        if (equals < 0)
            fields.append({decodeFormPart(part), QByteArray()});
        else
            fields.append({decodeFormPart(part.left(equals)), decodeFormPart(part.mid(equals + 1))});
    }
    return fields;
}

QByteArray HttpRequest::header(const QByteArray& name) const {
    for (const auto& [field, value] : headers) {
        if (field.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

bool HttpRequest::hasHeader(const QByteArray& name) const {
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QList<QByteArray> HttpRequest::headerNames() const {
    QList<QByteArray> names;
    for (const auto& header : headers)
        names.append(header.first);
    return names;
}

QByteArray HttpRequest::queryValue(const QByteArray& name) const {
    return fieldValue(query, name);
}

QByteArray HttpRequest::formValue(const QByteArray& name) const {
    return fieldValue(body, name);
}

HttpReply HttpReply::html(const QByteArray& body, const QByteArray& contentType) {
    HttpReply reply;
    reply.headers.append({"Content-Type", contentType});
    reply.body = body;
    return reply;
}

HttpReply HttpReply::redirect(const QByteArray& location, int status) {
    HttpReply reply;
    reply.status = status;
    reply.headers.append({"Location", location});
    return reply;
}

HttpReply HttpReply::error(int status) {
    HttpReply reply = html("<html><body>" + QByteArray::number(status) + ' ' + reasonPhrase(status) + "</body></html>");
    reply.status = status;
    return reply;
}

HttpReply& HttpReply::withHeader(const QByteArray& name, const QByteArray& value) {
    headers.append({name, value});
    return *this;
}

HttpReply& HttpReply::withDelivery(const Delivery& plan) {
    delivery = plan;
    return *this;
}

QByteArray HttpReply::bytes() const {
    if (!raw.isEmpty())
        return raw;
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + (reason.isEmpty() ? reasonPhrase(status) : reason);
    out += "\r\n";
    bool hasLength = false;
    for (const auto& [name, value] : headers) {
        out += name + ": " + value + "\r\n";
        hasLength = hasLength || name.compare("Content-Length", Qt::CaseInsensitive) == 0;
    }
    if (!hasLength)
        out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (close)
        out += "Connection: close\r\n";
    return out + "\r\n" + body;
}

// One accepted connection: reads requests off the socket and answers them one after the other.
class HttpServer::Connection : public QObject {
public:
    Connection(HttpServer* server, QTcpSocket* socket, int id)
        : QObject(server), server_(server), socket_(socket), id_(id) {
        socket_->setParent(this);
        connect(socket_, &QTcpSocket::readyRead, this, &Connection::readMore);
        connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        readMore();
    }

private:
    void readMore() {
        buffer_ += socket_->readAll();
        next();
    }

    void next() {
        if (busy_)
            return;
        HttpRequest request;
        const Parse parsed = takeRequest(buffer_, request);
        if (parsed == Parse::Incomplete)
            return;
        request.connection = id_;
        HttpReply reply;
        if (parsed == Parse::Bad) {
            request.raw = buffer_;
            buffer_.clear();
            reply = HttpReply::error(400);
            reply.close = true;
        } else {
            reply = server_->answer(request);
            reply.close = reply.close || wantsClose(request);
        }
        busy_ = true;
        const bool close = reply.close;
        deliver(socket_, reply.bytes(), reply.delivery, [this, close] {
            busy_ = false;
            if (close)
                socket_->disconnectFromHost();
            else
                next();
        });
        server_->record(request, reply.status);
    }

    HttpServer* server_;
    QTcpSocket* socket_;
    int id_;
    QByteArray buffer_;
    bool busy_ = false; // a reply is on its way; later requests wait in the buffer
};

HttpServer::HttpServer(QObject* parent) : QObject(parent), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &HttpServer::accept);
    fallback_ = [](const HttpRequest&) { return HttpReply::error(404); };
}

HttpServer::~HttpServer() = default;

bool HttpServer::listen(quint16 port) {
    return server_->listen(QHostAddress::LocalHost, port);
}

quint16 HttpServer::port() const {
    return server_->serverPort();
}

QString HttpServer::url(const QString& target) const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port()) + target;
}

void HttpServer::route(const QByteArray& path, Handler handler) {
    exact_.insert(path, std::move(handler));
}

void HttpServer::routePrefix(const QByteArray& prefix, Handler handler) {
    prefixes_.insert(prefix, std::move(handler));
}

void HttpServer::setFallback(Handler handler) {
    fallback_ = std::move(handler);
}

HttpRequest HttpServer::lastRequest() const {
    return log_.isEmpty() ? HttpRequest() : log_.last();
}

void HttpServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        ++connections_;
        new Connection(this, socket, connections_);
    }
}

HttpReply HttpServer::answer(const HttpRequest& request) const {
    const Handler* handler = nullptr;
    if (const auto found = exact_.constFind(request.path); found != exact_.constEnd()) {
        handler = &found.value();
    } else {
        qsizetype longest = -1;
        for (auto it = prefixes_.constBegin(); it != prefixes_.constEnd(); ++it) {
            if (request.path.startsWith(it.key()) && it.key().size() > longest) {
                longest = it.key().size();
                handler = &it.value();
            }
        }
    }
    try {
        return handler ? (*handler)(request) : fallback_(request);
    } catch (...) {
        return HttpReply::error(500);
    }
}

void HttpServer::record(const HttpRequest& request, int status) {
    log_.append(request);
    emit requestHandled(request, status);
}

} // namespace Loopback
