#include "platform/httpclient.h"

#include "platform/httpexchange.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>
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

HttpClient::HttpClient(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager) {
    // A fresh jar per client keeps cookies in memory and apart from every other client.
    manager_->setCookieJar(new QNetworkCookieJar(manager_));
    // Requests go straight to the server, whatever proxy the desktop announces.
    manager_->setProxy(QNetworkProxy::NoProxy);
    manager_->moveToThread(networkThread());
}

HttpClient::~HttpClient() {
    manager_->deleteLater();
}

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
    // Queued behind this client's earlier exchanges and ahead of its next one, in the manager's own thread.
    QMetaObject::invokeMethod(manager_, &QNetworkAccessManager::clearConnectionCache);
}

// Redirects are followed here rather than by the network library, whose own following was seen to send the
// first request twice now and then: a doubled POST would store a record twice.
QByteArray HttpClient::fetch(QString url, bool post, QByteArray body) {
    const QDeadlineTimer deadline(2 * qint64(readTimeout()), Qt::PreciseTimer);
    for (int hop = 0;; ++hop) {
        const Answer answer = wait(request(url, post ? formContentType : contentType_), post, body, deadline);
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

HttpClient::Answer HttpClient::wait(QNetworkRequest request, bool post, QByteArray body,
                                    const QDeadlineTimer& deadline) {
    // The wait below runs the events of the thread it is called on; only the application's thread has the
    // handlers, windows and timers that are meant to go on meanwhile.
    Q_ASSERT_X(QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread(),
               "HttpClient::wait", "an HttpClient waits only in the application's thread");
    const QPointer<HttpClient> self(this);
    const QUrl url = request.url();
    const QString address = url.toString();
    const int timeoutMs = readTimeout();

    const auto result = std::make_shared<HttpExchange::Result>();
    auto* exchange = new HttpExchange(manager_, std::move(request), post, std::move(body), timeoutMs,
                                      std::max<qint64>(0, deadline.remainingTime()), maxReplyBytes, result);
    const QPointer<HttpExchange> running(exchange);
    exchange->moveToThread(networkThread());

    QEventLoop loop;
    result->waiting = &loop;
    // A client deleted by a handler that ran while its request waited ends the wait.
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    QMetaObject::invokeMethod(exchange, &HttpExchange::start);

    ++waiting_;
    if (!result->ended.load(std::memory_order_acquire))
        loop.exec();
    if (!self)
        throw HttpError(QStringLiteral("request to %1 dropped: its client is gone").arg(address));
    --waiting_;
    if (waiting_ == 0 && closePending_)
        close();
    if (!result->ended.load(std::memory_order_acquire)) {
        // The nested loop was told to end: the program is quitting. The exchange is known only to its own
        // thread by now, so the stop is sent there through the manager, which lives in that thread.
        QMetaObject::invokeMethod(manager_, [running] {
            if (running)
                running->abort();
        });
        throw HttpError(QStringLiteral("request to %1 abandoned: the program is quitting").arg(address));
    }
    const HttpExchange::Outcome& outcome = result->outcome;
    if (!outcome.finished)
        throw HttpError(QStringLiteral("request to %1 dropped").arg(address));
    using Stop = HttpExchange::Stop;
    if (outcome.stop == Stop::Silence)
        throw HttpError(QStringLiteral("no data from %1 for %2 ms").arg(address).arg(timeoutMs));
    if (outcome.stop == Stop::Overall)
        throw HttpError(QStringLiteral("%1 took longer than %2 ms").arg(address).arg(2 * timeoutMs));
    if (outcome.stop == Stop::TooLarge)
        throw HttpError(QStringLiteral("%1: reply larger than %2 bytes").arg(address).arg(maxReplyBytes));
    if (outcome.error != QNetworkReply::NoError)
        throw HttpError(QStringLiteral("%1: %2").arg(address, outcome.errorString), outcome.status);
    Answer answer{outcome.status, outcome.body, QString()};
    if (isRedirect(outcome.status) && !outcome.location.isEmpty())
        answer.location = url.resolved(QUrl::fromEncoded(outcome.location)).toString(QUrl::FullyEncoded);
    return answer;
}
