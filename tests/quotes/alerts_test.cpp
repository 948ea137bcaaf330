// The monitor's rules: the branch of a pass, the broadcasts' rows, each alert's decision and texts, the
// re-arm count and the pop-up placement.
#include "quotes/alerts.h"

#include <gtest/gtest.h>

using namespace Alerts;

namespace {

const QString tenOClock = QStringLiteral("10:00:00");
const QString pingan = QStringLiteral("注意:平安银行(000001)"); // the start of every headline below

// A full quote of 平安银行, by default up 1.00% with small volumes everywhere.
QuoteEntry quote(const QString& percent = "1.00%", const QString& amount = "0.10", const QString& last = "35",
                 const QString& bid = "120", const QString& ask = "95", const QString& side = "1") {
    return {"000001", QStringLiteral("平安银行"), "10.10", percent, amount, bid, ask, "54321", side, last};
}

StockSettings settings(const QString& flags) {
    return {flags, QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("4")};
}

// The settings with only that window's check switched on.
StockSettings own(AlertWindow window) {
    const char* const flags[] = {"1000", "0100", "0010", "0001"};
    return settings(QString::fromLatin1(flags[int(window)]));
}

const StockState armedState{QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("-1"), QStringLiteral("-1")};

// The state once that window's alert has fired from the armed state.
StockState firedState(AlertWindow window) {
    StockState state = armedState;
    QString* const marks[] = {&state.limitfired, &state.dealcooldown, &state.ordercooldown, &state.pctcooldown};
    *marks[int(window)] = window == AlertWindow::Limit ? "1" : "0";
    return state;
}

// That window's check alone, at ten o'clock.
std::optional<Alert> runCheck(AlertWindow window, const QuoteEntry& q, StockState& state, const StockSettings& s,
                              bool inSession = true) {
    switch (window) {
    case AlertWindow::Limit:
        return limitCheck(q, s, state, inSession);
    case AlertWindow::BigTrade:
        return bigTradeCheck(q, s, state, inSession, tenOClock);
    case AlertWindow::LargeOrder:
        return largeOrderCheck(q, s, state, inSession, tenOClock);
    case AlertWindow::Change:
        return changeCheck(q, s, state, inSession);
    }
    return std::nullopt;
}

std::string text(const QString& s) {
    return s.toStdString();
}

} // namespace

TEST(MonitorBranch, ChosenByHourAndMinuteWhileTheBroadcastIsDueAndSessionsExcludeTheirBounds) {
    const std::tuple<int, int, Branch> cases[] = {
        {9, 27, Branch::AlertChecks},      {9, 28, Branch::OpeningBroadcast}, {9, 30, Branch::OpeningBroadcast},
        {9, 31, Branch::AlertChecks},      {11, 32, Branch::AlertChecks},     {11, 33, Branch::MiddayBroadcast},
        {11, 44, Branch::MiddayBroadcast}, {11, 45, Branch::AlertChecks},     {15, 2, Branch::AlertChecks},
        {15, 3, Branch::ClosingBroadcast}, {15, 9, Branch::ClosingBroadcast}, {15, 10, Branch::AlertChecks},
    };
    for (const auto& [hour, minute, expected] : cases) {
        EXPECT_EQ(branchAt(hour, minute, {}), expected) << hour << ":" << minute;
        // Once given, a broadcast's minutes are ordinary alert passes.
        EXPECT_EQ(branchAt(hour, minute, {true, true, true}), Branch::AlertChecks) << hour << ":" << minute;
    }
    EXPECT_EQ(branchAt(11, 40, {true, false, true}), Branch::MiddayBroadcast);
    const std::pair<QTime, bool> sessions[] = {
        {QTime(9, 30, 0), false}, {QTime(9, 30, 1), true}, {QTime(11, 29, 59), true}, {QTime(11, 30, 0), false},
        {QTime(13, 0, 0), false}, {QTime(13, 0, 1), true}, {QTime(14, 59, 59), true}, {QTime(15, 0, 0), false},
    };
    for (const auto& [time, inside] : sessions)
        EXPECT_EQ(insideSession(time), inside) << text(time.toString());
}

// A broadcast's minutes count only within its own hour: the same minutes of another hour are alert passes.
TEST(MonitorBranch, BroadcastsOnlyWithinTheirOwnHour) {
    for (const auto& [hour, minute] : {std::pair{10, 29}, {8, 28}, {12, 40}, {10, 33}, {14, 3}, {16, 9}})
        EXPECT_EQ(branchAt(hour, minute, {}), Branch::AlertChecks) << hour << ":" << minute;
}

