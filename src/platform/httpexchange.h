#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>

// The thread every HTTP client's requests run in. Started at the first call, ended when the application goes.
QThread* networkThread();

// One request and its reply, run in the network thread. The reply's steps (headers, each piece of the body, the
// end) are taken there, so the thread that waits for the exchange hears of it once, when it is over: the
// exchange then quits the `waiting` loop of the `Result` it shares with the waiting side, and deletes itself.
// The waiting side reads the outcome only once `ended` is true (until then the network thread writes it).
class HttpExchange : public QObject {
public:
    enum class Stop { None, Silence, Overall, TooLarge };
    struct Outcome {
        bool finished = false; // the reply ended; false when it was dropped before its end
        Stop stop = Stop::None;
        int status = 0;
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        QString errorString;
        QByteArray body;
        QByteArray location; // a redirect's Location header as sent
    };

    struct Result {
        std::atomic<bool> ended{false};
        Outcome outcome;
        QPointer<QEventLoop> waiting; // set and read in the waiting thread only
    };

    // Made in the waiting thread and moved to the network thread: `manager` must live there.
    HttpExchange(QNetworkAccessManager* manager, QNetworkRequest request, bool post, QByteArray body, int silenceMs,
                 qint64 overallMs, qint64 maxBytes, std::shared_ptr<Result> result);
    ~HttpExchange() override;

    // Sends the request; run in the network thread.
    void start();
    // Stops the reply as the program quits; run in the network thread.
    void abort();

private:
    void stopWith(Stop why);
    void take();
    void end();

    QPointer<QNetworkAccessManager> manager_;
    QNetworkRequest request_;
    bool post_;
    QByteArray sent_;
    qint64 overallMs_;
    qint64 maxBytes_;
    QPointer<QNetworkReply> reply_;
    QTimer* silence_ = new QTimer(this);
    QTimer* overall_ = new QTimer(this);
    Outcome outcome_;
    std::shared_ptr<Result> result_;
};
