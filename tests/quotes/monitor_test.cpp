// The watch-list monitor's passes and the re-arm tick on a real main window, with the clock set and the quotes
// scripted (and, once, served by the simulated market on 127.0.0.1), read back from the pop-up windows.
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "market.h"
#include "platform/screen.h"
#include "quotes/alerts.h"
#include "quotes/tform5.h"
#include "quotes/tform6.h"
#include "quotes/tform7.h"
#include "quotes/tform8.h"
#include "quotes/tform9.h"
#include "quotes/watchlist.h"
#include "support/servers/httpserver.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace {

// A window's label by its name.
QLabel* part(QWidget* window, const char* name) {
    return widgetNamed<QLabel>(window, name);
}

const QDate wednesday(2024, 1, 3);
const QDate saturday(2024, 1, 6);
const QDate sunday(2024, 1, 7);
const QDate monday(2024, 1, 8);

// One quote record in the service's layout; `last` and `side` are fields 18 and 17.
QString record(const QString& code, const QString& name, const QString& percent, const QString& change,
               const QString& bid = "100", const QString& ask = "100", const QString& side = "1",
               const QString& last = "20") {
    return QStringList{"1",     code,      name,    "10.95", percent, change,  "10.94", bid,  "10.96", ask,
                       "88000", "9600.00", "10.10", "10.00", "10.96", "10.05", side,    last, "9.1%",  "10:00:00"}
        .join(u',');
}

// A main window whose watch-list fetch appends scripted records.
class MonitorForm1 : public RecordingForm1 {
public:
    QMap<QString, QString> records;
    QString failingCode;
    QStringList fetched;

    void gestockgj(const QString& code) override {
        fetched << code;
        if (code == failingCode)
            throw Failure(QStringLiteral("no connection"));
        state.quotelists.appendRecord(Quotes::parseQuoteRecord(records.value(code)));
    }
};

class Monitor : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        form = std::make_unique<MonitorForm1>();
        Form1 = form.get();
        Form5 = new TForm5;
        Form6 = new TForm6;
        Form7 = new TForm7;
        Form8 = new TForm8;
        Form9 = new TForm9;
        form->state.localalerts = 1;
        form->Timer1->start();
        form->Timer4->start();
    }
    void TearDown() override {
        qDeleteAll(alertWindows() << Form5);
        Form5 = nullptr;
        Form6 = nullptr;
        Form7 = nullptr;
        Form8 = nullptr;
        Form9 = nullptr;
        Form1 = nullptr;
        form.reset();
        Form1Test::TearDown();
    }

    static QList<QWidget*> alertWindows() { return {Form6, Form7, Form8, Form9}; }

    // Adds a stock to the watch list, armed, with its record.
    void watch(const QString& code, const QString& flags, const QString& recordText, const QString& broadcast = "1") {
        watchIn(form->state, code, flags, broadcast);
        form->records[code] = recordText;
    }

    static void watchIn(UnitState& state, const QString& code, const QString& flags, const QString& broadcast = "1") {
        WatchList::Stock stock = WatchList::newStock(code, code);
        stock.flags = flags;
        stock.openclose = broadcast;
        WatchList::appendStock(state, stock);
        WatchList::resetAlertState(state, state.watchcodes.size());
    }

    // One pass at that moment.
    void passAt(const QDate& day, int hour, int minute, int second = 0) {
        Clock::setForTests(QDateTime(day, QTime(hour, minute, second)));
        form->Timer4Timer();
    }

    static bool anyAlertShown() { return std::ranges::any_of(alertWindows(), &QWidget::isVisible); }

    static void hideAll() {
        for (QWidget* window : alertWindows())
            window->hide();
        Form5->hide();
    }

    StringGrid* grid() const { return widgetNamed<StringGrid>(Form5, "StringGrid1"); }

    std::unique_ptr<MonitorForm1> form;
};

} // namespace

