// The main window's quote readers, quote tick and stock switch against a quote service on 127.0.0.1.
#include "app/backend.h"
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "platform/httpclient.h"
#include "quotes/tform15.h"
#include "support/servers/httpserver.h"

#include <QLabel>
#include <QTimer>

#include <optional>

namespace {

const QByteArray kQuotePath = "/quotes/EM_Quote2007/optional.aspx";
const QByteArray kIndexPath = "/quotes/EM_Quote2007/default.aspx";
const QColor red(255, 0, 0);
const QColor green(0, 128, 0);

const QByteArray kMoutai = QStringLiteral("1,600519,贵州茅台,1688.00,1.25%,20.85,1687.99,12,1688.10,7,23456,395123.45,"
                                          "1670.00,1667.15,1690.00,1665.50,1,35,0.4%,10:00:00")
                               .toUtf8();
const QByteArray kFlat = QStringLiteral("2,000002,万科A,10.00,0,0.00,9.99,80,10.00,95,5000,5000.00,10.00,10.00,10.10,"
                                        "9.90,-1,20,2.0%,10:00:00")
                             .toUtf8();
const QByteArray kChiNext = QStringLiteral("2,300059,东方财富,15.20,-0.52%,-0.08,15.19,300,15.20,210,880000,"
                                           "133760.00,15.30,15.28,15.40,15.10,1,64,1.9%,10:00:00")
                                .toUtf8();
const QByteArray kIndexes = QStringLiteral("var index_sh=\"上证指数,3245.67,-12.34,-0.38%,42345678.90,x\";\n"
                                           "var index_sz=\"深证成指,10245.67,0.00,0.00%,15000,x\";")
                                .toUtf8();

// A main window whose quote readers are the real ones, while the other subsystems' operations that start and
// the first show call are recorded.
class QuotesForm1 : public RecordingForm1 {
public:
    QString yzgp(const QString& code) override { return TForm1::yzgp(code); }
    void getvtzs() override { TForm1::getvtzs(); }
    void getvtdate(const QString& code) override { TForm1::getvtdate(code); }
};

class QuoteService : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        server.route(kQuotePath, [this](const Loopback::HttpRequest& request) {
            if (onQuote)
                onQuote();
            if (quoteReply)
                return *quoteReply;
            const QByteArray fav = request.queryValue("fav");
            return Loopback::HttpReply::html(records.value(fav, unknown(fav))).withDelivery(quoteDelivery);
        });
        server.route(kIndexPath, [this](const Loopback::HttpRequest&) {
            if (onIndex)
                onIndex();
            return indexReply;
        });
        form = std::make_unique<QuotesForm1>();
        form->state.serverurl = Backend::serverurl();
        form->state.curcode = QStringLiteral("600519");
        form->ui->Edit1->setText(form->state.curcode);
    }
    void TearDown() override {
        form.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    // The service's answer for a code it does not list: the code and empty fields, no name.
    static QByteArray unknown(const QByteArray& code) { return "," + code + QByteArray(19, ','); }

    static void setTime(int hour, int minute, int second, const QDate& day = QDate(2024, 1, 3)) {
        Clock::setForTests(QDateTime(day, QTime(hour, minute, second)));
    }

    // The requests so far, each as "quote CODE" or "index".
    QStringList requested() const {
        QStringList seen;
        for (const Loopback::HttpRequest& request : server.requests()) {
            if (request.path == kIndexPath)
                seen << QStringLiteral("index");
            else
                seen << QStringLiteral("quote ") + QString::fromLatin1(request.queryValue("fav"));
        }
        return seen;
    }

    Loopback::HttpServer server;
    QMap<QByteArray, QByteArray> records{{"600519", kMoutai}, {"000002", kFlat}, {"300059", kChiNext}};
    std::optional<Loopback::HttpReply> quoteReply; // replaces every quote page when set
    Loopback::Delivery quoteDelivery;              // how the listed records go out
    Loopback::HttpReply indexReply = Loopback::HttpReply::html(kIndexes);
    std::function<void()> onQuote;
    std::function<void()> onIndex;
    std::unique_ptr<QuotesForm1> form;
};

} // namespace

