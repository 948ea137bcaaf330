// The sample sites run beside the program all day and answer several requests a second: the server must not
// keep them all.
#include "platform/httpclient.h"
#include "sites.h"

#include <gtest/gtest.h>

TEST(ReviewSitesLog, AnnouncedRequestsAreNotKept) {
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    server.route("/page", [](const Loopback::HttpRequest&) { return Loopback::HttpReply::html("ok"); });
    Sites::forgetHandledRequests(server);
    int announced = 0;
    QObject::connect(&server, &Loopback::HttpServer::requestHandled, &server, [&announced] { ++announced; });

    HttpClient client;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(client.get(server.url(QStringLiteral("/page"))), "ok");
    EXPECT_EQ(announced, 3);
    EXPECT_TRUE(server.requests().isEmpty());
}