TEST_F(Monitor, WeekendHoldsTheQuoteTimerOffUntilMonday) {
    watch("600000", "1111", record("600000", QStringLiteral("浦发银行"), "9.50%", "0.95"));
    for (const QDate& day : {saturday, sunday}) {
        form->Timer1->start();
        passAt(day, 10, 0);
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_TRUE(form->Timer4->isActive()) << "the monitor keeps ticking";
    }
    EXPECT_TRUE(form->fetched.isEmpty());
    EXPECT_FALSE(anyAlertShown());

    // Even with the local alerts off, Monday's first tick lets the quote panel run again.
    form->state.localalerts = 0;
    passAt(monday, 8, 0);
    EXPECT_TRUE(form->Timer1->isActive());
    // A quote timer switched off by someone else is left alone on later weekday ticks.
    form->Timer1->stop();
    passAt(monday, 8, 0, 5);
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(Monitor, BroadcastsAtTheirMinutesOncePerRun) {
    struct Case {
        int hour, minute;
        int UnitState::*flag; // nullptr: an alert pass
    };
    // The minutes' edges are the branch rule's to test; here each broadcast reaches its flag and its window.
    const Case cases[] = {
        {9, 27, nullptr},  {9, 30, &UnitState::openbroadcastdone},  {11, 33, &UnitState::middaybroadcastdone},
        {11, 45, nullptr}, {15, 3, &UnitState::closebroadcastdone}, {15, 10, nullptr},
    };
    watch("600000", "0000", record("600000", QStringLiteral("浦发银行"), "1.00%", "0.10"));
    watch("000002", "0000", record("000002", QStringLiteral("万科A"), "-1.00%", "-0.10"), "0");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hour * 100 + c.minute);
        form->state.openbroadcastdone = form->state.middaybroadcastdone = form->state.closebroadcastdone = 0;
        form->fetched.clear();
        hideAll();
        passAt(wednesday, c.hour, c.minute);
        EXPECT_TRUE(form->Timer4->isActive());
        if (!c.flag) {
            EXPECT_FALSE(Form5->isVisible());
            EXPECT_EQ(form->fetched, (QStringList{"600000", "000002"}));
            continue;
        }
        EXPECT_EQ(form->state.*c.flag, 1);
        EXPECT_TRUE(Form5->isVisible());
        EXPECT_EQ(form->fetched, QStringList{"600000"}) << "only the stocks marked for broadcasts";

        // The next pass in the same minute checks alerts instead.
        hideAll();
        form->fetched.clear();
        passAt(wednesday, c.hour, c.minute, 30);
        EXPECT_FALSE(Form5->isVisible());
        EXPECT_EQ(form->fetched.size(), 2);
    }
}

TEST_F(Monitor, BroadcastGridTitleAndSize) {
    watch("600000", "0000", record("600000", QStringLiteral("浦发银行"), "1.00%", "0.10"));
    watch("000002", "0000", record("000002", QStringLiteral("万科A"), "-1.00%", "-0.10"));
    passAt(wednesday, 9, 28, 3);
    EXPECT_EQ(part(Form5, "Panel1")->text(), QStringLiteral("现在(9:28:03)播报开盘价"));
    EXPECT_EQ(grid()->rowCount(), 4) << "heading, two stocks and one empty row";
    EXPECT_EQ(grid()->cell(2, 0), QStringLiteral("开盘价"));
    EXPECT_EQ(grid()->cell(0, 1), "1");
    EXPECT_EQ(grid()->cell(1, 1), QStringLiteral("浦发银行(600000)"));
    EXPECT_EQ(grid()->cell(2, 1), "10.10");
    EXPECT_EQ(grid()->cell(3, 2), QStringLiteral("-1.00%↓"));
    EXPECT_EQ(grid()->cell(4, 2), "88000");
    EXPECT_EQ(grid()->cell(1, 3), QString());
    EXPECT_EQ(grid()->columnWidth(1), 108);
    EXPECT_EQ(grid()->rowHeight(1), 16);

    passAt(wednesday, 11, 40);
    EXPECT_EQ(part(Form5, "Panel1")->text(), QStringLiteral("现在(11:40:00)播报午间收盘价"));
    EXPECT_EQ(grid()->cell(2, 0), QStringLiteral("收盘价"));
    EXPECT_EQ(grid()->cell(2, 1), "10.95");
    // Sized from the design each time: the second broadcast is no taller than the first.
    EXPECT_EQ(Form5->height(), TForm5::designHeight + 32);
    EXPECT_EQ(grid()->height(), TForm5::designGridHeight + 32);
    Form5->close();
    EXPECT_EQ(Form5->height(), TForm5::designHeight);
    EXPECT_FALSE(Form5->isVisible());
}

TEST_F(Monitor, BroadcastWithoutMarkedStocksShowsTheHeadingRowOnly) {
    watch("600000", "0000", record("600000", QStringLiteral("浦发银行"), "1.00%", "0.10"), "0");
    passAt(wednesday, 15, 5);
    EXPECT_TRUE(form->fetched.isEmpty());
    EXPECT_TRUE(Form5->isVisible());
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->cell(1, 0), QStringLiteral("股票名称及代码"));
    EXPECT_EQ(grid()->cell(1, 1), QString());
    EXPECT_EQ(Form5->height(), TForm5::designHeight);
}

