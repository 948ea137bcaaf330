// The watch-list monitor's passes and the re-arm tick on a real main window, with the clock set and the quotes
// scripted, read back from the pop-up windows; and the pass against a failing quote service on 127.0.0.1.
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "platform/screen.h"
#include "quotes/alerts.h"
#include "quotes/tform3.h"
#include "quotes/tform5.h"
#include "quotes/tform6.h"
#include "quotes/tform7.h"
#include "quotes/tform8.h"
#include "quotes/tform9.h"
#include "quotes/watchlist.h"
#include "support/quoteservice.h"
#include "support/wholetexts.h"
#include "support/windows.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QDate wednesday(2024, 1, 3);

QLabel* part(QWidget* window, const char* name) {
    return widgetNamed<QLabel>(window, name);
}

// A main window whose watch-list fetch appends scripted records, after running `duringFetch` (what the user or
// a timer does while the fetch waits).
class MonitorForm1 : public RecordingForm1 {
public:
    QMap<QString, Quote> quotes;
    QString failingCode;
    QStringList fetched;
    std::function<void()> duringFetch;

    void gestockgj(const QString& code) override {
        fetched << code;
        if (const auto run = std::exchange(duringFetch, nullptr))
            run();
        if (code == failingCode)
            throw Failure(QStringLiteral("no connection"));
        state.quotelists.appendRecord(Quotes::parseQuoteRecord(quotes.value(code).text()));
    }
};

class Monitor : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        form->state.localalerts = 1;
        form->Timer1->start();
        form->Timer4->start();
    }

    QList<QWidget*> alertWindows() const { return {form6.get(), form7.get(), form8.get(), form9.get()}; }
    bool anyAlertShown() const { return std::ranges::any_of(alertWindows(), &QWidget::isVisible); }

    // Adds a stock to the watch list, armed, with its quote.
    void watch(const Quote& quote, const QString& flags, const QString& broadcast = "1") {
        WatchList::Stock stock = WatchList::newStock(quote.code, quote.name);
        stock.flags = flags;
        stock.openclose = broadcast;
        WatchList::appendStock(form->state, stock);
        WatchList::resetAlertState(form->state, form->state.watchcodes.size());
        form->quotes[quote.code] = quote;
    }

    void passAt(const QDate& day, int hour, int minute, int second = 0) {
        Clock::setForTests(QDateTime(day, QTime(hour, minute, second)));
        form->Timer4Timer();
    }

    StringGrid* grid() const { return widgetNamed<StringGrid>(form5.get(), "StringGrid1"); }

    Registered<MonitorForm1, TForm1> form{Form1};
    Registered<TForm3> form3{Form3};
    Registered<TForm5> form5{Form5};
    Registered<TForm6> form6{Form6};
    Registered<TForm7> form7{Form7};
    Registered<TForm8> form8{Form8};
    Registered<TForm9> form9{Form9};
};

const Quote pufa{.percent = "9.50%", .change = "0.95"};
const Quote vanke{.code = "000002", .name = u"万科A"_s, .percent = "-1.00%", .change = "-0.10"};

} // namespace

TEST_F(Monitor, WeekendHoldsTheQuoteTimerOffUntilMonday) {
    watch(pufa, "1111");
    for (const QDate& day : {QDate(2024, 1, 6), QDate(2024, 1, 7)}) {
        form->Timer1->start();
        passAt(day, 10, 0);
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_TRUE(form->Timer4->isActive()) << "the monitor keeps ticking";
    }
    EXPECT_TRUE(form->fetched.isEmpty());
    // Even with the local alerts off, Monday's first tick lets the quote panel run again, and only that one.
    form->state.localalerts = 0;
    passAt(QDate(2024, 1, 8), 8, 0);
    EXPECT_TRUE(form->Timer1->isActive());
    form->Timer1->stop();
    passAt(QDate(2024, 1, 8), 8, 0, 5);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(form->fetched.isEmpty());
}

