// The loopback HTTP and TCP servers that stand in for every outside site in the tests and carry the sample sites:
// routing, the request log, when a connection closes, error replies, form decoding and the raw TCP handler.
#include "loopback/httpserver.h"
#include "loopback/tcpserver.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

using Loopback::HttpReply;
using Loopback::HttpRequest;

namespace {

constexpr int waitMs = 5000;

struct Exchange {
    QByteArray received;
    bool closed = false;
};

// Sends raw bytes on a new connection and gathers the answer until the server closes, a status line has come
// back, or the wait is over.
Exchange exchange(quint16 port, const QByteArray& bytes) {
    QTcpSocket socket;
    Exchange result;
    QObject::connect(&socket, &QTcpSocket::connected, [&] { socket.write(bytes); });
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { result.received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::disconnected, [&] { result.closed = true; });
    socket.connectToHost(QHostAddress::LocalHost, port);
    const bool done = QTest::qWaitFor([&] { return result.closed || result.received.contains("HTTP/1.1 "); }, waitMs);
    // A close right behind the last reply counts too.
    if (done)
        QTest::qWait(20);
    // Our own socket's close on the way out is not the server's.
    QObject::disconnect(&socket, nullptr, nullptr, nullptr);
    return result;
}

class HttpServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen());
        server.route("/a", [](const HttpRequest&) { return HttpReply::html("exact"); });
        server.routePrefix("/a", [](const HttpRequest&) { return HttpReply::html("short prefix"); });
        server.routePrefix("/a/b", [](const HttpRequest&) { return HttpReply::html("long prefix"); });
    }

    Loopback::HttpServer server;
};

} // namespace

TEST_F(HttpServerTest, RoutesExactThenLongestPrefixThenFallback) {
    struct Case {
        QByteArray target;
        QByteArray reply;
    };
    const QList<Case> cases = {
        {"/a?x=1", "\r\n\r\nexact"},
        {"/a/c", "\r\n\r\nshort prefix"},
        {"/a/b/c", "\r\n\r\nlong prefix"},
        {"/elsewhere", "HTTP/1.1 404 Not Found\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.constData());
        EXPECT_TRUE(exchange(server.port(), "GET " + c.target + " HTTP/1.1\r\n\r\n").received.contains(c.reply));
    }
}

TEST_F(HttpServerTest, RequestIsParsedAndLoggedByteForByte) {
    const QByteArray raw = "POST /a/b/form.asp?name=%D6%D0+1&flag HTTP/1.1\r\n"
                           "Host: ranking.example\r\n"
                           "X-Two:  spaced value \r\n"
                           "Content-Length: 11\r\n"
                           "\r\n"
                           "sn=1&gp=a+b";
    int signalled = 0;
    QObject::connect(&server, &Loopback::HttpServer::requestHandled, [&](const HttpRequest&, int status) {
        EXPECT_EQ(status, 200);
        ++signalled;
    });
    exchange(server.port(), raw);
    ASSERT_EQ(server.requests().size(), 1);
    const HttpRequest request = server.lastRequest();
    EXPECT_EQ(request.raw, raw);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/a/b/form.asp?name=%D6%D0+1&flag");
    EXPECT_EQ(request.path, "/a/b/form.asp");
    EXPECT_EQ(request.queryValue("name"), "\xD6\xD0 1");
    EXPECT_EQ(request.header("x-two"), "spaced value");
    EXPECT_EQ(request.headerNames(), (QList<QByteArray>{"Host", "X-Two", "Content-Length"}));
    EXPECT_EQ(request.body, "sn=1&gp=a+b");
    EXPECT_EQ(request.formValue("gp"), "a b");
    EXPECT_EQ(signalled, 1);
}

TEST_F(HttpServerTest, ConnectionClosesWhenTheRequestOrTheReplyAsks) {
    server.route("/closing", [](const HttpRequest&) {
        HttpReply reply = HttpReply::html("bye");
        reply.close = true;
        return reply;
    });
    struct Case {
        QByteArray request;
        bool closes;
    };
    const QList<Case> cases = {
        {"GET /a HTTP/1.1\r\n\r\n", false},      {"GET /a HTTP/1.1\r\nConnection: close\r\n\r\n", true},
        {"GET /a HTTP/1.0\r\n\r\n", true},       {"GET /a HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\n", false},
        {"GET /closing HTTP/1.1\r\n\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.constData());
        EXPECT_EQ(exchange(server.port(), c.request).closed, c.closes);
    }
}

TEST_F(HttpServerTest, BrokenRequestsAndFailingHandlersGetErrorReplies) {
    server.route("/throws", [](const HttpRequest&) -> HttpReply { throw std::runtime_error("handler bug"); });
    struct Case {
        QByteArray request;
        QByteArray statusLine;
    };
    const QList<Case> cases = {
        {"NONSENSE\r\n\r\n", "HTTP/1.1 400 "},
        {"GET /a HTTP/1.1\r\nno colon here\r\n\r\n", "HTTP/1.1 400 "},
        {"POST /a HTTP/1.1\r\nContent-Length: -4\r\n\r\n", "HTTP/1.1 400 "},
        {"GET /throws HTTP/1.1\r\n\r\n", "HTTP/1.1 500 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.constData());
        EXPECT_TRUE(exchange(server.port(), c.request).received.startsWith(c.statusLine));
    }
    EXPECT_EQ(server.requests().first().raw, "NONSENSE\r\n\r\n");
}

TEST(LoopbackForm, DecodesFieldsToBytes) {
    const Loopback::HeaderList fields = Loopback::parseForm("a=1&b=%C6%D6+x&&c&d=&e=%3D%26");
    const Loopback::HeaderList expected = {{"a", "1"}, {"b", "\xC6\xD6 x"}, {"c", ""}, {"d", ""}, {"e", "=&"}};
    EXPECT_EQ(fields, expected);
}

TEST(TcpServer, HandlerWaitsForMoreThenAnswersWhatItSaw) {
    Loopback::TcpServer server;
    ASSERT_TRUE(server.listen());
    QList<QByteArray> seen;
    server.setHandler([&](const QByteArray& pending) -> std::optional<Loopback::TcpAnswer> {
        seen << pending;
        if (!pending.endsWith('\n'))
            return std::nullopt;
        return Loopback::TcpAnswer("echo:" + pending, pending.startsWith("bye"));
    });
    QTcpSocket socket;
    QByteArray received;
    bool closed = false;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::disconnected, [&] { closed = true; });
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(waitMs));
    socket.write("hel");
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 1; }, waitMs));
    socket.write("lo\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received == "echo:hello\n"; }, waitMs));
    socket.write("bye\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, waitMs));
    EXPECT_EQ(received, "echo:hello\necho:bye\n");
    EXPECT_EQ(seen, (QList<QByteArray>{"hel", "hello\n", "bye\n"}));
    EXPECT_EQ(server.received(1), "hello\nbye\n");
}
