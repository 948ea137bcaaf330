#include "platform/httpclient.h"

#include "loopback/httpserver.h"
#include "support/closedport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

using Loopback::Delivery;
using Loopback::HttpReply;
using Loopback::HttpRequest;

namespace {

constexpr int shortTimeoutMs = 300;
const QByteArray page = "<html><body>page</body></html>";

// The HTTP status of the HttpError the call throws; -1 when it throws nothing.
int failureStatus(const std::function<void()>& call) {
    try {
        call();
    } catch (const HttpError& error) {
        return error.status;
    }
    return -1;
}

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen());
        server.route("/page", [](const HttpRequest&) { return HttpReply::html(page); });
    }

    Loopback::HttpServer server;
};

const QByteArray programAgent = "'Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)";

// Headers the network library adds on its own and that cannot be left out; everything else is ours.
const QSet<QByteArray> libraryHeaders = {"host", "connection", "accept-language", "accept-encoding"};

QSet<QByteArray> lowerNames(const HttpRequest& request) {
    QSet<QByteArray> names;
    for (const QByteArray& name : request.headerNames())
        names.insert(name.toLower());
    return names;
}

} // namespace

// The kinds of client the program sets up, and what each puts on the wire: its agent and content type on GET, the
// form content type on POST, and no header of its own beyond those.
TEST_F(HttpClientTest, EachKindOfClientSendsItsHeadersOnGetAndPost) {
    const std::tuple<std::function<void(HttpClient&)>, QByteArray, QByteArray> kinds[] = {
        {[](HttpClient&) {}, programAgent, "text/html"},
        {[](HttpClient& c) { c.setContentType(HttpClient::formContentType); }, programAgent,
         "application/x-www-form-urlencoded"},
        {[](HttpClient& c) { c.setUserAgent(QStringLiteral("Mozilla/3.0 (compatible; Indy Library)")); },
         "Mozilla/3.0 (compatible; Indy Library)", "text/html"},
    };
    for (const auto& [setUp, userAgent, getContentType] : kinds) {
        HttpClient client;
        setUp(client);
        client.get(server.url(QStringLiteral("/page")));
        const HttpRequest get = server.lastRequest();
        EXPECT_EQ(get.method + " " + get.version, "GET HTTP/1.1");
        EXPECT_EQ(QList<QByteArray>({get.header("User-Agent"), get.header("Accept"), get.header("Content-Type"),
                                     get.header("Accept-Encoding")}),
                  QList<QByteArray>({userAgent, "text/html, */*", getContentType, "identity"}));
        EXPECT_EQ(lowerNames(get), libraryHeaders + QSet<QByteArray>({"user-agent", "accept", "content-type"}));

        client.post(server.url(QStringLiteral("/page")), {{QStringLiteral("sn"), QStringLiteral("1")}});
        const HttpRequest post = server.lastRequest();
        EXPECT_EQ(QList<QByteArray>({post.method, post.header("User-Agent"), post.header("Content-Type")}),
                  QList<QByteArray>({"POST", userAgent, "application/x-www-form-urlencoded"}));
        EXPECT_EQ(lowerNames(post),
                  libraryHeaders + QSet<QByteArray>({"user-agent", "accept", "content-type", "content-length"}));
    }
}

TEST_F(HttpClientTest, PostBodyIsTheGbkFormEncodingInFieldOrder) {
    HttpClient client;
    client.post(server.url(QStringLiteral("/page")),
                {{QStringLiteral("gpmc"), QStringLiteral("浦发银行")}, {QStringLiteral("gpdm"), QString()}});
    const QByteArray body = "gpmc=%C6%D6%B7%A2%D2%F8%D0%D0&gpdm=";
    EXPECT_EQ(server.lastRequest().header("Content-Length"), QByteArray::number(body.size()));
    EXPECT_TRUE(server.lastRequest().raw.endsWith("\r\n\r\n" + body));
}

