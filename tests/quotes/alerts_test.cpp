// The monitor's rules: the branch of a pass, the broadcasts' rows, each alert's decision and texts, the
// re-arm count and the pop-up placement.
#include "quotes/alerts.h"

#include <gtest/gtest.h>

using namespace Alerts;

namespace {

const QString tenOClock = QStringLiteral("10:00:00");

// A full quote: 平安银行 up 1.00%, small volumes everywhere.
QuoteEntry quote() {
    return {QStringLiteral("000001"), QStringLiteral("平安银行"), QStringLiteral("10.10"), QStringLiteral("1.00%"),
            QStringLiteral("0.10"),   QStringLiteral("120"),      QStringLiteral("95"),    QStringLiteral("54321"),
            QStringLiteral("1"),      QStringLiteral("35")};
}

QuoteEntry withChange(const QString& percent, const QString& amount) {
    QuoteEntry q = quote();
    q.changePercent = percent;
    q.change = amount;
    return q;
}

StockSettings settings(const QString& flags) {
    return {flags, QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("4")};
}

const StockState armedState{QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("-1"), QStringLiteral("-1")};

std::string text(const QString& s) {
    return s.toStdString();
}

} // namespace

TEST(MonitorBranch, ChosenByHourAndMinuteWhileTheBroadcastIsDue) {
    struct Case {
        int hour, minute;
        Branch expected;
    };
    const Case cases[] = {
        {9, 27, Branch::AlertChecks},      {9, 28, Branch::OpeningBroadcast}, {9, 30, Branch::OpeningBroadcast},
        {9, 31, Branch::AlertChecks},      {11, 32, Branch::AlertChecks},     {11, 33, Branch::MiddayBroadcast},
        {11, 44, Branch::MiddayBroadcast}, {11, 45, Branch::AlertChecks},     {15, 2, Branch::AlertChecks},
        {15, 3, Branch::ClosingBroadcast}, {15, 9, Branch::ClosingBroadcast}, {15, 10, Branch::AlertChecks},
        {10, 29, Branch::AlertChecks},     {14, 3, Branch::AlertChecks},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(branchAt(c.hour, c.minute, {}), c.expected) << c.hour << ":" << c.minute;
        // Once given, a broadcast's minutes are ordinary alert passes.
        EXPECT_EQ(branchAt(c.hour, c.minute, {true, true, true}), Branch::AlertChecks) << c.hour << ":" << c.minute;
    }
    EXPECT_EQ(branchAt(9, 29, {false, true, true}), Branch::OpeningBroadcast);
    EXPECT_EQ(branchAt(11, 40, {true, false, true}), Branch::MiddayBroadcast);
    EXPECT_EQ(branchAt(15, 5, {true, true, false}), Branch::ClosingBroadcast);
}

TEST(MonitorBranch, SessionsExcludeTheirBounds) {
    const std::pair<QTime, bool> cases[] = {
        {QTime(9, 30, 0), false}, {QTime(9, 30, 1), true},   {QTime(11, 29, 59), true}, {QTime(11, 30, 0), false},
        {QTime(12, 0, 0), false}, {QTime(13, 0, 0), false},  {QTime(13, 0, 1), true},   {QTime(14, 59, 59), true},
        {QTime(15, 0, 0), false}, {QTime(9, 29, 59), false}, {QTime(20, 0, 0), false},
    };
    for (const auto& [time, inside] : cases)
        EXPECT_EQ(insideSession(time), inside) << text(time.toString());
}

TEST(Broadcasts, OneNumberedRowPerFetchedStock) {
    Quotes::QuoteLists lists;
    EXPECT_TRUE(broadcastRows(lists, 13).isEmpty());
    lists.appendRecord(Quotes::parseQuoteRecord(
        u"1,600519,贵州茅台,1688.00,-1.25%,-20.85,1687.99,12,1688.10,7,23456,395123.45,1670.00,x,1690,1665,1,35,"));
    lists.appendRecord(Quotes::parseQuoteRecord(u"2,000002,万科A,10.00,0,0.00,9.99,80,10.00,95,5000,5000.00,9.95,"));
    const QList<QStringList> rows = broadcastRows(lists, 13);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0],
              (QStringList{"1", QStringLiteral("贵州茅台(600519)"), "1670.00", QStringLiteral("-1.25%↓"), "23456"}));
    // An unchanged stock is stored as "0.0" and counts as a rise.
    EXPECT_EQ(rows[1], (QStringList{"2", QStringLiteral("万科A(000002)"), "9.95", QStringLiteral("0.0↑"), "5000"}));
    EXPECT_EQ(broadcastRows(lists, 4)[0][2], QStringLiteral("1688.00"));
}

