// While the settings window is open it edits the watch lists, so the monitor and the desktop widget's timer must
// stay off; and a monitor pass that waits in its fetches must not be doubled or check lists that changed meanwhile.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/watchlist.h"
#include "support/servers/httpserver.h"

#include <QTimer>

#include <functional>
#include <utility>

namespace {

const QDate wednesday(2024, 1, 3);

// A record of a stock near its upper limit: the limit alert fires for it inside a session.
QString limitUpRecord(const QString& code) {
    return QStringLiteral("1,%1,涨停股,10.95,9.95%,1.00,10.94,100,10.96,100,88000,9600.00,10.10,10.00,10.96,10.05,"
                          "1,20,9.1%,10:00:00")
        .arg(code);
}

// A main window whose watch-list fetch runs `duringFetch` (what the user or a timer does while it waits) and
// then appends the stock's record; or, with `quoteService` set, fetches it for real.
class WaitingForm1 : public RecordingForm1 {
public:
    bool quoteService = false;
    std::function<void()> duringFetch;
    QStringList fetched;

    void gestockgj(const QString& code) override {
        if (quoteService)
            return TForm1::gestockgj(code);
        fetched << code;
        if (const auto run = std::exchange(duringFetch, nullptr))
            run();
        state.quotelists.appendRecord(Quotes::parseQuoteRecord(limitUpRecord(code)));
    }
};

class ReviewSettingsTimers : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        form = std::make_unique<WaitingForm1>();
        Form1 = form.get();
        Form3 = new TForm3;
        Form15 = new TForm15;
        form->state.localalerts = 1;
        watchOnly(QStringLiteral("600000"));
        Clock::setForTests(QDateTime(wednesday, QTime(10, 0, 0)));
    }
    void TearDown() override {
        delete std::exchange(Form15, nullptr);
        delete std::exchange(Form3, nullptr);
        Form1 = nullptr;
        form.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    // The watch list becomes that one stock, with its limit alert on and armed.
    void watchOnly(const QString& code) {
        WatchList::setStocks(form->state, {WatchList::newStock(code, code)});
        form->state.watchflags = {QStringLiteral("1000")};
        WatchList::resetAlertState(form->state, 1);
    }

    std::unique_ptr<WaitingForm1> form;
};

} // namespace

// The real watch-list fetch against a quote service that fails.
TEST_F(ReviewSettingsTimers, FailedFetchSwitchesTheMonitorOnOnlyWhileTheSettingsWindowIsClosed) {
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    server.route("/quotes/EM_Quote2007/optional.aspx",
                 [](const Loopback::HttpRequest&) { return Loopback::HttpReply::error(500); });
    Hosts::setSitesOverrideForTests(server.url());
    form->quoteService = true;
    for (const bool settingsOpen : {true, false}) {
        Form3->setVisible(settingsOpen);
        form->Timer4->stop();
        form->Timer4Timer();
        EXPECT_EQ(server.requests().size(), settingsOpen ? 1 : 2);
        EXPECT_EQ(form->Timer4->isActive(), !settingsOpen) << "settings window open: " << settingsOpen;
    }
}

// The settings window opens, or a save reloads a changed watch list, while the pass waits in its fetch: the
// quote fetched for position 0 no longer belongs to position 0's settings and alert state.
TEST_F(ReviewSettingsTimers, PassWhoseWatchListChangedDuringItsFetchChecksNothing) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"settings window opened", [] { Form3->show(); }},
        {"watch list reloaded", [this] { watchOnly(QStringLiteral("000001")); }},
    };
    for (const auto& [name, change] : cases) {
        Form3->hide();
        form->state.limitfired = {QStringLiteral("0")};
        form->duringFetch = change;
        form->Timer4Timer();
        EXPECT_EQ(form->state.limitfired, QStringList{"0"}) << name;
        EXPECT_EQ(form->Timer4->isActive(), !Form3->isVisible()) << name;
    }
}

// The settings window's closing switches the monitor on while a pass still waits; the tick that follows must not
// start a second pass that empties the quote lists under the first.
TEST_F(ReviewSettingsTimers, TickDuringAPassStartsNoSecondPass) {
    form->duringFetch = [this] { form->Timer4Timer(); };
    form->Timer4Timer();
    EXPECT_EQ(form->fetched, QStringList{"600000"});
    EXPECT_EQ(form->state.quotelists.size(), 1);
    EXPECT_EQ(form->state.limitfired, QStringList{"1"});
    EXPECT_TRUE(form->Timer4->isActive());
}

TEST_F(ReviewSettingsTimers, WidgetShownWhileTheSettingsWindowIsOpenWaitsForItToClose) {
    Form3->show();
    form->N13Click();
    EXPECT_TRUE(Form15->isVisible());
    EXPECT_FALSE(Form15->Timer1->isActive());
}
