#include "platform/httpclient.h"

#include "loopback/httpserver.h"

#include <QThread>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <memory>

using Loopback::Delivery;
using Loopback::HttpReply;
using Loopback::HttpRequest;

namespace {

// Times this thread went to sleep and was woken again.
long sleepsSoFar() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

// A loopback server in a thread of its own, so that what it does to deliver a reply does not wake the thread
// under test.
class ServerThread {
public:
    ServerThread() {
        thread.start();
        context->moveToThread(&thread);
        QMetaObject::invokeMethod(
            context.get(),
            [this] {
                server = new Loopback::HttpServer;
                server->listen();
                server->route("/pieces", [](const HttpRequest&) {
                    return HttpReply::html(QByteArray(600, 'x')).withDelivery(Delivery::split(100, 30));
                });
            },
            Qt::BlockingQueuedConnection);
    }
    ~ServerThread() {
        QMetaObject::invokeMethod(
            context.get(), [this] { delete server; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    QString url(const QString& path) const { return server->url(path); }

private:
    QThread thread;
    std::unique_ptr<QObject> context = std::make_unique<QObject>();
    Loopback::HttpServer* server = nullptr;
};

} // namespace

// The program fetches a page every few seconds all day; the thread that waits for a reply is woken when the
// reply has ended, not at each of its pieces.
TEST(HttpClientWakeUps, TheWaitingThreadWakesOnceForAReplyInPieces) {
    ServerThread server;
    HttpClient client;
    client.get(server.url(QStringLiteral("/pieces"))); // the first request also starts the client's machinery
    const long before = sleepsSoFar();
    EXPECT_EQ(client.get(server.url(QStringLiteral("/pieces"))).size(), 600);
    // Six pieces, each of which woke the thread before; now one wake-up for the end, and at most a couple more
    // where a lock the network thread holds for a moment makes this thread wait.
    EXPECT_LE(sleepsSoFar() - before, 3);
}
