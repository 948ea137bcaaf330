#include "platform/httpexchange.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <limits>

#include <pthread.h>
#include <sched.h>

namespace {

// The thread answers the requests of the program's window thread, which waits for it asleep: when that thread
// wakes it to send a request, it must not take the processor from the window thread at once, which would
// then be pushed off the processor once more for every request. A batch thread gets its full share of
// the processor but never displaces a running thread when it wakes; the connection threads it starts inherit
// the same.
class NetworkThread : public QThread {
protected:
    void run() override {
        const sched_param unused{};
        pthread_setschedparam(pthread_self(), SCHED_BATCH, &unused);
        exec();
    }
};

QThread* runningNetworkThread = nullptr;

void endNetworkThread() {
    if (!runningNetworkThread)
        return;
    runningNetworkThread->quit();
    runningNetworkThread->wait();
    delete runningNetworkThread;
    runningNetworkThread = nullptr;
}

} // namespace

QThread* networkThread() {
    if (!runningNetworkThread) {
        runningNetworkThread = new NetworkThread;
        runningNetworkThread->setObjectName(QStringLiteral("HttpClients"));
        runningNetworkThread->start();
        qAddPostRoutine(endNetworkThread);
    }
    return runningNetworkThread;
}

HttpExchange::HttpExchange(QNetworkAccessManager* manager, QNetworkRequest request, bool post, QByteArray body,
                           int silenceMs, qint64 overallMs, qint64 maxBytes, std::shared_ptr<Result> result)
    : manager_(manager), request_(std::move(request)), post_(post), sent_(std::move(body)), overallMs_(overallMs),
      maxBytes_(maxBytes), result_(std::move(result)) {
    // Children of the exchange, so they move to the network thread with it.
    for (QTimer* timer : {silence_, overall_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    silence_->setInterval(silenceMs);
    connect(silence_, &QTimer::timeout, this, [this] { stopWith(Stop::Silence); });
    connect(overall_, &QTimer::timeout, this, [this] { stopWith(Stop::Overall); });
}

HttpExchange::~HttpExchange() {
    if (reply_) {
        reply_->disconnect(this);
        if (!reply_->isFinished())
            reply_->abort();
        reply_->deleteLater();
    }
}

void HttpExchange::start() {
    if (!manager_) {
        end();
        return;
    }
    QNetworkReply* reply = post_ ? manager_->post(request_, sent_) : manager_->get(request_);
    reply_ = reply;
    const auto heard = [this] { silence_->start(); };
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply, heard] {
        heard();
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxBytes_)
            stopWith(Stop::TooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, heard] {
        heard();
        take();
    });
    connect(reply, &QNetworkReply::downloadProgress, this, heard);
    connect(reply, &QNetworkReply::uploadProgress, this, heard);
    connect(reply, &QNetworkReply::finished, this, &HttpExchange::end);
    connect(reply, &QObject::destroyed, this, &HttpExchange::end);
    silence_->start();
    overall_->start(int(std::clamp<qint64>(overallMs_, 0, std::numeric_limits<int>::max())));
    if (reply->isFinished())
        end();
}

void HttpExchange::abort() {
    if (reply_ && !reply_->isFinished())
        reply_->abort();
}

void HttpExchange::stopWith(Stop why) {
    if (outcome_.stop == Stop::None)
        outcome_.stop = why;
    if (reply_)
        reply_->abort();
}

// The body is taken as it arrives, so an oversized reply is stopped before it is held whole.
void HttpExchange::take() {
    if (!reply_)
        return;
    outcome_.body += reply_->readAll();
    if (outcome_.body.size() > maxBytes_)
        stopWith(Stop::TooLarge);
}

void HttpExchange::end() {
    if (result_->ended.load(std::memory_order_relaxed))
        return;
    silence_->stop();
    overall_->stop();
    if (reply_ && reply_->isFinished()) {
        if (outcome_.stop == Stop::None)
            take();
        outcome_.finished = true;
        outcome_.status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        outcome_.error = reply_->error();
        outcome_.errorString = reply_->errorString();
        outcome_.location = reply_->rawHeader("Location");
    }
    result_->outcome = std::move(outcome_);
    result_->ended.store(true, std::memory_order_release);
    // Told through the application object, which lives in the waiting thread for the whole run: no connection
    // links this thread's objects to the caller's, so neither side waits for the other's locks as the
    // exchange and the caller's loop go.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(application, [result = result_] {
            if (result->waiting)
                result->waiting->quit();
        });
    }
    deleteLater();
}