TEST_F(HttpClientTest, QueryAndReplyBytesTravelUntouched) {
    QByteArray binary = "\xD6\xD0\xB9\xFA";
    binary += QByteArray("\0\r\n\x1F\x8B", 5);
    server.route("/bytes", [binary](const HttpRequest&) {
        // Marked as compressed: the client must neither ask for nor undo compression.
        return HttpReply::html(binary).withHeader("Content-Encoding", "gzip");
    });
    HttpClient client;
    const QString target = QStringLiteral("/bytes?name=%D6%D0+x%25&a=1");
    EXPECT_EQ(client.get(server.url(target)), binary);
    EXPECT_EQ(server.lastRequest().target, target.toLatin1());

    // Encoded unreserved characters may go out plainly, which every server reads as the same value.
    client.get(server.url(QStringLiteral("/bytes?code=%2D%2E%5F%7E%41")));
    EXPECT_EQ(server.lastRequest().queryValue("code"), "-._~A");
}

TEST_F(HttpClientTest, CookiesGoBackToTheirClientOnly) {
    server.route("/login", [](const HttpRequest&) {
        return HttpReply::html(page).withHeader("Set-Cookie", "ASPSESSIONID=abc123; path=/");
    });
    HttpClient first;
    HttpClient second;
    first.get(server.url(QStringLiteral("/login")));
    EXPECT_FALSE(server.lastRequest().hasHeader("Cookie"));

    first.get(server.url(QStringLiteral("/page")));
    EXPECT_EQ(server.lastRequest().header("Cookie"), "ASPSESSIONID=abc123");
    first.close();
    first.post(server.url(QStringLiteral("/page")), {});
    EXPECT_EQ(server.lastRequest().header("Cookie"), "ASPSESSIONID=abc123");

    second.get(server.url(QStringLiteral("/page")));
    EXPECT_FALSE(server.lastRequest().hasHeader("Cookie"));
}