TEST(LimitAlert, FiresPastNinePercentOnce) {
    struct Case {
        QString percent, amount;
        bool fires, fall;
    };
    const Case cases[] = {
        {"9.00%", "0.83", false, false}, {"9.01%", "0.83", true, false}, {"-9.00%", "-0.83", false, false},
        {"-9.01%", "-0.83", true, true}, {"0.0", "0.00", false, false},  {"10.00%", "0.92", true, false},
    };
    for (const Case& c : cases) {
        StockState state = armedState;
        const std::optional<Alert> alert = limitCheck(withChange(c.percent, c.amount), settings("1000"), state, true);
        ASSERT_EQ(alert.has_value(), c.fires) << text(c.percent);
        EXPECT_EQ(state.limitfired, c.fires ? "1" : "0") << text(c.percent);
        if (!alert)
            continue;
        EXPECT_EQ(alert->window, AlertWindow::Limit);
        EXPECT_EQ(alert->fall, c.fall);
    }

    StockState state = armedState;
    EXPECT_EQ(limitCheck(withChange("9.01%", "0.83"), settings("1000"), state, true)->headline,
              QStringLiteral("注意:平安银行(000001) 股价接近涨停或已涨停"));
    EXPECT_FALSE(limitCheck(withChange("9.50%", "0.83"), settings("1000"), state, true)) << "fires once";

    state = armedState;
    const Alert down = *limitCheck(withChange("-9.01%", "-0.83"), settings("1000"), state, true);
    EXPECT_EQ(down.headline, QStringLiteral("注意:平安银行(000001) 股价接近跌停或已跌停"));
    EXPECT_EQ(down.detail, QStringLiteral("最新价:10.10 跌:-0.83元 幅度:-9.01% ↓ 成交量:54321手"));
}

TEST(LimitAlert, NeedsItsSwitchAndASession) {
    StockState state = armedState;
    EXPECT_FALSE(limitCheck(withChange("9.5%", "0.9"), settings("0111"), state, true));
    EXPECT_FALSE(limitCheck(withChange("9.5%", "0.9"), settings("1000"), state, false));
    EXPECT_FALSE(limitCheck(withChange("9.5%", "0.9"), settings("1"), state, false)) << "short switch string";
    EXPECT_EQ(state, armedState);
}

TEST(LimitAlert, StockAtItsLimitGetsNoLargeOrderAlert) {
    QuoteEntry sealed = withChange("9.98%", "0.92");
    sealed.bidVolume = QStringLiteral("150000");
    sealed.askVolume = QStringLiteral("0");
    const std::optional<StockCheck> first = checkStock(sealed, settings("1010"), armedState, true, tenOClock);
    ASSERT_TRUE(first);
    ASSERT_EQ(first->alerts.size(), 1);
    EXPECT_EQ(first->alerts[0].window, AlertWindow::Limit);
    EXPECT_EQ(first->state.ordercooldown, "-1");
    // Also in later passes, while the limit alert stays fired.
    const std::optional<StockCheck> later = checkStock(sealed, settings("1010"), first->state, true, tenOClock);
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->alerts.isEmpty());
}

TEST(BigTradeAlert, ByTheLengthOfTheLastTradesVolume) {
    struct Case {
        QString volume, digits;
        bool fires;
    };
    const Case cases[] = {{"999", "4", false},  {"1000", "4", true},   {"9999", "5", false},
                          {"10000", "5", true}, {"99999", "6", false}, {"0100", "4", true}};
    for (const Case& c : cases) {
        QuoteEntry q = quote();
        q.lastVolume = c.volume;
        StockSettings s = settings("0100");
        s.dealDigits = c.digits;
        StockState state = armedState;
        EXPECT_EQ(bigTradeCheck(q, s, state, true, tenOClock).has_value(), c.fires) << text(c.volume);
        EXPECT_EQ(state.dealcooldown, c.fires ? "0" : "-1") << text(c.volume);
    }
}