TEST_F(QuoteService, EveryLookUpIsOneGetOfTheFixedAddressWithTheProgramsHeaders) {
    struct Case {
        const char* name;
        std::function<void(TForm1&)> call;
        QByteArray target;
    };
    const QList<Case> cases{
        {"yzgp", [](TForm1& f) { f.yzgp(QStringLiteral("600519")); },
         "/quotes/EM_Quote2007/optional.aspx?type=z&fav=600519&hick=brennoc"},
        {"getvtdate", [](TForm1& f) { f.getvtdate(QStringLiteral("000002")); },
         "/quotes/EM_Quote2007/optional.aspx?type=z&fav=000002&hick=brennoc"},
        {"gestockgj", [](TForm1& f) { f.gestockgj(QStringLiteral("300059")); },
         "/quotes/EM_Quote2007/optional.aspx?type=z&fav=300059&hick=brennoc"},
        {"getvtzs", [](TForm1& f) { f.getvtzs(); }, "/quotes/EM_Quote2007/default.aspx?type=fs&stk=6000361"},
    };
    for (const Case& c : cases) {
        server.clearLog();
        c.call(*form);
        ASSERT_EQ(server.requests().size(), 1) << c.name;
        const Loopback::HttpRequest& request = server.requests().first();
        EXPECT_EQ(request.method, "GET") << c.name;
        EXPECT_EQ(request.target, c.target) << c.name;
        EXPECT_EQ(request.header("User-Agent"), "'Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)") << c.name;
        EXPECT_EQ(request.header("Accept"), "text/html, */*") << c.name;
    }
}

TEST_F(QuoteService, YzgpGivesTheNameAndSetsCurnameOnlyFromARecord) {
    struct Case {
        const char* what;
        Loopback::HttpReply reply;
        QString name;
        QString curname; // starting from "旧名"
    };
    const QList<Case> cases{
        {"record", Loopback::HttpReply::html(kMoutai), QStringLiteral("贵州茅台"), QStringLiteral("贵州茅台")},
        {"no comma", Loopback::HttpReply::html("<html>Server busy</html>"), QString(), QStringLiteral("旧名")},
        {"empty page", Loopback::HttpReply::html(QByteArray()), QString(), QStringLiteral("旧名")},
        {"error status", Loopback::HttpReply::error(500), QString(), QStringLiteral("旧名")},
        {"cut reply", Loopback::HttpReply::html(kMoutai).withDelivery(Loopback::Delivery::cut(20)), QString(),
         QStringLiteral("旧名")},
        {"unknown code", Loopback::HttpReply::html(unknown("300999")), QString(), QString()},
        {"outside GBK", Loopback::HttpReply::html(QStringLiteral("1,600000,한국😀银行,8.52,").toUtf8()),
         QStringLiteral("???银行"), QStringLiteral("???银行")},
        {"redirect", Loopback::HttpReply::redirect("/quotes/moved"), QStringLiteral("贵州茅台"),
         QStringLiteral("贵州茅台")},
    };
    server.route("/quotes/moved", [](const Loopback::HttpRequest&) { return Loopback::HttpReply::html(kMoutai); });
    for (const Case& c : cases) {
        quoteReply = c.reply;
        form->state.curname = QStringLiteral("旧名");
        form->IdHTTPgj->setFollowRedirects(false);
        EXPECT_EQ(form->yzgp(QStringLiteral("600519")), c.name) << c.what;
        EXPECT_EQ(form->state.curname, c.curname) << c.what;
    }
    // A code that is not six digits never reaches the service.
    server.clearLog();
    EXPECT_EQ(form->yzgp(QStringLiteral("60051/")), QString());
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(QuoteService, QuotePanelShowsTheRecordAndKeepsWhatAShortOneLacks) {
    // An unchanged price: "0" as sent, in red.
    form->getvtdate(QStringLiteral("000002"));
    EXPECT_EQ(form->ui->Label44->text(), QStringLiteral("0"));
    EXPECT_EQ(Colours::fontColour(form->ui->Label44), red);
    EXPECT_EQ(form->ui->Label29->text(), QStringLiteral("卖盘↓ 20手"));
    EXPECT_EQ(Colours::fontColour(form->ui->Label29), green);
    EXPECT_EQ(form->state.curname, QStringLiteral("万科A"));
    EXPECT_EQ(form->state.curprice, QStringLiteral("10.00"));
    EXPECT_EQ(form->state.curchange, QStringLiteral("0"));

    quoteReply = Loopback::HttpReply::html(QStringLiteral("1,600519,贵州茅台,1700.00,-0.5%,").toUtf8());
    form->getvtdate(QStringLiteral("600519"));
    EXPECT_EQ(form->ui->Label2->text(), QStringLiteral("1700.00元"));
    EXPECT_EQ(Colours::fontColour(form->ui->Label2), green);
    EXPECT_EQ(form->ui->Label4->text(), QStringLiteral("0.00元"));
    EXPECT_EQ(form->ui->Label8->text(), QStringLiteral("5000手"));
}

TEST_F(QuoteService, IndexSummaryFillsBothMarketsAndTheDesktopWidgetOnceItExists) {
    TForm15 widget;
    const auto cell = [&](const char* name) { return widget.findChild<QLabel*>(QLatin1String(name)); };
    const QString before = cell("Label8")->text();
    form->getvtzs(); // the widget is not registered yet
    EXPECT_EQ(form->ui->Label31->text(), QStringLiteral("上证：3245.67  跌-12.34↓ 成交4235亿"));
    EXPECT_EQ(Colours::fontColour(form->ui->Label31), green);
    EXPECT_EQ(form->ui->Label32->text(), QStringLiteral("深成：10245.67  涨0.00↑ 成交2亿"));
    EXPECT_EQ(Colours::fontColour(form->ui->Label32), red);
    EXPECT_EQ(cell("Label8")->text(), before);

    Form15 = &widget;
    const bool shown = guarded([&] { form->getvtzs(); });
    Form15 = nullptr;
    ASSERT_TRUE(shown);
    const QList<std::pair<const char*, QString>> texts{
        {"Label8", "3245.67"},   {"Label9", "-12.34"}, {"Label11", "-0.38%"}, {"Label12", QStringLiteral("4235亿元")},
        {"Label16", "10245.67"}, {"Label17", "0.00"},  {"Label18", "0.00%"},  {"Label19", QStringLiteral("2亿元")},
    };
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(cell(name)->text(), text) << name;
        EXPECT_EQ(Colours::background(cell(name)), QString(name).mid(5).toInt() < 16 ? green : red) << name;
    }
}