TEST_F(Monitor, FailedFetchLosesTheBroadcastForTheRun) {
    watch("600000", "0000", record("600000", QStringLiteral("浦发银行"), "1.00%", "0.10"));
    form->failingCode = "600000";
    passAt(wednesday, 9, 28);
    EXPECT_EQ(form->state.openbroadcastdone, 1);
    EXPECT_FALSE(Form5->isVisible());
    EXPECT_TRUE(form->Timer4->isActive());
}

TEST_F(Monitor, EachKindOfAlertPopsUpWithItsTexts) {
    watch("600000", "1000", record("600000", QStringLiteral("浦发银行"), "9.50%", "0.95"));
    watch("601318", "0100",
          record("601318", QStringLiteral("中国平安"), "-0.50%", "-0.20", "100", "100", "-1", "1500"));
    watch("601398", "0010", record("601398", QStringLiteral("工商银行"), "0.20%", "0.01", "2000", "30000"));
    watch("000002", "0001", record("000002", QStringLiteral("万科A"), "-6.00%", "-0.60"));
    passAt(wednesday, 10, 0);

    EXPECT_EQ(part(Form6, "Label1")->text(), QStringLiteral("注意:浦发银行(600000) 股价接近涨停或已涨停"));
    EXPECT_EQ(part(Form6, "Label2")->text(), QStringLiteral("最新价:10.95 涨:0.95元 幅度:9.50% ↑ 成交量:88000手"));
    EXPECT_EQ(Colours::fontColour(part(Form6, "Label2")), Colours::red);
    EXPECT_FALSE(part(Form6, "Image1")->isHidden());
    EXPECT_TRUE(part(Form6, "Image2")->isHidden());

    EXPECT_EQ(part(Form7, "Label1")->text(), QStringLiteral("注意:中国平安(601318)在10:00:00有1500手大卖单成交"));
    EXPECT_EQ(part(Form7, "Label2")->text(), QStringLiteral("最新价:10.95 跌:-0.20元 幅度:-0.50%↓ 成交量:88000手"));
    EXPECT_EQ(Colours::fontColour(part(Form7, "Label2")), Colours::green);

    EXPECT_EQ(part(Form8, "Label1")->text(), QStringLiteral("注意:工商银行(601398)10:00:00在卖①出现30000手卖单"));
    EXPECT_EQ(Colours::fontColour(part(Form8, "Label2")), Colours::red);

    EXPECT_EQ(part(Form9, "Label1")->text(), QStringLiteral("注意:万科A(000002) 跌幅超过-6.00%"));
    EXPECT_TRUE(part(Form9, "Image1")->isHidden());
    EXPECT_FALSE(part(Form9, "Image2")->isHidden());

    for (QWidget* window : alertWindows()) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(window->frameGeometry().topLeft(),
                  Alerts::popupCornerPosition(screenRect(), workArea(), window->frameGeometry().size()));
    }
    EXPECT_EQ(form->state.limitfired, (QStringList{"1", "0", "0", "0"}));
    EXPECT_EQ(form->state.dealcooldown, (QStringList{"-1", "0", "-1", "-1"}));
    EXPECT_EQ(form->state.ordercooldown, (QStringList{"-1", "-1", "0", "-1"}));
    EXPECT_EQ(form->state.pctcooldown, (QStringList{"-1", "-1", "-1", "0"}));
    EXPECT_TRUE(form->Timer4->isActive());
}

TEST_F(Monitor, NoAlertOnTheSessionBounds) {
    watch("600000", "1111", record("600000", QStringLiteral("浦发银行"), "9.50%", "0.95", "5000", "5000", "1", "5000"));
    form->state.openbroadcastdone = 1;
    for (const auto& [hour, minute] : {std::pair{9, 30}, std::pair{11, 30}, std::pair{13, 0}, std::pair{15, 0}}) {
        form->fetched.clear();
        passAt(wednesday, hour, minute);
        EXPECT_EQ(form->fetched, QStringList{"600000"}) << hour << ":" << minute;
        EXPECT_FALSE(anyAlertShown()) << hour << ":" << minute;
    }
    // Inside a session, local alerts off fetch nothing; on, the limit alert comes.
    form->state.localalerts = 0;
    form->fetched.clear();
    passAt(wednesday, 13, 0, 1);
    EXPECT_TRUE(form->fetched.isEmpty());
    EXPECT_FALSE(anyAlertShown());
    form->state.localalerts = 1;
    passAt(wednesday, 13, 0, 1);
    EXPECT_TRUE(Form6->isVisible());
}

