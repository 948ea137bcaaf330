// The watch list's rules: switch strings, the lists as stocks, list lines, phone numbers, the status text and
// the back-end synchronisation's requests (the settings window's tests check them on the wire too).
#include "app/backend.h"
#include "app/localstore.h"
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
    struct Case {
        QString flags;
        Flag flag;
        bool on;
        QString expected;
    };
    const Case cases[] = {
        {"0000", WatchList::ChangeFlag, true, "0001"},
        {"0001", WatchList::DealFlag, true, "0101"},
        {"0101", WatchList::OrderFlag, true, "0111"},
        {"1111", WatchList::LimitFlag, false, "0111"},
        {"1010", WatchList::LimitFlag, true, "1010"},
        // A short stored string is filled with "0" so the result always has four switches.
        {"", WatchList::OrderFlag, true, "0010"},
        {"1", WatchList::ChangeFlag, true, "1001"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WatchList::withFlag(c.flags, c.flag, c.on), c.expected) << c.flags.toStdString() << " " << c.flag;
        EXPECT_EQ(WatchList::flagOn(c.expected, c.flag), c.on) << c.expected.toStdString();
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
}

TEST(WatchListStocks, AlertStateIsArmedForEveryStock) {
    UnitState state;
    state.limitfired = {"1", "1", "1"};
    state.dealcooldown = {"12"};
    WatchList::resetAlertState(state, 2);
    EXPECT_EQ(state.limitfired, QStringList({"0", "0"}));
    EXPECT_EQ(state.dealcooldown, QStringList({"-1", "-1"}));
    EXPECT_EQ(state.ordercooldown, QStringList({"-1", "-1"}));
    EXPECT_EQ(state.pctcooldown, QStringList({"-1", "-1"}));
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

TEST(WatchListStatus, TextOfBothSwitches) {
    EXPECT_EQ(LocalStore::alertStatusText(false, false), QStringLiteral("本机监视股价：停止  手机接收股价：停止"));
    EXPECT_EQ(LocalStore::alertStatusText(true, false), QStringLiteral("本机监视股价：启用  手机接收股价：停止"));
    EXPECT_EQ(LocalStore::alertStatusText(false, true), QStringLiteral("本机监视股价：停止  手机接收股价：启用"));
    EXPECT_EQ(LocalStore::alertStatusText(true, true), QStringLiteral("本机监视股价：启用  手机接收股价：启用"));
}

TEST(WatchListSync, SmsOnClearsEachGroupThenAddsItsStocksInPageOrder) {
    Stock first = stock("600000", "浦发银行", "1", "0");
    first.flags = QStringLiteral("1010");
    first.pct = QStringLiteral("7");
    first.dealdigits = QStringLiteral("5");
    first.orderdigits = QStringLiteral("6");
    Stock second = stock("000001", "平安银行", "0", "1");
    second.interval = QStringLiteral("30");

    QList<QByteArray> bodies;
    QStringList paths;
    for (const Post& post : WatchList::syncPosts({first, second}, kPhone, true)) {
        paths << post.path;
        bodies << Gbk::formBody(post.fields);
    }
    EXPECT_EQ(paths, QStringList({"/gpycf.asp", "/gpdel1.asp", "/gpadd1.asp", "/gpdel2.asp", "/gpadd2.asp",
                                  "/gpadd2.asp", "/gpdel3.asp", "/gpadd3.asp"}));
    const QByteArray pufa = "%C6%D6%B7%A2%D2%F8%D0%D0";   // 浦发银行 in GBK
    const QByteArray pingan = "%C6%BD%B0%B2%D2%F8%D0%D0"; // 平安银行 in GBK
    const QList<QByteArray> expected{
        "sn=13800138000&ycf=1",
        "sn=13800138000",
        "sn=13800138000&gpmc=" + pufa + "&gpdm=600000",
        "sn=13800138000",
        "sn=13800138000&zh=1010&ddcj=5&ddmm=6&zdf=7&gpmc=" + pufa + "&gpdm=600000",
        "sn=13800138000&zh=0000&ddcj=4&ddmm=4&zdf=5&gpmc=" + pingan + "&gpdm=000001",
        "sn=13800138000",
        // The periodic page carries the code before the name.
        "sn=13800138000&sjjg=30&gpdm=000001&gpmc=" + pingan,
    };
    EXPECT_EQ(bodies, expected);
}