TEST_F(QuoteService, AFailedReaderKeepsItsLabelsAndEndsItsCallerWithTimer1On) {
    form->getvtdate(QStringLiteral("600519"));
    form->getvtzs();
    const QList<Loopback::HttpReply> failures{
        Loopback::HttpReply::error(404), Loopback::HttpReply::html(kMoutai).withDelivery(Loopback::Delivery::cut(9))};
    for (const Loopback::HttpReply& failure : failures) {
        quoteReply = failure;
        indexReply = failure;
        form->Timer1->stop();
        EXPECT_THROW(form->getvtdate(QStringLiteral("600519")), SilentAbort);
        EXPECT_TRUE(form->Timer1->isActive());
        form->Timer1->stop();
        EXPECT_THROW(form->getvtzs(), SilentAbort);
        EXPECT_TRUE(form->Timer1->isActive());
    }
    // A turnover that is not a number spoils the whole index page.
    indexReply = Loopback::HttpReply::html(QStringLiteral("上证指数,1,2,3,多,").toUtf8());
    EXPECT_THROW(form->getvtzs(), SilentAbort);
    EXPECT_EQ(form->ui->Label2->text(), QStringLiteral("1688.00元"));
    EXPECT_EQ(form->ui->Label31->text(), QStringLiteral("上证：3245.67  跌-12.34↓ 成交4235亿"));
}

TEST_F(QuoteService, WatchListFetchStoresAZeroChangeAsZeroPointZero) {
    form->gestockgj(QStringLiteral("000002"));
    form->gestockgj(QStringLiteral("600519"));
    EXPECT_EQ(form->state.quotelists.list(5), (QStringList{QStringLiteral("0.0"), QStringLiteral("1.25%")}));
    EXPECT_EQ(form->state.quotelists.list(3), (QStringList{QStringLiteral("万科A"), QStringLiteral("贵州茅台")}));

    quoteReply = Loopback::HttpReply::error(500);
    form->Timer4->stop();
    EXPECT_THROW(form->gestockgj(QStringLiteral("300059")), SilentAbort);
    EXPECT_TRUE(form->Timer4->isActive());
    EXPECT_EQ(form->state.quotelists.size(), 2);
}

TEST_F(QuoteService, QuoteTickFetchesThePanelOnlyInsideTheWindowAndOutsideTheTray) {
    struct Case {
        QTime time;
        int traymode;
        QStringList requests;
    };
    const QStringList both{QStringLiteral("index"), QStringLiteral("quote 600519")};
    const QStringList indexOnly{QStringLiteral("index")};
    const QList<Case> cases{
        {QTime(9, 9, 59), 0, indexOnly}, {QTime(9, 10, 0), 0, both},      {QTime(12, 0, 0), 0, both},
        {QTime(15, 5, 0), 0, both},      {QTime(15, 5, 1), 0, indexOnly}, {QTime(10, 0, 0), 1, indexOnly},
        {QTime(20, 0, 0), 1, indexOnly},
    };
    for (const Case& c : cases) {
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), c.time));
        form->state.traymode = c.traymode;
        form->state.quoteticks = 0;
        server.clearLog();
        form->Timer1Timer();
        EXPECT_EQ(requested(), c.requests) << c.time.toString().toStdString() << " tray " << c.traymode;
        EXPECT_EQ(form->state.quoteticks, 1);
    }
}

