// The sample sites: the simulated market read back through the program's own quote readers (the pages must keep
// the record layout the readers expect, and the scripted stocks must raise the monitor's alerts), and the server,
// which runs all day and must not keep every request it answered.
#include "market.h"
#include "sites.h"

#include "platform/failures.h"
#include "platform/httpclient.h"
#include "quotes/indexpage.h"
#include "quotes/quoterecord.h"

#include <gtest/gtest.h>

using namespace Quotes;

namespace {

const QDate monday(2026, 12, 7);

QDateTime at(const QDate& date, int hour, int minute, int second = 0) {
    return QDateTime(date, QTime(hour, minute, second));
}

QuoteRecord fetched(const Market::Listing& listing, const QDateTime& moment) {
    return readQuoteReply(Market::quotePage(listing.code, moment));
}

double percentOf(const QString& field5) {
    return toDouble(field5.chopped(1));
}

} // namespace

TEST(SimulatedMarket, EveryRecordReadsBackConsistently) {
    const QList<QDateTime> moments{at(monday, 9, 0),   at(monday, 9, 27), at(monday, 10, 0, 30),
                                   at(monday, 14, 59), at(monday, 20, 0), at(monday.addDays(5), 10, 0)};
    for (const Market::Listing& listing : Market::listings()) {
        for (const QDateTime& moment : moments) {
            const Market::Quote quote = Market::quote(listing, moment);
            const QuoteRecord record = fetched(listing, moment);
            const std::string where = (listing.code + QLatin1Char(' ') + moment.toString()).toStdString();
            ASSERT_EQ(record.present, 18) << where;
            EXPECT_EQ(record.code + record.name, listing.code + listing.name) << where;
            EXPECT_EQ(toDouble(record.price), quote.price / 100.0) << where;
            EXPECT_EQ(record.changePercent == QStringLiteral("0"), quote.price == quote.previousClose) << where;
            EXPECT_EQ(isFall(record.change), quote.price < quote.previousClose) << where;
            EXPECT_TRUE(quote.price >= quote.limitDown && quote.price <= quote.limitUp) << where;
            toInt64(record.volume);
            toDouble(record.turnover);
        }
    }
}

// Prices stand at the previous close before the auction, at the open until 9:30, through the lunch break and after
// the close; a Saturday shows Friday's close.
TEST(SimulatedMarket, StandsStillOutsideTradingHours) {
    for (const Market::Listing& listing : Market::listings()) {
        SCOPED_TRACE(listing.code.toStdString());
        const auto price = [&](int hour, int minute) { return Market::quote(listing, at(monday, hour, minute)).price; };
        EXPECT_EQ(price(8, 0), Market::quote(listing, at(monday, 9, 24)).previousClose);
        EXPECT_EQ(price(9, 26), price(9, 29));
        EXPECT_EQ(price(11, 30), price(12, 59));
        EXPECT_EQ(Market::quote(listing, at(monday, 11, 30)).volume, Market::quote(listing, at(monday, 12, 59)).volume);
        EXPECT_EQ(price(15, 0), price(23, 59));
        EXPECT_EQ(Market::quote(listing, at(monday.addDays(-2), 11, 0)).price,
                  Market::quote(listing, at(monday.addDays(-3), 16, 0)).price)
            << "a Saturday shows Friday's close";
        EXPECT_LT(Market::quote(listing, at(monday, 10, 0)).volume, Market::quote(listing, at(monday, 14, 0)).volume);
    }
}

TEST(SimulatedMarket, ScriptedStocksRaiseTheMonitorsAlerts) {
    for (int day = 0; day < 5; ++day) {
        const QDate date = monday.addDays(day);
        const QuoteRecord limit = fetched(Market::withRole(Market::Role::LimitUp), at(date, 14, 0));
        EXPECT_GT(percentOf(limit.changePercent), 9.01) << day;
        EXPECT_EQ(Market::quote(Market::withRole(Market::Role::LimitUp), at(date, 14, 0)).askVolume, 0);

        const QuoteRecord slide = fetched(Market::withRole(Market::Role::Slide), at(date, 14, 0));
        EXPECT_LT(percentOf(slide.changePercent), -5.01) << day;
        EXPECT_GT(percentOf(slide.changePercent), -9.0) << day;

        // Twenty to the hour, the hour and twenty past are busy minutes for these two.
        const QuoteRecord trades = fetched(Market::withRole(Market::Role::BigTrades), at(date, 10, 0, 30));
        EXPECT_GE(trades.lastVolume.size(), 4) << day;
        const QuoteRecord orders = fetched(Market::withRole(Market::Role::BigOrders), at(date, 13, 30, 30));
        EXPECT_GE(orders.bidVolume.size(), 5) << day;
        EXPECT_GE(orders.askVolume.size(), 5) << day;

        // Ordinary stocks keep below the four-digit thresholds, also in the first seconds after 9:30, when the
        // opening auction's match must no longer be the last trade.
        for (const Market::Listing& listing : Market::listings()) {
            if (listing.role == Market::Role::Ordinary) {
                EXPECT_LT(fetched(listing, at(date, 9, 30, 1)).lastVolume.size(), 4) << listing.code.toStdString();
                EXPECT_LT(fetched(listing, at(date, 13, 0, 1)).bidVolume.size(), 4) << listing.code.toStdString();
            }
        }
    }
}

TEST(SimulatedMarket, UnknownCodesHaveNoName) {
    EXPECT_EQ(yzgpName(Market::quotePage(QStringLiteral("999999"), at(monday, 10, 0))), QString());
    EXPECT_EQ(yzgpName(Market::quotePage(QStringLiteral("60000x"), at(monday, 10, 0))), std::nullopt);
    EXPECT_EQ(yzgpName(Market::quotePage(QStringLiteral("600519"), at(monday, 10, 0))), QStringLiteral("贵州茅台"));
}

TEST(SimulatedMarket, IndexPageReadsBack) {
    const IndexPage afternoon = readIndexReply(Market::indexPage(at(monday, 14, 0)));
    for (const IndexMarket market : {IndexMarket::Shanghai, IndexMarket::Shenzhen}) {
        const std::optional<IndexSection> section = afternoon.latest(market);
        ASSERT_TRUE(section.has_value());
        EXPECT_EQ(section->present, 5);
        EXPECT_GT(section->turnoverYi, 1000);
    }
}

TEST(SitesServer, AnnouncedRequestsAreNotKept) {
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    server.route("/page", [](const Loopback::HttpRequest&) { return Loopback::HttpReply::html("ok"); });
    Sites::forgetHandledRequests(server);
    HttpClient client;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(client.get(server.url(QStringLiteral("/page"))), "ok");
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(SimulatedMarket, RallyStocksHoldStillThenClimbInTurn) {
    const QList<QTime> turns{QTime(10, 0), QTime(10, 50), QTime(13, 30), QTime(14, 30)};
    qsizetype turn = 0;
    for (const Market::Listing& listing : Market::listings()) {
        if (listing.role != Market::Role::Rally)
            continue;
        const QTime start = turns.at(turn++);
        for (int day = 0; day < 5; ++day) {
            const QDate date = monday.addDays(day);
            const double before = Market::quote(listing, QDateTime(date, start.addSecs(-60))).changePercent();
            const double after = Market::quote(listing, QDateTime(date, start.addSecs(11 * 60))).changePercent();
            EXPECT_LT(before, 2.0) << listing.code.toStdString() << ' ' << day;
            EXPECT_GT(after - before, 1.6) << listing.code.toStdString() << ' ' << day;
        }
    }
    EXPECT_EQ(turn, turns.size());
}
