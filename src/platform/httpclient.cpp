#include "platform/httpclient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>

const QString HttpClient::defaultUserAgent = QStringLiteral("'Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)");
const QString HttpClient::defaultAccept = QStringLiteral("text/html, */*");
const QString HttpClient::defaultContentType = QStringLiteral("text/html");
const QString HttpClient::formContentType = QStringLiteral("application/x-www-form-urlencoded");

namespace {

// Asking for the body as it is keeps the network library from announcing and undoing compressions of its
// own: the callers get the bytes the server sent.
constexpr char identityEncoding[] = "identity";

bool isRedirect(int status) {
    return status >= 300 && status < 400;
}

// Statuses after which a POST goes on as a GET without its body, as browsers do.
bool turnsPostIntoGet(int status) {
    return status == 301 || status == 302 || status == 303;
}

bool isWebAddress(const QString& url) {
    const QString scheme = QUrl(url).scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

} // namespace

HttpClient::HttpClient(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {
    // A fresh jar per client keeps cookies in memory and apart from every other client.
    manager_->setCookieJar(new QNetworkCookieJar(manager_));
    // Requests go straight to the server, whatever proxy the desktop announces.
    manager_->setProxy(QNetworkProxy::NoProxy);
}

HttpClient::~HttpClient() = default;

QByteArray HttpClient::get(const QString& url) {
    return fetch(url, false, {});
}

QByteArray HttpClient::post(const QString& url, const Gbk::FormFields& fields) {
    return fetch(url, true, Gbk::formBody(fields));
}

void HttpClient::close() {
    // Dropping the connection under a request that still waits would break that request; the drop then
    // happens when the last waiting request ends.
    if (waiting_ > 0) {
        closePending_ = true;
        return;
    }
    closePending_ = false;
    manager_->clearConnectionCache();
}

// Redirects are followed here rather than by the network library, whose own following was seen to send the
// first request twice now and then: a doubled POST would store a record twice.
QByteArray HttpClient::fetch(QString url, bool post, QByteArray body) {
    const QDeadlineTimer deadline(2 * qint64(readTimeout()), Qt::PreciseTimer);
    for (int hop = 0;; ++hop) {
        const Answer answer =
            wait(post ? manager_->post(request(url, formContentType), body) : manager_->get(request(url, contentType_)),
                 deadline);
        if (!isRedirect(answer.status))
            return answer.body;
        if (!followRedirects_)
            throw HttpError(QStringLiteral("%1: redirect %2 not followed").arg(url).arg(answer.status), answer.status);
        if (hop == maxRedirects)
            throw HttpError(QStringLiteral("%1: more than %2 redirects").arg(url).arg(maxRedirects), answer.status);
        if (!isWebAddress(answer.location))
            throw HttpError(QStringLiteral("%1: redirect %2 to no web address").arg(url).arg(answer.status),
                            answer.status);
        url = answer.location;
        if (post && turnsPostIntoGet(answer.status)) {
            post = false;
            body.clear();
        }
    }
}

QNetworkRequest HttpClient::request(const QString& url, const QString& contentType) const {
    // The address keeps its percent-encoded bytes (GBK form values) as they are, except that the URL parser
    // writes the unreserved characters "-", ".", "_" and "~" plainly where the address encodes them; servers
    // read both forms alike.
    QNetworkRequest request{QUrl::fromEncoded(url.toUtf8())};
    request.setRawHeader("User-Agent", userAgent_.toLatin1());
    request.setRawHeader("Accept", accept_.toLatin1());
    if (!contentType.isEmpty())
        request.setRawHeader("Content-Type", contentType.toLatin1());
    request.setRawHeader("Accept-Encoding", identityEncoding);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    return request;
}

HttpClient::Answer HttpClient::wait(QNetworkReply* reply, const QDeadlineTimer& deadline) {
    const QPointer<QNetworkReply> watched(reply);
    const QPointer<HttpClient> self(this);
    const QUrl url = reply->url();
    const QString address = url.toString();
    const int timeoutMs = readTimeout();

    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    silence.setTimerType(Qt::PreciseTimer);
    silence.setInterval(timeoutMs);
    QTimer overall;
    overall.setSingleShot(true);
    overall.setTimerType(Qt::PreciseTimer);
    enum class Stop { None, Silence, Overall, TooLarge } stop = Stop::None;
    const auto stopWith = [&stop, reply](Stop why) {
        if (stop == Stop::None)
            stop = why;
        reply->abort();
    };
    // The body is taken as it arrives, so an oversized reply is stopped before it is held whole.
    QByteArray body;
    const auto take = [&] {
        body += reply->readAll();
        if (body.size() > maxReplyBytes)
            stopWith(Stop::TooLarge);
    };
    const auto heard = [&silence] { silence.start(); };
    connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        heard();
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxReplyBytes)
            stopWith(Stop::TooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        heard();
        take();
    });
    connect(reply, &QNetworkReply::downloadProgress, &loop, heard);
    connect(reply, &QNetworkReply::uploadProgress, &loop, heard);
    connect(&silence, &QTimer::timeout, &loop, [&] { stopWith(Stop::Silence); });
    connect(&overall, &QTimer::timeout, &loop, [&] { stopWith(Stop::Overall); });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(reply, &QObject::destroyed, &loop, &QEventLoop::quit);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, [reply] { reply->abort(); });

    ++waiting_;
    silence.start();
    overall.start(int(std::max<qint64>(0, deadline.remainingTime())));
    if (!reply->isFinished())
        loop.exec();
    if (!self)
        throw HttpError(QStringLiteral("request to %1 dropped: its client is gone").arg(address));
    --waiting_;
    if (waiting_ == 0 && closePending_)
        close();
    if (!watched)
        throw HttpError(QStringLiteral("request to %1 dropped").arg(address));

    // The reply goes once the caller has its bytes or its error.
    const std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> owned(reply,
                                                                         [](QNetworkReply* r) { r->deleteLater(); });
    if (!reply->isFinished()) {
        // The nested loop was told to end: the program is quitting.
        reply->abort();
        throw HttpError(QStringLiteral("request to %1 abandoned: the program is quitting").arg(address));
    }
    if (stop == Stop::None)
        take();
    if (stop == Stop::Silence)
        throw HttpError(QStringLiteral("no data from %1 for %2 ms").arg(address).arg(timeoutMs));
    if (stop == Stop::Overall)
        throw HttpError(QStringLiteral("%1 took longer than %2 ms").arg(address).arg(2 * timeoutMs));
    if (stop == Stop::TooLarge)
        throw HttpError(QStringLiteral("%1: reply larger than %2 bytes").arg(address).arg(maxReplyBytes));
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError)
        throw HttpError(QStringLiteral("%1: %2").arg(address, reply->errorString()), status);
    Answer answer{status, std::move(body), QString()};
    if (isRedirect(status)) {
        const QByteArray location = reply->rawHeader("Location");
        if (!location.isEmpty())
            answer.location = url.resolved(QUrl::fromEncoded(location)).toString(QUrl::FullyEncoded);
    }
    return answer;
}