TEST(BigTradeAlert, SellOrBuyByTheLastTradesSideAndDetailByTheChange) {
    QuoteEntry q = withChange("-1.20%", "-0.12");
    q.lastVolume = QStringLiteral("1000");
    q.lastSide = QStringLiteral("-1");
    StockState state = armedState;
    const Alert sell = *bigTradeCheck(q, settings("0100"), state, true, tenOClock);
    EXPECT_EQ(sell.window, AlertWindow::BigTrade);
    EXPECT_EQ(sell.headline, QStringLiteral("注意:平安银行(000001)在10:00:00有1000手大卖单成交"));
    EXPECT_EQ(sell.detail, QStringLiteral("最新价:10.10 跌:-0.12元 幅度:-1.20%↓ 成交量:54321手"));
    EXPECT_TRUE(sell.fall);
    EXPECT_FALSE(bigTradeCheck(q, settings("0100"), state, true, tenOClock)) << "cooling down";

    q = quote();
    q.lastVolume = QStringLiteral("2500");
    state = armedState;
    const Alert buy = *bigTradeCheck(q, settings("0100"), state, true, tenOClock);
    EXPECT_EQ(buy.headline, QStringLiteral("注意:平安银行(000001)在10:00:00有2500手大买单成交"));
    EXPECT_EQ(buy.detail, QStringLiteral("最新价:10.10 涨:0.10元 幅度:1.00% ↑ 成交量:54321手"));
    EXPECT_FALSE(buy.fall);

    state = armedState;
    EXPECT_FALSE(bigTradeCheck(q, settings("0100"), state, false, tenOClock)) << "outside the sessions";
}

TEST(LargeOrderAlert, BidAskOrBothWithTheAskWinning) {
    struct Case {
        QString bid, ask, headline;
    };
    const Case cases[] = {
        {"999", "999", {}},
        {"1000", "999", QStringLiteral("注意:平安银行(000001)10:00:00在买①出现1000手买单")},
        {"999", "1000", QStringLiteral("注意:平安银行(000001)10:00:00在卖①出现1000手卖单")},
        {"12000", "30000", QStringLiteral("注意:平安银行(000001)10:00:00在卖①出现30000手卖单")},
    };
    for (const Case& c : cases) {
        QuoteEntry q = quote();
        q.bidVolume = c.bid;
        q.askVolume = c.ask;
        StockState state = armedState;
        const std::optional<Alert> alert = largeOrderCheck(q, settings("0010"), state, true, tenOClock);
        ASSERT_EQ(alert.has_value(), !c.headline.isEmpty()) << text(c.bid) << " " << text(c.ask);
        EXPECT_EQ(state.ordercooldown, alert ? "0" : "-1");
        if (alert) {
            EXPECT_EQ(alert->headline, c.headline);
            EXPECT_EQ(alert->window, AlertWindow::LargeOrder);
        }
    }
}

TEST(ChangeAlert, BeyondTheThresholdEitherWay) {
    struct Case {
        QString percent, amount, headline;
        bool fall;
    };
    const Case cases[] = {
        {"5.00%", "0.50", {}, false},
        {"5.01%", "0.50", QStringLiteral("注意:平安银行(000001) 涨幅超过5.01%"), false},
        {"-5.00%", "-0.50", {}, false},
        {"-5.01%", "-0.50", QStringLiteral("注意:平安银行(000001) 跌幅超过-5.01%"), true},
    };
    for (const Case& c : cases) {
        StockState state = armedState;
        const std::optional<Alert> alert = changeCheck(withChange(c.percent, c.amount), settings("0001"), state, true);
        ASSERT_EQ(alert.has_value(), !c.headline.isEmpty()) << text(c.percent);
        EXPECT_EQ(state.pctcooldown, alert ? "0" : "-1");
        if (!alert)
            continue;
        EXPECT_EQ(alert->headline, c.headline);
        EXPECT_EQ(alert->fall, c.fall);
        EXPECT_EQ(alert->window, AlertWindow::Change);
    }
    StockState state = armedState;
    EXPECT_EQ(changeCheck(withChange("-5.01%", "-0.50"), settings("0001"), state, true)->detail,
              QStringLiteral("最新价:10.10 跌:-0.50元 幅度:-5.01% ↓ 成交量:54321手"));
    StockSettings nine = settings("0001");
    nine.pct = QStringLiteral("9");
    state = armedState;
    EXPECT_FALSE(changeCheck(withChange("8.99%", "0.80"), nine, state, true));
}