TEST_F(QuoteService, IndexEveryThirdTickAndAFailedOneOnTheNext) {
    setTime(10, 0, 0);
    // The index fetch runs with Timer1 on, the quote fetch with it off.
    QList<bool> timerOnAtIndex, timerOnAtQuote;
    onIndex = [&] { timerOnAtIndex << form->Timer1->isActive(); };
    onQuote = [&] { timerOnAtQuote << form->Timer1->isActive(); };
    form->Timer1->start();
    for (int tick = 0; tick < 4; ++tick)
        form->Timer1Timer();
    const QString quote = QStringLiteral("quote 600519");
    EXPECT_EQ(requested(), (QStringList{"index", quote, quote, quote, "index", quote}));
    EXPECT_EQ(timerOnAtIndex, (QList<bool>{true, true}));
    EXPECT_EQ(timerOnAtQuote, (QList<bool>(4, false)));
    EXPECT_TRUE(form->Timer1->isActive());

    // Ticks 4 and 5 need no index; tick 6 does, and its failure leaves the count where it was.
    form->Timer1Timer();
    form->Timer1Timer();
    indexReply = Loopback::HttpReply::error(503);
    server.clearLog();
    EXPECT_THROW(form->Timer1Timer(), SilentAbort);
    EXPECT_EQ(form->state.quoteticks, 6);
    EXPECT_THROW(form->Timer1Timer(), SilentAbort);
    EXPECT_EQ(requested(), (QStringList{"index", "index"}));
    EXPECT_TRUE(form->Timer1->isActive());
    indexReply = Loopback::HttpReply::html(kIndexes);
    form->Timer1Timer();
    EXPECT_EQ(form->state.quoteticks, 7);
    EXPECT_EQ(requested(), (QStringList{"index", "index", "index", quote}));
}

TEST_F(QuoteService, ATickArrivingDuringASlowIndexFetchDoesNothing) {
    setTime(10, 0, 0);
    indexReply = Loopback::HttpReply::html(kIndexes).withDelivery(Loopback::Delivery::delayed(300));
    QTimer::singleShot(50, form.get(), [this] { form->Timer1Timer(); });
    form->Timer1Timer();
    EXPECT_EQ(requested(), (QStringList{"index", "quote 600519"}));
    EXPECT_EQ(form->state.quoteticks, 1);
}

TEST_F(QuoteService, SwitchRefusesBadCodesAndChangesNothing) {
    struct Case {
        QString typed;
        QString message;
        QStringList requests;
        bool serviceDown = false; // a look-up that fails on the network reads as an unknown stock
    };
    const QString wrongLength = QStringLiteral("必须输入六位股票代码!");
    const QString wrongMarket = QStringLiteral("必须输入沪深股票及创业板代码");
    const QString unknownStock = QStringLiteral("您输入的股票不存在,请重新输入！");
    const QList<Case> cases{
        {"12345", wrongLength, {}},
        {"", wrongLength, {}},
        {"912345", wrongMarket, {}},
        {"300999", unknownStock, {"quote 300999"}},
        {"300059", unknownStock, {"quote 300059"}, true},
    };
    setTime(10, 0, 0);
    form->Timer7->stop();
    for (const Case& c : cases) {
        server.clearLog();
        services->messages.clear();
        if (c.serviceDown)
            quoteReply = Loopback::HttpReply::error(500);
        form->ui->Edit1->setText(c.typed);
        form->Image17Click();
        ASSERT_EQ(services->messages.size(), 1u) << c.typed.toStdString();
        EXPECT_EQ(services->messages[0].text, c.message);
        EXPECT_EQ(services->messages[0].caption, QStringLiteral("错误"));
        EXPECT_EQ(services->messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(requested(), c.requests);
        EXPECT_TRUE(form->Timer7->isActive());
    }
    EXPECT_EQ(form->state.curcode, QStringLiteral("600519"));
    EXPECT_TRUE(form->calls.isEmpty());
    for (const auto* browser : {&form->WebBrowser1, &form->WebBrowser2, &form->WebBrowser3, &form->WebBrowser4})
        EXPECT_TRUE(fake(*browser)->navigations.isEmpty());
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("<missing>"));
}

