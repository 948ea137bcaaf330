#include "platform/clientsocket.h"

#include "loopback/tcpserver.h"
#include "platform/failures.h"
#include "support/closedport.h"

#include <QAbstractSocket>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

using Loopback::Delivery;
using Loopback::TcpAnswer;

namespace {

constexpr int waitMs = 5000;
const QByteArray requestHead = "GET /sort.asp?sortname=tdc HTTP/1.1\r\n";
const QByteArray requestTail = "Host: ranking.example\r\n\r\n";

// A socket wired to record its events in order and everything it reads.
struct RecordedSocket {
    RecordedSocket() {
        QObject::connect(&socket, &ClientSocket::connected, [this] { events << QStringLiteral("connected"); });
        QObject::connect(&socket, &ClientSocket::readable, [this] {
            events << QStringLiteral("readable");
            text += socket.receiveText();
        });
        QObject::connect(&socket, &ClientSocket::disconnected, [this] { events << QStringLiteral("disconnected"); });
        QObject::connect(&socket, &ClientSocket::errorOccurred, [this](int code) {
            events << QStringLiteral("error");
            errorCode = code;
        });
    }

    bool waitFor(const QString& event) {
        return QTest::qWaitFor([&] { return events.contains(event); }, waitMs);
    }

    ClientSocket socket;
    QStringList events;
    QByteArray text;
    int errorCode = -1;
};

// Answers a request once its empty line has arrived.
std::optional<TcpAnswer> wholeRequest(const QByteArray& pending, const QByteArray& answer, bool close,
                                      const Delivery& delivery = {}) {
    if (!pending.contains("\r\n\r\n"))
        return std::nullopt;
    return TcpAnswer(answer, close, delivery);
}

class ClientSocketTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listen()); }

    void point(ClientSocket& socket) {
        socket.setAddress(QStringLiteral("127.0.0.1"));
        socket.setPort(server.port());
    }

    Loopback::TcpServer server;
};

} // namespace

TEST_F(ClientSocketTest, ReadsAPageInPiecesAndTakesThePeersCloseAsNoError) {
    const QByteArray page = "HTTP/1.1 200 OK\r\n\r\n<html><body>rows</body></html>";
    server.setHandler(
        [&](const QByteArray& pending) { return wholeRequest(pending, page, true, Delivery::split(8, 20)); });
    RecordedSocket recorded;
    recorded.socket.setHost(QStringLiteral("no-such-host.invalid")); // the numeric address wins over the host
    point(recorded.socket);
    recorded.socket.setActive(true);
    EXPECT_TRUE(recorded.socket.active());
    ASSERT_TRUE(recorded.waitFor(QStringLiteral("connected")));
    recorded.socket.sendText(requestHead);
    recorded.socket.sendText(requestTail);
    ASSERT_TRUE(recorded.waitFor(QStringLiteral("disconnected")));

    EXPECT_EQ(recorded.text, page);
    EXPECT_EQ(server.received(1), requestHead + requestTail);
    EXPECT_EQ(recorded.events.first() + recorded.events.last(), QStringLiteral("connecteddisconnected"));
    EXPECT_GT(recorded.events.count(QStringLiteral("readable")), 1);
    EXPECT_FALSE(recorded.events.contains(QStringLiteral("error")) || recorded.socket.active());
}

TEST_F(ClientSocketTest, KeptOpenConnectionCarriesOneRequestAfterAnother) {
    int answered = 0;
    server.setHandler([&](const QByteArray& pending) {
        return wholeRequest(pending, "page" + QByteArray::number(++answered) + "</body>", false);
    });
    RecordedSocket recorded;
    point(recorded.socket);
    recorded.socket.setActive(true);
    ASSERT_TRUE(recorded.waitFor(QStringLiteral("connected")));
    for (int day = 1; day <= 2; ++day) {
        recorded.socket.sendText(requestHead + requestTail);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return recorded.text.endsWith("page" + QByteArray::number(day) + "</body>"); }, waitMs));
    }
    EXPECT_EQ(server.connectionCount(), 1);
    EXPECT_TRUE(recorded.socket.active());
}

TEST_F(ClientSocketTest, SwitchingOffClosesAtOnceWithoutEvents) {
    bool serverSawClose = false;
    QObject::connect(&server, &Loopback::TcpServer::connectionClosed, [&] { serverSawClose = true; });
    RecordedSocket recorded;
    point(recorded.socket);
    recorded.socket.setActive(true);
    ASSERT_TRUE(recorded.waitFor(QStringLiteral("connected")));
    recorded.socket.setActive(false);
    EXPECT_FALSE(recorded.socket.active());
    EXPECT_TRUE(QTest::qWaitFor([&] { return serverSawClose; }, waitMs));
    EXPECT_EQ(recorded.events, QStringList{QStringLiteral("connected")});

    recorded.socket.setActive(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.connectionCount() == 2; }, waitMs));
}

TEST_F(ClientSocketTest, RefusedConnectionIsAnErrorAndLeavesTheSocketInactive) {
    RecordedSocket recorded;
    recorded.socket.setAddress(QStringLiteral("127.0.0.1"));
    recorded.socket.setPort(closedLoopbackPort());
    recorded.socket.setActive(true);
    ASSERT_TRUE(recorded.waitFor(QStringLiteral("error")));
    EXPECT_EQ(recorded.errorCode, int(QAbstractSocket::ConnectionRefusedError));
    EXPECT_FALSE(recorded.socket.active());
    QTest::qWait(50);
    EXPECT_EQ(recorded.events, QStringList{QStringLiteral("error")});
}

TEST(ClientSocket, MisuseThrowsAtOnce) {
    ClientSocket socket;
    EXPECT_THROW(socket.sendText("x"), Failure);
    EXPECT_THROW(socket.setActive(true), Failure); // neither address nor host
    socket.setAddress(QStringLiteral("ranking.example"));
    EXPECT_THROW(socket.setActive(true), Failure); // the address must be numeric
    EXPECT_FALSE(socket.active());
}