TEST(StockChecks, InTheirOrderWithEveryKindAtOnce) {
    QuoteEntry q = withChange("9.50%", "0.88");
    q.lastVolume = QStringLiteral("5000");
    q.askVolume = QStringLiteral("20000");
    const std::optional<StockCheck> check = checkStock(q, settings("1111"), armedState, true, tenOClock);
    ASSERT_TRUE(check);
    ASSERT_EQ(check->alerts.size(), 3);
    EXPECT_EQ(check->alerts[0].window, AlertWindow::Limit);
    EXPECT_EQ(check->alerts[1].window, AlertWindow::BigTrade);
    EXPECT_EQ(check->alerts[2].window, AlertWindow::Change);
    EXPECT_EQ(check->state, (StockState{"1", "0", "-1", "0"}));
}

TEST(StockChecks, UnreadableQuoteSkipsTheStockAndKeepsItsState) {
    struct Case {
        const char* what;
        QuoteEntry quote;
        QString flags;
    };
    QuoteEntry suspended = withChange("-", "-");
    QuoteEntry noChange = withChange("", "");
    QuoteEntry shortRecord = withChange("9.5%", "0.9");
    shortRecord.volume.clear();
    shortRecord.lastSide.clear();
    shortRecord.lastVolume.clear();
    QuoteEntry noAsk = quote();
    noAsk.askVolume.clear();
    const Case cases[] = {
        {"suspended", suspended, "1000"},
        {"suspended, change", suspended, "0001"},
        {"no change", noChange, "1001"},
        {"short record, limit", shortRecord, "1000"},
        {"short record, trade", shortRecord, "0100"},
        {"no ask", noAsk, "0010"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(checkStock(c.quote, settings(c.flags), armedState, true, tenOClock)) << c.what;

    // Only the fields of the checks that are on matter.
    EXPECT_TRUE(checkStock(suspended, settings("0110"), armedState, true, tenOClock));
    EXPECT_TRUE(checkStock(suspended, settings("1001"), armedState, false, tenOClock)) << "no check runs";
    StockSettings badDigits = settings("0100");
    badDigits.dealDigits = QStringLiteral("x");
    EXPECT_FALSE(checkStock(quote(), badDigits, armedState, true, tenOClock));
}

TEST(Rearm, FiredAlertIsArmedAfter301Ticks) {
    QStringList cooldowns{"0", "-1", "299"};
    for (int tick = 1; tick <= 300; ++tick)
        countCooldowns(cooldowns);
    EXPECT_EQ(cooldowns, (QStringList{"300", "-1", "-1"}));
    countCooldowns(cooldowns);
    EXPECT_EQ(cooldowns, (QStringList{"-1", "-1", "-1"}));

    QStringList odd{"x", "", "300"};
    countCooldowns(odd);
    EXPECT_EQ(odd, (QStringList{"-1", "-1", "-1"}));
}

TEST(PopupPlacement, RightEdgeOnTheScreenBottomOnTheWorkArea) {
    struct Case {
        QRect screen, workArea;
        QSize frame;
        QPoint expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {360, 130}, {1560, 910}},
        // A panel on the left narrows the work area but not the screen.
        {{0, 0, 1280, 1024}, {64, 0, 1216, 1024}, {300, 100}, {980, 924}},
        // A panel at the top: its height is taken off, its offset is not added.
        {{0, 0, 1280, 1024}, {0, 30, 1280, 994}, {300, 100}, {980, 894}},
        // A second screen to the right keeps its own origin.
        {{1920, 0, 1280, 1024}, {1920, 0, 1280, 984}, {300, 100}, {2900, 884}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(popupCornerPosition(c.screen, c.workArea, c.frame), c.expected);
}
