#pragma once

#include "platform/failures.h"
#include "platform/gbk.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkRequest;

// A failed request: no connection, a time-out, an error status, a redirect that was not followed, or a
// connection lost before the reply ended. `status` is the HTTP status when the server sent one, else 0.
class HttpError : public Failure {
public:
    HttpError(const QString& message, int status = 0) : Failure(message), status(status) {}
    int status;
};

// One HTTP client of a window, the stand-in for the old client component. Each client keeps its own
// settings and its own cookie jar (nothing stored on disk).
//
// get() and post() block their caller in a nested event loop of the application's (GUI) thread, so timers,
// socket events and clicks go on while a request waits, as the program's handlers expect. A client is therefore
// made and used on that thread only, never from another one. The exchange itself runs in one network thread that
// every client shares, and the waiting caller wakes once, when the reply has ended: a program that fetches a
// page every few seconds all day then costs a single wake-up per fetch. Any failure throws HttpError; a request still
// waiting when the application quits is abandoned and throws too. Besides the read time-out, which counts
// silence, a request fails once twice the read time-out has passed since it was made (redirects included), so
// a site that trickles its reply cannot hold a handler for ever, and once its reply passes maxReplyBytes,
// which is never held in memory whole. The body comes back as the server sent it (the client asks for no
// compression and undoes none), over HTTP/1.1, with no proxy.
class HttpClient : public QObject {
    Q_OBJECT
public:
    // The settings every client starts with.
    static const QString defaultUserAgent;   // "'Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)"
    static const QString defaultAccept;      // "text/html, */*"
    static const QString defaultContentType; // "text/html"
    static const QString formContentType;    // "application/x-www-form-urlencoded"
    // Inactivity time-out of a client that sets none: a stalled server must not hold a handler for ever.
    static constexpr int defaultReadTimeoutMs = 30000;
    // Redirects followed for one request before it fails.
    static constexpr int maxRedirects = 15;
    // The largest reply taken: several times the largest page the program reads (a full ranking page).
    static constexpr qint64 maxReplyBytes = 16 * 1024 * 1024;

    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    void setUserAgent(const QString& agent) { userAgent_ = agent; }
    QString userAgent() const { return userAgent_; }
    void setAccept(const QString& accept) { accept_ = accept; }
    // Content type sent with GET requests; POST always sends the form content type.
    void setContentType(const QString& type) { contentType_ = type; }
    QString contentType() const { return contentType_; }
    // Longest silence allowed while a request waits; 0 means the default above.
    void setReadTimeout(int ms) { readTimeoutMs_ = ms; }
    int readTimeout() const { return readTimeoutMs_ > 0 ? readTimeoutMs_ : defaultReadTimeoutMs; }
    // Followed: up to maxRedirects hops; a 301, 302 or 303 after a POST continues as a GET.
    void setFollowRedirects(bool follow) { followRedirects_ = follow; }
    bool followRedirects() const { return followRedirects_; }

    // The reply body, byte for byte.
    QByteArray get(const QString& url);
    // Posts the fields as a form body (GBK, encoded in field order) and returns the reply body.
    QByteArray post(const QString& url, const Gbk::FormFields& fields);
    // Ends the connection after a reply has been read; the next request opens a new one.
    void close();

private:
    // A finished exchange that the server answered without an error status.
    struct Answer {
        int status = 0;
        QByteArray body;
        QString location; // a redirect's target, resolved against the request's address
    };

    QByteArray fetch(QString url, bool post, QByteArray body);
    QNetworkRequest request(const QString& url, const QString& contentType) const;
    Answer wait(QNetworkRequest request, bool post, QByteArray body, const QDeadlineTimer& deadline);

    QNetworkAccessManager* manager_; // lives in the network thread
    QString userAgent_ = defaultUserAgent;
    QString accept_ = defaultAccept;
    QString contentType_ = defaultContentType;
    int readTimeoutMs_ = 0;
    bool followRedirects_ = true;
    int waiting_ = 0;           // requests of this client waiting in their nested loops
    bool closePending_ = false; // close() came while a request waited
};