TEST_F(Monitor, EachBroadcastOncePerRunWithTheMarkedStocksOnly) {
    watch(pufa, "0000");
    watch(vanke, "0000", "0");
    const std::tuple<int, int, int UnitState::*, QString> cases[] = {
        {9, 28, &UnitState::openbroadcastdone, u"现在(9:28:00)播报开盘价"_s},
        {11, 33, &UnitState::middaybroadcastdone, u"现在(11:33:00)播报午间收盘价"_s},
        {15, 3, &UnitState::closebroadcastdone, u"现在(15:03:00)播报收盘价"_s},
    };
    for (const auto& [hour, minute, flag, title] : cases) {
        form->fetched.clear();
        passAt(wednesday, hour, minute);
        EXPECT_EQ(form->state.*flag, 1);
        EXPECT_EQ(part(form5.get(), "Panel1")->text(), title);
        EXPECT_EQ(form->fetched, QStringList{"600000"});
        // Sized from the design each time: a later broadcast is no taller than the first.
        EXPECT_EQ(form5->height(), TForm5::designHeight + 16);
        // The next pass in the same minute checks alerts instead.
        form5->hide();
        passAt(wednesday, hour, minute, 30);
        EXPECT_FALSE(form5->isVisible());
        EXPECT_EQ(form->fetched.size(), 3);
    }
    EXPECT_EQ(QStringList({grid()->cell(1, 1), grid()->cell(2, 1), grid()->cell(1, 2)}),
              QStringList({u"浦发银行(600000)"_s, "10.95", ""}));

    // A failed fetch loses the broadcast for the run; with no stock marked the heading row shows alone.
    form->state.openbroadcastdone = form->state.middaybroadcastdone = 0;
    form->failingCode = "600000";
    passAt(wednesday, 9, 29);
    EXPECT_EQ(form->state.openbroadcastdone, 1);
    EXPECT_FALSE(form5->isVisible());
    EXPECT_TRUE(form->Timer4->isActive());
    form->state.watchopenclose = {"0", "0"};
    passAt(wednesday, 11, 40);
    EXPECT_EQ(grid()->rowCount(), 2);
}