TEST_F(QuoteService, SwitchMakesTheCodeCurrentLoadsItsPagesAndRunsStart) {
    setTime(8, 0, 0); // before the fetch window, so start also fetches the index summary and the quote
    form->Timer1->stop();
    QStringList seen;
    form->onCall = [&](const QString& call) {
        seen << QStringLiteral("%1 timer7 %2 stock page %3")
                    .arg(call)
                    .arg(int(form->Timer7->isActive()))
                    .arg(fake(form->WebBrowser1)->navigations.size());
    };
    form->ui->Edit1->setText(QStringLiteral("300059"));
    form->Image17Click();

    EXPECT_TRUE(services->messages.empty());
    EXPECT_EQ(form->state.curcode, QStringLiteral("300059"));
    EXPECT_EQ(form->state.curname, QStringLiteral("东方财富"));
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("300059\r\n"));
    // The chart pages first, then the back-end stock page, all before start, with the announcements off.
    EXPECT_EQ(seen.at(0), "loadBigOrderPages timer7 0 stock page 0");
    EXPECT_EQ(seen.at(1), "getyg 300059 timer7 0 stock page 1");
    const QString charts = Hosts::base(Hosts::bigorder) + QStringLiteral("/stock/sz/300059/");
    EXPECT_EQ(fake(form->WebBrowser2)->navigations, QStringList{charts + "single-bar.htm"});
    EXPECT_EQ(fake(form->WebBrowser3)->navigations, QStringList{charts + "single-barDay.htm"});
    EXPECT_EQ(fake(form->WebBrowser4)->navigations, QStringList{charts + "single-pie.htm"});
    EXPECT_EQ(fake(form->WebBrowser1)->navigations, QStringList{Backend::serverurl() + "/gpgetstock.asp?name=300059"});
    EXPECT_EQ(form->calls.last(), QStringLiteral("getgbdata 300059"));
    EXPECT_EQ(requested(), (QStringList{"quote 300059", "index", "quote 300059"}));
    EXPECT_EQ(form->ui->Label2->text(), QStringLiteral("15.20元"));
    EXPECT_EQ(form->ui->GroupBox1->title(), QStringLiteral("网民对(东方财富)的最新热评"));
    EXPECT_TRUE(form->Timer7->isActive());
    EXPECT_FALSE(form->Timer1->isActive()); // the switch leaves the quote timer alone

    // The same code again runs the whole switch again.
    form->calls.clear();
    form->Image17Click();
    EXPECT_EQ(form->calls.first(), QStringLiteral("loadBigOrderPages"));
}

TEST_F(QuoteService, SwitchThatFailsInStartStillSwitchesTheAnnouncementsOnAgain) {
    setTime(10, 0, 0);
    form->failing = QStringLiteral("getgg");
    form->ui->Edit1->setText(QStringLiteral("000002"));
    EXPECT_THROW(form->Image17Click(), SilentAbort);
    EXPECT_EQ(form->calls.last(), QStringLiteral("getgg 000002"));
    EXPECT_EQ(form->state.curcode, QStringLiteral("000002"));
    EXPECT_TRUE(form->Timer7->isActive());
    EXPECT_FALSE(form->stockSwitchRunning);
}

TEST_F(QuoteService, ClickDuringARunningSwitchIsIgnored) {
    setTime(10, 0, 0);
    quoteDelivery = Loopback::Delivery::delayed(300);
    form->ui->Edit1->setText(QStringLiteral("000002"));
    QTimer::singleShot(50, form.get(), [this] { form->Image17Click(); });
    form->Image17Click();
    EXPECT_EQ(requested(), QStringList{"quote 000002"});
    EXPECT_EQ(form->calls.count(QStringLiteral("getyg 000002")), 1);
    // Once it has ended, the next click switches again.
    form->Image17Click();
    EXPECT_EQ(form->calls.count(QStringLiteral("getyg 000002")), 2);
}

TEST_F(QuoteService, FirstShowLooksTheStockUpAndStartFetchesTheQuotesOutsideTheWindow) {
    writeBytes(LocalStore::lastStockFile, "600519\r\n");
    QuotesForm1 shown;
    shown.FormCreate();
    EXPECT_EQ(requested(), (QStringList{"quote 600519", "index", "quote 600519"}));
    EXPECT_EQ(shown.state.curname, QStringLiteral("贵州茅台"));
    EXPECT_EQ(shown.ui->Label31->text(), QStringLiteral("上证：3245.67  跌-12.34↓ 成交4235亿"));
    EXPECT_EQ(shown.ui->Label44->text(), QStringLiteral("1.25%"));
    EXPECT_EQ(shown.IdHTTP1->readTimeout(), 5000);
}
