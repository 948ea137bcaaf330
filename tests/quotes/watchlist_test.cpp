// The watch list's rules: switch strings, the lists as stocks, list lines, phone numbers and the back-end
// synchronisation's requests.
#include "app/backend.h"
#include "app/unitstate.h"
#include "platform/failures.h"
#include "platform/gbk.h"
#include "quotes/watchlist.h"

#include <gtest/gtest.h>

using WatchList::Flag;
using WatchList::Post;
using WatchList::Stock;

namespace {

const QString kPhone = QStringLiteral("13800138000");

Stock stock(const QString& code, const QString& name, const QString& openclose, const QString& periodic) {
    Stock s = WatchList::newStock(code, name);
    s.openclose = openclose;
    s.periodic = periodic;
    return s;
}

} // namespace

TEST(WatchListFlags, EachEditWritesOnlyItsOwnCharacter) {
    const std::tuple<QString, Flag, bool, QString> cases[] = {
        {"0000", WatchList::ChangeFlag, true, "0001"},
        {"0001", WatchList::DealFlag, true, "0101"},
        {"0101", WatchList::OrderFlag, true, "0111"},
        {"1111", WatchList::LimitFlag, false, "0111"},
        {"1010", WatchList::LimitFlag, true, "1010"},
        // A short stored string is filled with "0" so the result always has four switches.
        {"", WatchList::OrderFlag, true, "0010"},
        {"1", WatchList::ChangeFlag, true, "1001"},
    };
    for (const auto& [flags, flag, on, expected] : cases) {
        EXPECT_EQ(WatchList::withFlag(flags, flag, on), expected) << flags.toStdString() << " " << flag;
        EXPECT_EQ(WatchList::flagOn(expected, flag), on) << expected.toStdString();
    }
    EXPECT_FALSE(WatchList::flagOn(QStringLiteral("11"), WatchList::ChangeFlag));
    EXPECT_FALSE(WatchList::flagOn(QStringLiteral("x1x1"), WatchList::LimitFlag));
}

TEST(WatchListStocks, ListsAndStocksRoundTripAndStayInStep) {
    UnitState state;
    const QList<Stock> stocks{stock("600000", "浦发银行", "1", "0"), stock("000001", "平安银行", "0", "1")};
    WatchList::setStocks(state, stocks);
    EXPECT_EQ(state.watchcodes, QStringList({"600000", "000001"}));
    EXPECT_EQ(state.watchperiodic, QStringList({"0", "1"}));
    EXPECT_EQ(WatchList::stocks(state), stocks);

    WatchList::removeStock(state, 0);
    EXPECT_EQ(WatchList::stocks(state), QList<Stock>{stocks[1]});
    // A position outside the lists changes nothing.
    EXPECT_THROW(WatchList::removeStock(state, 1), Failure);
    EXPECT_THROW(WatchList::removeStock(state, -1), Failure);
    EXPECT_EQ(WatchList::stocks(state).size(), 1);

    state.watchinterval.append(QStringLiteral("10"));
    EXPECT_THROW(WatchList::stocks(state), Failure);

    // Every stock's alerts are armed again.
    state.limitfired = {"1", "1", "1"};
    state.dealcooldown = {"12"};
    WatchList::resetAlertState(state, 2);
    EXPECT_EQ(state.limitfired + state.dealcooldown + state.ordercooldown + state.pctcooldown,
              QStringList({"0", "0", "-1", "-1", "-1", "-1", "-1", "-1"}));
}

TEST(WatchListLines, LineAndListedCode) {
    EXPECT_EQ(WatchList::listLine(QStringLiteral("平安银行  "), QStringLiteral("000001")),
              QStringLiteral("平安银行(000001)"));
    const QStringList lines{QStringLiteral("平安银行(000001)"), QStringLiteral("G1000016(600016)")};
    EXPECT_TRUE(WatchList::listed(lines, QStringLiteral("000001")));
    // Any line holding the digits counts, also where they are part of a name.
    EXPECT_TRUE(WatchList::listed(lines, QStringLiteral("100001")));
    EXPECT_FALSE(WatchList::listed(lines, QStringLiteral("600000")));
    EXPECT_FALSE(WatchList::listed({}, QStringLiteral("600000")));
}

TEST(WatchListPhone, OnlyElevenDigitsAreANumber) {
    const std::pair<QString, bool> cases[] = {
        {"13800138000", true},  {"1380013800", false}, {"138001380001", false}, {"1380013800a", false},
        {" 3800138000", false}, {"", false},           {"１3800138000", false},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(WatchList::isPhoneNumber(text), expected) << text.toStdString();
}

TEST(WatchListSync, SmsOnClearsEachGroupThenAddsItsStocksInPageOrder) {
    Stock first = stock("600000", "浦发银行", "1", "0");
    first.flags = QStringLiteral("1010");
    first.pct = QStringLiteral("7");
    first.dealdigits = QStringLiteral("5");
    first.orderdigits = QStringLiteral("6");
    Stock second = stock("000001", "平安银行", "0", "1");
    second.interval = QStringLiteral("30");
    QList<QByteArray> posts;
    for (const Post& post : WatchList::syncPosts({first, second}, kPhone, true))
        posts << post.path.toLatin1() + " " + Gbk::formBody(post.fields);
    const QByteArray pufa = "%C6%D6%B7%A2%D2%F8%D0%D0";   // 浦发银行 in GBK
    const QByteArray pingan = "%C6%BD%B0%B2%D2%F8%D0%D0"; // 平安银行 in GBK
    EXPECT_EQ(posts, QList<QByteArray>({
                         "/gpycf.asp sn=13800138000&ycf=1",
                         "/gpdel1.asp sn=13800138000",
                         "/gpadd1.asp sn=13800138000&gpmc=" + pufa + "&gpdm=600000",
                         "/gpdel2.asp sn=13800138000",
                         "/gpadd2.asp sn=13800138000&zh=1010&ddcj=5&ddmm=6&zdf=7&gpmc=" + pufa + "&gpdm=600000",
                         "/gpadd2.asp sn=13800138000&zh=0000&ddcj=4&ddmm=4&zdf=5&gpmc=" + pingan + "&gpdm=000001",
                         "/gpdel3.asp sn=13800138000",
                         // The periodic page carries the code before the name.
                         "/gpadd3.asp sn=13800138000&sjjg=30&gpdm=000001&gpmc=" + pingan,
                     }));
}