TEST(Broadcasts, OneNumberedRowPerFetchedStock) {
    Quotes::QuoteLists lists;
    EXPECT_TRUE(broadcastRows(lists, 13).isEmpty());
    lists.appendRecord(Quotes::parseQuoteRecord(
        u"1,600519,贵州茅台,1688.00,-1.25%,-20.85,1687.99,12,1688.10,7,23456,395123.45,1670.00,x,1690,1665,1,35,"));
    lists.appendRecord(
        Quotes::parseQuoteRecord(u"2,000002,万科A,10.00,0.00%,0.00,9.99,80,10.00,95,5000,5000.00,9.95,"));
    const QList<QStringList> rows = broadcastRows(lists, 13);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0],
              (QStringList{"1", QStringLiteral("贵州茅台(600519)"), "1670.00", QStringLiteral("-1.25%↓"), "23456"}));
    // An unchanged stock counts as a rise.
    EXPECT_EQ(rows[1], (QStringList{"2", QStringLiteral("万科A(000002)"), "9.95", QStringLiteral("0.00%↑"), "5000"}));
    EXPECT_EQ(broadcastRows(lists, 4)[0][2], QStringLiteral("1688.00"));
}

TEST(AlertChecks, EachFiresPastItsThresholdOnceWithItsTexts) {
    using enum AlertWindow;
    struct Case {
        AlertWindow window;
        QuoteEntry quote;
        QString headline; // empty: no alert
        bool fall = false;
        QString detail = {}; // empty: not checked
    };
    const QString up = pingan + QStringLiteral(" 股价接近涨停或已涨停");
    const QString order = pingan + QStringLiteral("10:00:00在");
    const Case cases[] = {
        {Limit, quote("9.00%", "0.83"), {}},
        {Limit, quote("9.01%", "0.83"), up},
        {Limit, quote("10.00%", "0.92"), up},
        {Limit, quote("0.0", "0.00"), {}},
        {Limit, quote("-9.00%", "-0.83"), {}},
        {Limit, quote("-9.01%", "-0.83"), pingan + QStringLiteral(" 股价接近跌停或已跌停"), true,
         QStringLiteral("最新价:10.10 跌:-0.83元 幅度:-9.01% ↓ 成交量:54321手")},
        // A sell or a buy by the last trade's side; the detail line by the change.
        {BigTrade, quote("-1.20%", "-0.12", "1000", "120", "95", "-1"),
         pingan + QStringLiteral("在10:00:00有1000手大卖单成交"), true,
         QStringLiteral("最新价:10.10 跌:-0.12元 幅度:-1.20%↓ 成交量:54321手")},
        {BigTrade, quote("1.00%", "0.10", "2500"), pingan + QStringLiteral("在10:00:00有2500手大买单成交"), false,
         QStringLiteral("最新价:10.10 涨:0.10元 幅度:1.00% ↑ 成交量:54321手")},
        // Four digits set: the length of the volume's text counts, not its value.
        {BigTrade, quote("1.00%", "0.10", "999"), {}},
        {BigTrade, quote("1.00%", "0.10", "0100"), pingan + QStringLiteral("在10:00:00有0100手大买单成交")},
        // Both sides are tested; when both qualify, the ask wins.
        {LargeOrder, quote("1.00%", "0.10", "35", "999", "999"), {}},
        {LargeOrder, quote("1.00%", "0.10", "35", "1000", "999"), order + QStringLiteral("买①出现1000手买单")},
        {LargeOrder, quote("1.00%", "0.10", "35", "999", "1000"), order + QStringLiteral("卖①出现1000手卖单")},
        {LargeOrder, quote("1.00%", "0.10", "35", "12000", "30000"), order + QStringLiteral("卖①出现30000手卖单")},
        {Change, quote("5.00%", "0.50"), {}},
        {Change, quote("5.01%", "0.50"), pingan + QStringLiteral(" 涨幅超过5.01%")},
        {Change, quote("-5.00%", "-0.50"), {}},
        {Change, quote("-5.01%", "-0.50"), pingan + QStringLiteral(" 跌幅超过-5.01%"), true,
         QStringLiteral("最新价:10.10 跌:-0.50元 幅度:-5.01% ↓ 成交量:54321手")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        StockState state = armedState;
        const std::optional<Alert> alert = runCheck(c.window, c.quote, state, own(c.window));
        ASSERT_EQ(alert.has_value(), !c.headline.isEmpty());
        EXPECT_EQ(state, alert ? firedState(c.window) : armedState);
        if (!alert)
            continue;
        EXPECT_EQ(alert->window, c.window);
        EXPECT_EQ(alert->headline, c.headline);
        EXPECT_EQ(alert->fall, c.fall);
        if (!c.detail.isEmpty()) {
            EXPECT_EQ(alert->detail, c.detail);
        }
        EXPECT_FALSE(runCheck(c.window, c.quote, state, own(c.window))) << "fired: waits to be armed again";
    }
    // The change threshold is the stock's own.
    StockSettings nine = settings("0001");
    nine.pct = QStringLiteral("9");
    StockState state = armedState;
    EXPECT_FALSE(changeCheck(quote("8.99%", "0.80"), nine, state, true));
}

TEST(AlertChecks, NoneWithoutItsSwitchOrOutsideTheSessions) {
    const QuoteEntry firing = quote("9.50%", "0.90", "5000", "5000", "5000"); // every check fires on it
    for (const AlertWindow window :
         {AlertWindow::Limit, AlertWindow::BigTrade, AlertWindow::LargeOrder, AlertWindow::Change}) {
        SCOPED_TRACE(int(window));
        StockState state = armedState;
        EXPECT_FALSE(runCheck(window, firing, state, own(window), false));
        EXPECT_FALSE(runCheck(window, firing, state, settings("0000")));
        // A switch string too short to hold this check's switch.
        EXPECT_FALSE(runCheck(window, firing, state, settings(QString(int(window), u'1'))));
        EXPECT_EQ(state, armedState);
        EXPECT_TRUE(runCheck(window, firing, state, own(window)));
    }
}

TEST(AlertChecks, StockAtItsLimitGetsNoLargeOrderAlert) {
    const QuoteEntry sealed = quote("9.98%", "0.92", "35", "150000", "0");
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

// The big-trade threshold is the user's number of digits, 4, 5 or 6, counted on the last trade's volume text.
TEST(AlertChecks, BigTradeByTheLengthOfTheLastTradesVolume) {
    const std::tuple<QString, QString, bool> cases[] = {{"999", "4", false},   {"1000", "4", true},
                                                        {"9999", "5", false},  {"10000", "5", true},
                                                        {"99999", "6", false}, {"100000", "6", true}};
    for (const auto& [volume, digits, fires] : cases) {
        StockSettings s = settings("0100");
        s.dealDigits = digits;
        StockState state = armedState;
        EXPECT_EQ(bigTradeCheck(quote("1.00%", "0.10", volume), s, state, true, tenOClock).has_value(), fires)
            << text(volume) << " with " << text(digits);
        EXPECT_EQ(state.dealcooldown, fires ? "0" : "-1") << text(volume);
    }
}

TEST(StockChecks, InTheirOrderWithEveryKindAtOnce) {
    const QuoteEntry q = quote("9.50%", "0.88", "5000", "120", "20000");
    const std::optional<StockCheck> check = checkStock(q, settings("1111"), armedState, true, tenOClock);
    ASSERT_TRUE(check);
    ASSERT_EQ(check->alerts.size(), 3);
    EXPECT_EQ(check->alerts[0].window, AlertWindow::Limit);
    EXPECT_EQ(check->alerts[1].window, AlertWindow::BigTrade);
    EXPECT_EQ(check->alerts[2].window, AlertWindow::Change);
    EXPECT_EQ(check->state, (StockState{"1", "0", "-1", "0"}));
}

TEST(StockChecks, UnreadableQuoteSkipsTheStockAndKeepsItsState) {
    const QuoteEntry suspended = quote("-", "-");
    QuoteEntry shortRecord = quote("9.5%", "0.9", "", "120", "95", "");
    shortRecord.volume.clear();
    const std::pair<QuoteEntry, const char*> cases[] = {
        {suspended, "1000"},   {suspended, "0001"},   {quote("", ""), "1001"},
        {shortRecord, "1000"}, {shortRecord, "0100"}, {quote("1.00%", "0.10", "35", "120", ""), "0010"},
    };
    for (const auto& [q, flags] : cases)
        EXPECT_FALSE(checkStock(q, settings(flags), armedState, true, tenOClock)) << flags;
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

// On a second screen the corner is that screen's: its origin is kept.
TEST(PopupPlacement, ASecondScreenKeepsItsOrigin) {
    EXPECT_EQ(popupCornerPosition({1920, 0, 1280, 1024}, {1920, 0, 1280, 984}, {300, 100}), QPoint(2900, 884));
    EXPECT_EQ(popupCornerPosition({0, 1080, 1920, 1080}, {0, 1080, 1920, 1040}, {360, 130}), QPoint(1560, 1990));
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
    };
    for (const Case& c : cases)
        EXPECT_EQ(popupCornerPosition(c.screen, c.workArea, c.frame), c.expected);
}