// The opening broadcast pops its window up at the corner with the open price, not the latest; closing the window
// gives it back its design height.
TEST_F(Monitor, OpeningBroadcastShowsItsWindowWithTheOpenPrice) {
    watch(Quote{.price = "10.95", .open = "10.10"}, "0000");
    ASSERT_FALSE(form5->isVisible());
    passAt(wednesday, 9, 28);
    EXPECT_TRUE(form5->isVisible() && (form5->windowFlags() & Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form5->frameGeometry().topLeft(),
              Alerts::popupCornerPosition(screenRect(), workArea(), form5->frameGeometry().size()));
    EXPECT_EQ(QStringList({grid()->cell(2, 0), grid()->cell(2, 1)}), QStringList({u"开盘价"_s, "10.10"}));
    EXPECT_EQ(form5->height(), TForm5::designHeight + TForm5::rowHeight);
    form5->close();
    EXPECT_FALSE(form5->isVisible());
    EXPECT_EQ(form5->height(), TForm5::designHeight);
}

TEST_F(Monitor, EachKindOfAlertPopsUpInItsWindowAtTheCorner) {
    watch(pufa, "1000");
    watch(Quote{.code = "601318", .side = "-1", .last = "1500"}, "0100");
    watch(Quote{.code = "601398", .bidVolume = "2000", .askVolume = "30000"}, "0010");
    watch(Quote{.code = "000002", .percent = "-6.00%", .change = "-0.60"}, "0001");
    passAt(wednesday, 10, 0);
    const QStringList headlines{
        u"注意:浦发银行(600000) 股价接近涨停或已涨停"_s, u"注意:浦发银行(601318)在10:00:00有1500手大卖单成交"_s,
        u"注意:浦发银行(601398)10:00:00在卖①出现30000手卖单"_s, u"注意:浦发银行(000002) 跌幅超过-6.00%"_s};
    for (int i = 0; i < 4; ++i) {
        QWidget* window = alertWindows().at(i);
        EXPECT_EQ(part(window, "Label1")->text(), headlines[i]);
        EXPECT_TRUE(window->isVisible() && (window->windowFlags() & Qt::WindowStaysOnTopHint));
        EXPECT_EQ(window->frameGeometry().topLeft(),
                  Alerts::popupCornerPosition(screenRect(), workArea(), window->frameGeometry().size()));
        EXPECT_TRUE(workArea().contains(window->frameGeometry()));
    }
    EXPECT_EQ(part(form6.get(), "Label2")->text(), u"最新价:10.95 涨:0.95元 幅度:9.50% ↑ 成交量:88000手"_s);
    EXPECT_EQ(Colours::fontColour(part(form9.get(), "Label2")), Colours::green);
    EXPECT_TRUE(part(form9.get(), "Image1")->isHidden() && !part(form9.get(), "Image2")->isHidden());
    EXPECT_EQ(form->state.limitfired + form->state.dealcooldown + form->state.ordercooldown + form->state.pctcooldown,
              QStringList({"1", "0", "0", "0", "-1", "0", "-1", "-1", "-1", "-1", "0", "-1", "-1", "-1", "-1", "0"}));

    // Fired alerts wait for the re-arm tick: 301 ticks later the big trade fires again.
    form7->hide();
    for (int tick = 0; tick < 300; ++tick)
        form->Timer6Timer();
    passAt(wednesday, 10, 5, 0);
    EXPECT_FALSE(form7->isVisible());
    form->Timer6Timer();
    passAt(wednesday, 10, 5, 1);
    EXPECT_TRUE(form7->isVisible() && form->Timer6->isActive());
}

TEST_F(Monitor, LocalAlertsOffFetchNothingAndSessionBoundsRaiseNothing) {
    watch(pufa, "1000");
    form->state.localalerts = 0;
    passAt(wednesday, 10, 0);
    EXPECT_TRUE(form->fetched.isEmpty());
    form->state.localalerts = 1;
    passAt(wednesday, 13, 0, 0);
    EXPECT_EQ(form->fetched, QStringList{"600000"});
    EXPECT_FALSE(anyAlertShown());
}

TEST_F(Monitor, UnreadableStocksAreSkippedAndAFailedFetchEndsThePass) {
    watch(Quote{.code = "600001", .price = "-", .percent = "-", .change = "-"}, "1001"); // suspended
    watch(Quote{.code = "600003", .percent = "9.95%"}, "1000");
    // A stock added to the watch list after its alert state was set up.
    watch(Quote{.code = "600004", .percent = "9.95%"}, "1000");
    form->state.limitfired.removeLast();
    passAt(wednesday, 10, 0);
    EXPECT_EQ(form->state.limitfired, QStringList({"0", "1"}));
    EXPECT_TRUE(form6->isVisible());

    form6->hide();
    form->state.limitfired = {"0", "0", "0"};
    form->failingCode = "600003";
    form->fetched.clear();
    passAt(wednesday, 10, 0, 5);
    EXPECT_EQ(form->fetched, QStringList({"600001", "600003"}));
    EXPECT_FALSE(anyAlertShown());
    EXPECT_TRUE(form->Timer4->isActive());
}

// The settings window opens, or a save reloads a changed watch list, while the pass waits in its fetch: the
// quote fetched for position 0 no longer belongs to position 0's settings and alert state.
TEST_F(Monitor, PassWhoseWatchListChangedDuringItsFetchChecksNothing) {
    watch(pufa, "1000");
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"settings window opened", [this] { form3->show(); }},
        {"watch list reloaded", [this] { form->state.watchcodes = {"000001"}; }},
    };
    for (const auto& [name, change] : cases) {
        form3->hide();
        form->duringFetch = change;
        passAt(wednesday, 10, 0);
        EXPECT_EQ(form->state.limitfired, QStringList{"0"}) << name;
        EXPECT_EQ(form->Timer4->isActive(), !form3->isVisible()) << name;
    }
}

// The settings window's closing switches the monitor on while a pass still waits; the tick that follows must not
// start a second pass that empties the quote lists under the first.
TEST_F(Monitor, TickDuringAPassStartsNoSecondPass) {
    watch(pufa, "1000");
    form->duringFetch = [this] { form->Timer4Timer(); };
    passAt(wednesday, 10, 0);
    EXPECT_EQ(form->fetched, QStringList{"600000"});
    EXPECT_EQ(form->state.limitfired, QStringList{"1"});
    EXPECT_TRUE(form->Timer4->isActive());
}

