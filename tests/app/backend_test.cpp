#include "app/backend.h"
#include "app/hosts.h"
#include "loopback/httpserver.h"
#include "platform/httpclient.h"

#include <gtest/gtest.h>

namespace {
const QString kReply = QStringLiteral("<html><body bgcolor=\"#FFFFFF\" text=\"#000000\">a&1b&4</body>tail");
}

TEST(Envelope, EachMarkerFormFindsThePayload) {
    EXPECT_EQ(Backend::envelopePayload(kReply, Backend::markerText), QStringLiteral("a&1b&4"));
    EXPECT_EQ(Backend::envelopePayload(kReply, Backend::markerQuoted), QStringLiteral("a&1b&4"));
    EXPECT_EQ(Backend::envelopePayload(kReply, Backend::markerBare), QStringLiteral("a&1b&4"));
}

TEST(Envelope, OnlyTheFirstMarkerCountsAndTheBodyEndCloses) {
    const QString twice = QStringLiteral("x text=\"#000000\">one text=\"#000000\">two</body>three</body>");
    EXPECT_EQ(Backend::envelopePayload(twice, Backend::markerText), QStringLiteral("one text=\"#000000\">two"));
    EXPECT_EQ(Backend::envelopePayload(QStringLiteral("text=\"#000000\">open"), Backend::markerText),
              QStringLiteral("open"));
}

TEST(Envelope, NoMarkerMeansNoPayload) {
    EXPECT_TRUE(Backend::envelopePayload(QStringLiteral("<html><body>&1&4</body>"), Backend::markerText).isEmpty());
    EXPECT_TRUE(Backend::envelopePayload(QString(), Backend::markerBare).isEmpty());
    EXPECT_TRUE(Backend::envelopePayload(QByteArray("text=\"#000000\""), Backend::markerText).isEmpty());
}

TEST(Envelope, BytePagesKeepTheirBytes) {
    const QByteArray page("<body text=\"#000000\">\xC6\xD6&&1&8</body>x");
    EXPECT_EQ(Backend::envelopePayload(page, Backend::markerText), QByteArray("\xC6\xD6&&1&8"));
    EXPECT_EQ(Backend::envelopePayloadView(page, Backend::markerText).toByteArray(), QByteArray("\xC6\xD6&&1&8"));
    EXPECT_TRUE(Backend::envelopePayloadView(QByteArray("<body>x</body>"), Backend::markerText).isNull());
}

TEST(Envelope, RepliesAreSearchedAsTextSoAMatchNeverStraddlesTwoCharacters) {
    // "存在" is B4 E6 D4 DA in GBK; here those bytes appear only as the tail of one character and the head
    // of the next, so a byte search would find it where the text does not say it.
    const QByteArray straddling("\xB0\xB4\xE6\xD4\xDA\xB0");
    ASSERT_TRUE(straddling.contains(QByteArray("\xB4\xE6\xD4\xDA")));
    EXPECT_FALSE(Backend::replyContains(straddling, QStringLiteral("存在")));
    EXPECT_TRUE(Backend::replyContains(QByteArray("ok \xB4\xE6\xD4\xDA!"), QStringLiteral("存在")));
}

TEST(Hosts, SitesOverridePointsEverySiteUnderOnePort) {
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    Hosts::setSitesOverrideForTests(server.url());
    EXPECT_EQ(Backend::serverurl(), server.url(QStringLiteral("/backend")));
    EXPECT_EQ(Hosts::base(Hosts::quotes), server.url(QStringLiteral("/quotes")));
    EXPECT_EQ(Hosts::rankingAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Hosts::rankingPort(), server.port());
    // A built address reaches the server as a query it reads back to the values given.
    server.route("/backend/gpzjcx2.asp", [](const Loopback::HttpRequest&) { return Loopback::HttpReply::html("ok"); });
    HttpClient().get(Backend::address(Backend::screeningPage, {{QStringLiteral("rq"), QStringLiteral("2026-12-04")},
                                                               {QStringLiteral("zf"), QStringLiteral("5 %")}}));
    EXPECT_EQ(server.lastRequest().path, "/backend/gpzjcx2.asp");
    EXPECT_EQ(server.lastRequest().queryValue("rq"), "2026-12-04");
    EXPECT_EQ(server.lastRequest().queryValue("zf"), "5 %");

    const QByteArray environment = qgetenv("BRENNOC_SITES");
    qunsetenv("BRENNOC_SITES");
    Hosts::setSitesOverrideForTests(QString());
    EXPECT_EQ(Backend::serverurl(), QString::fromLatin1(Hosts::backend.live));
    EXPECT_EQ(Hosts::rankingPort(), 80);
    qputenv("BRENNOC_SITES", environment);
    Hosts::setSitesOverrideForTests(QString());
}