TEST_F(HttpClientTest, RedirectsAreFollowedOnlyWhenTheClientSaysSo) {
    server.routePrefix("/moved", [this](const HttpRequest& request) {
        const int status = request.path.mid(7).toInt(); // "/moved/302"
        return HttpReply::redirect(server.url(QStringLiteral("/page")).toLatin1(), status)
            .withHeader("Set-Cookie", "hop=1; path=/");
    });
    server.route("/loop", [](const HttpRequest&) { return HttpReply::redirect("/loop"); });
    const Gbk::FormFields fields = {{QStringLiteral("sn"), QStringLiteral("1")}};
    struct Case {
        const char* name;
        bool follow;
        bool post;
        QString target;
        int failure;        // status of the HttpError, -1 for none
        qsizetype requests; // exactly: a request sent twice is a fault
        QByteArray finalMethod;
        QByteArray finalBody;
    };
    const QList<Case> cases = {
        {"GET followed", true, false, QStringLiteral("/moved/302"), -1, 2, "GET", ""},
        {"GET not followed", false, false, QStringLiteral("/moved/302"), 302, 1, "GET", ""},
        {"POST not followed", false, true, QStringLiteral("/moved/302"), 302, 1, "POST", "sn=1"},
        {"POST after 302 goes on as GET", true, true, QStringLiteral("/moved/302"), -1, 2, "GET", ""},
        {"POST after 307 stays POST", true, true, QStringLiteral("/moved/307"), -1, 2, "POST", "sn=1"},
        {"endless redirects", true, false, QStringLiteral("/loop"), 302, HttpClient::maxRedirects + 1, "GET", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.clearLog();
        HttpClient client;
        client.setFollowRedirects(c.follow);
        const QString url = server.url(c.target);
        QByteArray body;
        EXPECT_EQ(failureStatus([&] { body = c.post ? client.post(url, fields) : client.get(url); }), c.failure);
        EXPECT_EQ(server.requests().size(), c.requests);
        EXPECT_EQ(server.lastRequest().method, c.finalMethod);
        EXPECT_EQ(server.lastRequest().body, c.finalBody);
        if (c.failure == -1) {
            EXPECT_EQ(body, page);
            EXPECT_EQ(server.lastRequest().header("Cookie"), "hop=1");
        }
    }
}

TEST_F(HttpClientTest, ErrorStatusThrowsWithTheStatus) {
    for (int status : {400, 404, 500, 503}) {
        SCOPED_TRACE(status);
        server.route("/broken", [status](const HttpRequest&) { return HttpReply::error(status); });
        HttpClient client;
        EXPECT_EQ(failureStatus([&] { client.get(server.url(QStringLiteral("/broken"))); }), status);
        EXPECT_EQ(failureStatus([&] { client.post(server.url(QStringLiteral("/broken")), {}); }), status);
    }
}

// Silence longer than the read time-out fails a request, and so does the whole exchange taking longer than twice
// the read time-out since the request (redirects included), however steadily the reply trickles in.
TEST_F(HttpClientTest, SilenceOrTheWholeExchangeTakingTooLongAborts) {
    const QByteArray body(200, 'x');
    // Three answers, each in time, that add up to more than twice the read time-out.
    for (const auto& [from, to] : {std::pair{"/hop", "/hop2"}, {"/hop2", "/slow"}})
        server.route(from, [to = to](const HttpRequest&) {
            return HttpReply::redirect(to).withDelivery(Delivery::delayed(shortTimeoutMs * 5 / 6));
        });
    struct Case {
        const char* name;
        Delivery delivery;
        QString target;
        bool fails;
    };
    const QList<Case> cases = {
        {"no answer in time", Delivery::delayed(3 * shortTimeoutMs), "/slow", true},
        {"headers, then silence", Delivery::stalled(60), "/slow", true},
        {"half the body, then silence", Delivery::stalled(160), "/slow", true},
        {"a trickle never silent for long", Delivery::split(10, shortTimeoutMs / 4), "/slow", true},
        {"a short trickle", Delivery::split(100, shortTimeoutMs / 4), "/slow", false},
        {"three slow hops", Delivery::delayed(shortTimeoutMs * 5 / 6), "/hop", true},
        {"answer just inside the time-out", Delivery::delayed(shortTimeoutMs / 3), "/slow", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.route("/slow", [&](const HttpRequest&) { return HttpReply::html(body).withDelivery(c.delivery); });
        HttpClient client;
        client.setReadTimeout(shortTimeoutMs);
        QByteArray received;
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(failureStatus([&] { received = client.get(server.url(c.target)); }) != -1, c.fails);
        EXPECT_LT(clock.elapsed(), 3 * shortTimeoutMs + 200);
        if (!c.fails) {
            EXPECT_EQ(received, body);
        }
    }
}

// A request that fails for silence does so no sooner than the read time-out, which is 30 seconds unless set.
TEST_F(HttpClientTest, SilenceFailsNoSoonerThanTheReadTimeOut) {
    EXPECT_EQ(HttpClient().readTimeout(), 30000);
    const std::pair<const char*, Delivery> cases[] = {{"no answer", Delivery::delayed(3 * shortTimeoutMs)},
                                                      {"headers, then silence", Delivery::stalled(60)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const Delivery delivery = c.second;
        server.route("/slow", [delivery](const HttpRequest&) {
            return HttpReply::html(QByteArray(200, 'x')).withDelivery(delivery);
        });
        HttpClient client;
        client.setReadTimeout(shortTimeoutMs);
        QElapsedTimer clock;
        clock.start();
        EXPECT_NE(failureStatus([&] { client.get(server.url(QStringLiteral("/slow"))); }), -1);
        EXPECT_GE(clock.elapsed(), shortTimeoutMs);
    }
}

// A reply past 16 MB fails, whether it announces its length or not.
TEST_F(HttpClientTest, OversizedReplyFails) {
    const QByteArray big(HttpClient::maxReplyBytes + 1, 'x');
    server.route("/big", [&](const HttpRequest&) { return HttpReply::html(big); });
    server.route("/unannounced", [&](const HttpRequest&) {
        HttpReply reply;
        reply.raw = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big;
        reply.close = true;
        return reply;
    });
    server.route("/limit", [&](const HttpRequest&) { return HttpReply::html(big.chopped(1)); });
    HttpClient client;
    EXPECT_NE(failureStatus([&] { client.get(server.url(QStringLiteral("/big"))); }), -1);
    EXPECT_NE(failureStatus([&] { client.get(server.url(QStringLiteral("/unannounced"))); }), -1);
    EXPECT_EQ(client.get(server.url(QStringLiteral("/limit"))).size(), HttpClient::maxReplyBytes);
}

TEST_F(HttpClientTest, LostOrRefusedConnectionThrows) {
    server.route("/cut", [](const HttpRequest&) {
        return HttpReply::html(QByteArray(500, 'x')).withDelivery(Delivery::cut(200));
    });
    HttpClient client;
    client.setReadTimeout(5000);
    EXPECT_NE(failureStatus([&] { client.get(server.url(QStringLiteral("/cut"))); }), -1);
    EXPECT_NE(failureStatus([&] { client.get(QStringLiteral("http://127.0.0.1:%1/page").arg(closedLoopbackPort())); }),
              -1);
    EXPECT_EQ(client.get(server.url(QStringLiteral("/page"))), page);
}

TEST_F(HttpClientTest, ConnectionIsKeptUntilClosed) {
    HttpClient client;
    client.get(server.url(QStringLiteral("/page")));
    client.get(server.url(QStringLiteral("/page")));
    EXPECT_EQ(server.connectionCount(), 1);
    client.close();
    client.get(server.url(QStringLiteral("/page")));
    EXPECT_EQ(server.connectionCount(), 2);
}

// Timers go on while a request waits, and a request they make runs too.
TEST_F(HttpClientTest, RequestMadeWhileAnotherWaitsRunsToo) {
    server.route("/slow",
                 [](const HttpRequest&) { return HttpReply::html(page).withDelivery(Delivery::delayed(300)); });
    HttpClient client;
    QByteArray inner;
    QTimer::singleShot(50, &client, [&] {
        guarded([&] {
            inner = client.get(server.url(QStringLiteral("/page")));
            client.close();
        });
    });
    EXPECT_EQ(client.get(server.url(QStringLiteral("/slow"))), page);
    EXPECT_EQ(inner, page);
}

// A handler that runs while a request waits may delete the request's client: the request fails at once, and
// its reply, which still comes, reaches nothing of the client.
TEST_F(HttpClientTest, ClientDeletedWhileItsRequestWaitsFailsTheRequest) {
    server.route("/slow",
                 [](const HttpRequest&) { return HttpReply::html(page).withDelivery(Delivery::delayed(300)); });
    auto* client = new HttpClient;
    QTimer::singleShot(50, [client] { delete client; });
    QElapsedTimer waited;
    waited.start();
    EXPECT_NE(failureStatus([&] { client->get(server.url(QStringLiteral("/slow"))); }), -1);
    EXPECT_LT(waited.elapsed(), 250);
    QTest::qWait(400);
    // The network thread goes on serving the other clients.
    HttpClient other;
    EXPECT_EQ(other.get(server.url(QStringLiteral("/page"))), page);
}

// Quitting runs in a child process: once the application has quit, no event loop of this process runs again.
TEST(HttpClientDeathTest, RequestWaitingWhenTheProgramQuitsThrows) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Loopback::HttpServer server;
            server.listen();
            server.route("/slow", [](const HttpRequest&) {
                return HttpReply::html(page).withDelivery(Delivery::delayed(20000));
            });
            HttpClient client;
            int outcome = 3; // 3: the request never ended
            QTimer::singleShot(0, &client, [&] {
                try {
                    client.get(server.url(QStringLiteral("/slow")));
                    outcome = 1;
                } catch (const HttpError&) {
                    outcome = 0;
                }
            });
            QTimer::singleShot(200, QCoreApplication::instance(), &QCoreApplication::quit);
            QCoreApplication::exec();
            std::_Exit(outcome);
        },
        ::testing::ExitedWithCode(0), "");
}

#ifndef QT_NO_DEBUG
// A client waits in a nested loop of the application's thread; a wait from another thread, which would run that
// thread's events and share the client's state with it, stops a debug build at once.
TEST(HttpClientDeathTest, WaitingOutsideTheApplicationsThreadStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            HttpClient client;
            std::thread other([&client] {
                try {
                    client.get(QStringLiteral("http://127.0.0.1:1/"));
                } catch (const HttpError&) {
                }
            });
            other.join();
        },
        "the application's thread");
}
#endif