// A broadcast shows every name, price, change and volume whole, however wide the grid's font draws them: a
// column too narrow for its texts widens, and the window with it.
TEST_F(Monitor, BroadcastCellsHoldTheirTexts) {
    watch(Quote{.code = "600519", .name = u"贵州茅台"_s, .price = "1408.00", .percent = "-2.85%"}, "0000");
    watch(Quote{.code = "300750", .name = u"宁德时代"_s, .price = "192.79", .percent = "-0.90%", .volume = "106072"},
          "0000");
    watch(Quote{.code = "601398", .name = u"*ST工商"_s, .price = "5.12", .percent = "-10.02%", .volume = "123456789"},
          "0000");
    passAt(wednesday, 15, 3);
    ASSERT_TRUE(form5->isVisible());
    EXPECT_EQ(cutCells(grid()).join(u'\n').toStdString(), "");
    int columns = 0;
    for (int column = 0; column < grid()->columnCount(); ++column)
        columns += grid()->columnWidth(column);
    EXPECT_EQ(grid()->cell(1, 3), u"*ST工商(601398)"_s);
    EXPECT_LE(columns, grid()->viewport()->width());
    EXPECT_TRUE(form5->rect().contains(grid()->geometry()));
    EXPECT_GE(form5->width(), TForm5::designWidth);
}

// The real watch-list fetch: it appends the record, and a failed one switches the monitor on again only while the
// settings window is closed.
TEST_F(Monitor, RealFetchAppendsTheRecordAndAFailureRestartsTheMonitorUnlessTheSettingsAreOpen) {
    QuoteService service;
    service.records["000002"] = vanke.bytes();
    RecordingForm1 real;
    real.gestockgj("000002");
    EXPECT_EQ(real.state.quotelists.entry(3, 0), u"万科A"_s);
    service.reply = Loopback::HttpReply::error(500);
    for (const bool settingsOpen : {true, false}) {
        form3->setVisible(settingsOpen);
        real.Timer4->stop();
        EXPECT_THROW(real.gestockgj("000002"), SilentAbort);
        EXPECT_EQ(real.Timer4->isActive(), !settingsOpen) << "settings window open: " << settingsOpen;
    }
}

// The monitor's fetches run inside the quote panel's wait, so they keep to the quote panel's 5-second read
// time-out: a stalled quote service fails the fetch after about 5 seconds, not the default 30.
TEST_F(Monitor, FetchFromAStalledServiceGivesUpAfterTheQuotePanelsTimeOut) {
    QuoteService service;
    service.records["000002"] = vanke.bytes();
    service.delivery = Loopback::Delivery::stalled(0);
    RecordingForm1 real;
    QElapsedTimer waited;
    waited.start();
    EXPECT_THROW(real.gestockgj("000002"), SilentAbort);
    EXPECT_GE(waited.elapsed(), 4000);
    EXPECT_LT(waited.elapsed(), 9000);
}

// The re-arm tick wakes the program only while a fired alert is counting: with every alert armed it stays off,
// the pass that fires one switches it on, and the tick that arms the last one switches it off again.
TEST_F(Monitor, ReArmTickRunsOnlyWhileAnAlertCounts) {
    watch(Quote{.code = "601318", .side = "-1", .last = "1500"}, "0100");
    form->Timer6->start();
    form->Timer6Timer();
    EXPECT_FALSE(form->Timer6->isActive());
    passAt(wednesday, 10, 0);
    EXPECT_EQ(form->state.dealcooldown, QStringList{"0"});
    EXPECT_TRUE(form7->isVisible() && form->Timer6->isActive());

    for (int tick = 0; tick < 300; ++tick)
        form->Timer6Timer();
    EXPECT_EQ(form->state.dealcooldown, QStringList{"300"});
    EXPECT_TRUE(form->Timer6->isActive());
    form->Timer6Timer();
    EXPECT_EQ(form->state.dealcooldown, QStringList{"-1"});
    EXPECT_FALSE(form->Timer6->isActive());

    // A pass that fires nothing (in the midday break) leaves it off; the next one that fires switches it on.
    form7->hide();
    passAt(wednesday, 12, 0);
    EXPECT_FALSE(form7->isVisible() || form->Timer6->isActive());
    passAt(wednesday, 13, 5);
    EXPECT_TRUE(form7->isVisible() && form->Timer6->isActive());
}