TEST_F(Monitor, UnreadableStocksAreSkippedAndLaterOnesStillChecked) {
    // Suspended: "-" for every price field.
    watch("600001", "1001", QStringLiteral("1,600001,停牌股,-,-,-,-,-,-,-,-,-,-,-,-,-,-,-,"));
    // A short record: no fields past the change.
    watch("600002", "1111", QStringLiteral("1,600002,短记录,10.00,9.80%,"));
    watch("600003", "1000", record("600003", QStringLiteral("涨停股"), "9.95%", "1.00"));
    // A stock added to the watch list after its alert state was set up.
    watch("600004", "1000", record("600004", QStringLiteral("新加股"), "9.95%", "1.00"));
    form->state.limitfired.removeLast();
    passAt(wednesday, 10, 0);
    EXPECT_EQ(part(Form6, "Label1")->text(), QStringLiteral("注意:涨停股(600003) 股价接近涨停或已涨停"));
    EXPECT_EQ(form->state.limitfired, (QStringList{"0", "0", "1"}));
    EXPECT_EQ(form->state.pctcooldown, (QStringList{"-1", "-1", "-1", "-1"}));
}

TEST_F(Monitor, FailedFetchEndsThePass) {
    for (const char* code : {"600003", "600004", "600005"})
        watch(code, "1000", record(code, QStringLiteral("涨停股"), "9.95%", "1.00"));
    form->failingCode = "600004";
    passAt(wednesday, 10, 0);
    EXPECT_EQ(form->fetched, (QStringList{"600003", "600004"}));
    EXPECT_FALSE(anyAlertShown());
    EXPECT_EQ(form->state.limitfired, (QStringList{"0", "0", "0"}));
    EXPECT_TRUE(form->Timer4->isActive());
}

TEST_F(Monitor, FiredAlertFiresAgainAfter301Ticks) {
    watch("601318", "0100", record("601318", QStringLiteral("中国平安"), "0.50%", "0.20", "100", "100", "1", "1500"));
    passAt(wednesday, 10, 0, 0);
    ASSERT_TRUE(Form7->isVisible());
    Form7->hide();
    for (int tick = 0; tick < 300; ++tick)
        form->Timer6Timer();
    EXPECT_EQ(form->state.dealcooldown, QStringList{"300"});
    passAt(wednesday, 10, 5, 0);
    EXPECT_FALSE(Form7->isVisible());
    form->Timer6Timer();
    EXPECT_EQ(form->state.dealcooldown, QStringList{"-1"});
    EXPECT_TRUE(form->Timer6->isActive());
    passAt(wednesday, 10, 5, 1);
    EXPECT_TRUE(Form7->isVisible());
    EXPECT_EQ(part(Form7, "Label1")->text(), QStringLiteral("注意:中国平安(601318)在10:05:01有1500手大买单成交"));
}

// The real watch-list fetch against the sample sites' simulated market: every scripted stock raises its alert.
TEST_F(Monitor, SimulatedMarketRaisesEveryAlert) {
    auto real = std::make_unique<RecordingForm1>();
    Form1 = real.get();
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    Hosts::setSitesOverrideForTests(server.url());
    // A busy minute for the big trades and orders, long after the scripted climb and slide.
    const QDateTime moment(monday, QTime(14, 10, 30));
    server.route("/quotes/EM_Quote2007/optional.aspx", [&moment](const Loopback::HttpRequest& request) {
        return Loopback::HttpReply::html(Market::quotePage(QString::fromLatin1(request.queryValue("fav")), moment));
    });
    UnitState& s = real->state;
    s.localalerts = 1;
    const std::pair<Market::Role, QString> roles[] = {{Market::Role::LimitUp, "1010"},
                                                      {Market::Role::BigTrades, "0100"},
                                                      {Market::Role::BigOrders, "0010"},
                                                      {Market::Role::Slide, "0001"}};
    for (const auto& [role, flags] : roles)
        watchIn(s, Market::withRole(role).code, flags);
    Clock::setForTests(moment);
    real->Timer4Timer();
    Hosts::setSitesOverrideForTests(QString());

    EXPECT_EQ(server.requests().size(), 4);
    const auto named = [](Market::Role role) { return Market::withRole(role).name; };
    EXPECT_TRUE(part(Form6, "Label1")->text().contains(named(Market::Role::LimitUp)));
    EXPECT_TRUE(part(Form7, "Label1")->text().contains(named(Market::Role::BigTrades)));
    EXPECT_TRUE(part(Form8, "Label1")->text().contains(named(Market::Role::BigOrders)));
    EXPECT_TRUE(part(Form9, "Label1")->text().contains(named(Market::Role::Slide)));
    EXPECT_TRUE(part(Form9, "Label1")->text().contains(QStringLiteral("跌幅超过")));
    EXPECT_EQ(s.ordercooldown.first(), "-1") << "the sealed limit-up stock raises no large-order alert";
    Form1 = form.get();
}
