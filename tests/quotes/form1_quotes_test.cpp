// The main window's quote readers, quote tick and stock switch against a quote service on 127.0.0.1.
#include "app/backend.h"
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "platform/httpclient.h"
#include "quotes/tform15.h"
#include "support/quoteservice.h"
#include "support/windows.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kMoutai =
    Quote{.code = "600519", .name = u"贵州茅台"_s, .price = "1688.00", .percent = "1.25%"}.bytes();
const QByteArray kIndexes = u"var sh=\"上证指数,3245.67,-12.34,-0.38%,42345678.90,x\";\n"
                            u"var sz=\"深证成指,10245.67,0.00,0.00%,15000,x\";"_s.toUtf8();
const QString kShanghaiLine = u"上证：3245.67  跌-12.34↓ 成交4235亿"_s;

// A main window whose quote readers are the real ones, while the other subsystems' operations are recorded.
class QuotesForm1 : public RecordingForm1 {
public:
    QString yzgp(const QString& code) override { return TForm1::yzgp(code); }
    void getvtzs() override { TForm1::getvtzs(); }
    void getvtdate(const QString& code) override { TForm1::getvtdate(code); }
};

class QuoteTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        service.records = {{"600519", kMoutai}, {"300059", Quote{.code = "300059", .name = u"东方财富"_s}.bytes()}};
        service.http.route(QuoteService::indexPath, [this](const Loopback::HttpRequest&) {
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
        Form1Test::TearDown();
    }

    static void setTime(int hour, int minute, int second = 0) {
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(hour, minute, second)));
    }

    QuoteService service;
    Loopback::HttpReply indexReply = Loopback::HttpReply::html(kIndexes);
    std::function<void()> onIndex;
    std::unique_ptr<QuotesForm1> form;
};

} // namespace

TEST_F(QuoteTest, EveryLookUpIsOneGetOfTheFixedAddressWithTheProgramsHeaders) {
    form->yzgp("600519");
    form->getvtdate("300059");
    form->gestockgj("600519");
    form->getvtzs();
    QList<QByteArray> lines;
    for (const Loopback::HttpRequest& request : service.http.requests()) {
        lines << request.method + " " + request.target;
        EXPECT_EQ(request.header("User-Agent"), "'Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)");
    }
    EXPECT_EQ(lines, QList<QByteArray>({"GET /quotes/EM_Quote2007/optional.aspx?type=z&fav=600519&hick=brennoc",
                                        "GET /quotes/EM_Quote2007/optional.aspx?type=z&fav=300059&hick=brennoc",
                                        "GET /quotes/EM_Quote2007/optional.aspx?type=z&fav=600519&hick=brennoc",
                                        "GET /quotes/EM_Quote2007/default.aspx?type=fs&stk=6000361"}));
}

TEST_F(QuoteTest, YzgpAnswersTheNameAndLeavesCurnameToItsCaller) {
    service.http.route("/quotes/moved",
                       [](const Loopback::HttpRequest&) { return Loopback::HttpReply::html(kMoutai); });
    const std::pair<Loopback::HttpReply, QString> cases[] = {
        {Loopback::HttpReply::html(kMoutai), u"贵州茅台"_s},
        {Loopback::HttpReply::redirect("/quotes/moved"), u"贵州茅台"_s},
        {Loopback::HttpReply::html("<html>Server busy</html>"), QString()},
        {Loopback::HttpReply::html(QuoteService::unknown("300999")), QString()},
        {Loopback::HttpReply::error(500), QString()},
        {Loopback::HttpReply::html(kMoutai).withDelivery(Loopback::Delivery::cut(20)), QString()},
    };
    for (const auto& [reply, name] : cases) {
        service.reply = reply;
        form->state.curname = u"旧名"_s;
        form->IdHTTPgj->setFollowRedirects(false);
        EXPECT_EQ(form->yzgp("600519"), name) << reply.status;
        EXPECT_EQ(form->state.curname, u"旧名"_s);
    }
}

TEST_F(QuoteTest, QuotePanelShowsTheRecordAndMakesItsStockCurrent) {
    form->getvtdate("600519");
    EXPECT_EQ(form->ui->Label38->text(), u"10.94元(100手)"_s);
    EXPECT_EQ(Colours::fontColour(form->ui->Label2), Colours::red);
    EXPECT_EQ(QStringList({form->state.curname, form->state.curprice, form->state.curchange}),
              QStringList({u"贵州茅台"_s, "1688.00", "1.25%"}));
}

TEST_F(QuoteTest, IndexSummaryFillsBothMarketsAndTheDesktopWidgetOnceItExists) {
    TForm15 widget;
    const auto cell = [&](const char* name) { return widgetNamed<QLabel>(&widget, name); };
    form->getvtzs(); // the widget is not registered yet
    EXPECT_EQ(form->ui->Label31->text(), kShanghaiLine);
    EXPECT_EQ(Colours::fontColour(form->ui->Label31), Colours::green);
    EXPECT_EQ(form->ui->Label32->text(), u"深成：10245.67  涨0.00↑ 成交2亿"_s);
    EXPECT_TRUE(cell("Label8")->text().isEmpty());

    Form15 = &widget;
    const bool shown = guarded([&] { form->getvtzs(); });
    Form15 = nullptr;
    ASSERT_TRUE(shown);
    const std::pair<const char*, QString> texts[] = {
        {"Label8", "3245.67"},   {"Label9", "-12.34"}, {"Label11", "-0.38%"}, {"Label12", u"4235亿元"_s},
        {"Label16", "10245.67"}, {"Label17", "0.00"},  {"Label18", "0.00%"},  {"Label19", u"2亿元"_s},
    };
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(cell(name)->text(), text) << name;
        EXPECT_EQ(Colours::background(cell(name)), QString(name).mid(5).toInt() < 16 ? Colours::green : Colours::red);
    }
}

// The labels that show numbers from outside hold the widest realistic texts, measured in their own font and in
// the CJK font at the same size, and stay inside their panels.
TEST_F(QuoteTest, LabelsHoldTheirWidestRealisticTexts) {
    service.reply = Loopback::HttpReply::html(Quote{.price = "1688.00",
                                                    .percent = "-20.00%",
                                                    .change = "-168.80",
                                                    .bid = "1688.00",
                                                    .bidVolume = "12345",
                                                    .ask = "1688.10",
                                                    .askVolume = "12345",
                                                    .volume = "12345678",
                                                    .turnover = "1234567.89",
                                                    .open = "1688.00",
                                                    .high = "1688.00",
                                                    .low = "1688.00",
                                                    .side = "-1",
                                                    .last = "123456"}
                                                  .bytes());
    indexReply = Loopback::HttpReply::html(u"上证指数,6124.04,-1045.27,-14.58%,123456789.00,x,"
                                           u"深证成指,19600.03,-1045.27,-5.06%,123456789.00,x"_s.toUtf8());
    Registered<TForm15> widget(Form15);
    form->getvtdate("600519");
    form->getvtzs();
    QList<QLabel*> labels{form->ui->Label2,  form->ui->Label44, form->ui->Label4,  form->ui->Label29, form->ui->Label8,
                          form->ui->Label7,  form->ui->Label38, form->ui->Label37, form->ui->Label25, form->ui->Label23,
                          form->ui->Label24, form->ui->Label31, form->ui->Label32};
    for (const char* name : {"Label8", "Label9", "Label11", "Label12", "Label16", "Label17", "Label18", "Label19"})
        labels << widgetNamed<QLabel>(widget.get(), name);
    for (const QLabel* label : labels) {
        QFont cjk = label->font();
        cjk.setFamilies({QStringLiteral("Noto Sans CJK SC")});
        const int needed = std::max(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                                    QFontMetrics(cjk).horizontalAdvance(label->text()));
        EXPECT_LE(needed, label->contentsRect().width()) << label->objectName().toStdString();
        EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry())) << label->objectName().toStdString();
    }
}

TEST_F(QuoteTest, AFailedReaderKeepsItsLabelsAndEndsItsCallerWithTimer1On) {
    form->getvtdate("600519");
    form->getvtzs();
    for (const Loopback::HttpReply& failure :
         {Loopback::HttpReply::error(404),
          Loopback::HttpReply::html(kMoutai).withDelivery(Loopback::Delivery::cut(9))}) {
        service.reply = indexReply = failure;
        form->Timer1->stop();
        EXPECT_THROW(form->getvtdate("600519"), SilentAbort);
        EXPECT_TRUE(form->Timer1->isActive());
        form->Timer1->stop();
        EXPECT_THROW(form->getvtzs(), SilentAbort);
        EXPECT_TRUE(form->Timer1->isActive());
    }
    // A turnover that is not a number spoils the whole index page.
    indexReply = Loopback::HttpReply::html(u"上证指数,1,2,3,多,"_s.toUtf8());
    EXPECT_THROW(form->getvtzs(), SilentAbort);
    EXPECT_EQ(form->ui->Label2->text(), u"1688.00元"_s);
    EXPECT_EQ(form->ui->Label31->text(), kShanghaiLine);
}

TEST_F(QuoteTest, QuoteTickFetchesThePanelOnlyInsideTheWindowAndOutsideTheTray) {
    const QStringList both{"index", "600519"}, indexOnly{"index"};
    const std::tuple<QTime, int, QStringList> cases[] = {
        {QTime(9, 9, 59), 0, indexOnly}, {QTime(9, 10, 0), 0, both},      {QTime(15, 5, 0), 0, both},
        {QTime(15, 5, 1), 0, indexOnly}, {QTime(10, 0, 0), 1, indexOnly},
    };
    for (const auto& [time, traymode, requests] : cases) {
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), time));
        form->state.traymode = traymode;
        form->state.quoteticks = 0;
        service.http.clearLog();
        form->Timer1Timer();
        EXPECT_EQ(service.asked(), requests) << time.toString().toStdString() << " tray " << traymode;
    }
}

TEST_F(QuoteTest, IndexEveryThirdTickAndAFailedOneOnTheNext) {
    setTime(10, 0);
    // The index fetch runs with Timer1 on, the quote fetch with it off.
    QList<bool> timerOn;
    onIndex = service.onRequest = [&] { timerOn << form->Timer1->isActive(); };
    form->Timer1->start();
    for (int tick = 0; tick < 4; ++tick)
        form->Timer1Timer();
    EXPECT_EQ(service.asked(), QStringList({"index", "600519", "600519", "600519", "index", "600519"}));
    EXPECT_EQ(timerOn, QList<bool>({true, false, false, false, true, false}));

    form->state.quoteticks = 6;
    indexReply = Loopback::HttpReply::error(503);
    service.http.clearLog();
    EXPECT_THROW(form->Timer1Timer(), SilentAbort);
    EXPECT_EQ(form->state.quoteticks, 6);
    EXPECT_TRUE(form->Timer1->isActive());
    indexReply = Loopback::HttpReply::html(kIndexes);
    form->Timer1Timer();
    EXPECT_EQ(service.asked(), QStringList({"index", "index", "600519"}));
}

TEST_F(QuoteTest, ATickArrivingDuringASlowIndexFetchDoesNothing) {
    setTime(10, 0);
    indexReply = Loopback::HttpReply::html(kIndexes).withDelivery(Loopback::Delivery::delayed(300));
    QTimer::singleShot(50, form.get(), [this] { form->Timer1Timer(); });
    form->Timer1Timer();
    EXPECT_EQ(service.asked(), QStringList({"index", "600519"}));
    EXPECT_EQ(form->state.quoteticks, 1);
}

// A refused switch changes nothing: not the stock, its name, its pages or the last-stock file.
TEST_F(QuoteTest, SwitchRefusesBadCodesAndChangesNothing) {
    const std::tuple<QString, QString, QStringList, bool> cases[] = {
        {"12345", u"必须输入六位股票代码!"_s, {}, false},
        {"912345", u"必须输入沪深股票及创业板代码"_s, {}, false},
        {"300999", u"您输入的股票不存在,请重新输入！"_s, {"300999"}, false},
        {"300059", u"您输入的股票不存在,请重新输入！"_s, {"300059"}, true}, // the service is down
    };
    setTime(10, 0);
    form->state.curname = u"贵州茅台"_s;
    form->Timer7->stop();
    for (const auto& [typed, message, requests, serviceDown] : cases) {
        service.http.clearLog();
        services->messages.clear();
        if (serviceDown)
            service.reply = Loopback::HttpReply::error(500);
        form->ui->Edit1->setText(typed);
        form->Image17Click();
        ASSERT_EQ(services->messages.size(), 1u) << typed.toStdString();
        EXPECT_EQ(std::tuple(services->messages[0].text, services->messages[0].caption, services->messages[0].icon),
                  std::tuple(message, u"错误"_s, MessageIcon::Error));
        EXPECT_EQ(service.asked(), requests);
        EXPECT_TRUE(form->Timer7->isActive());
    }
    EXPECT_EQ(form->state.curcode, QStringLiteral("600519"));
    EXPECT_EQ(form->state.curname, u"贵州茅台"_s);
    EXPECT_TRUE(form->calls.isEmpty());
    for (const auto* browser : {&form->WebBrowser1, &form->WebBrowser2})
        EXPECT_TRUE(fake(*browser)->navigations.isEmpty());
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("<missing>"));
}

TEST_F(QuoteTest, SwitchMakesTheCodeCurrentLoadsItsPagesAndRunsStart) {
    setTime(8, 0); // before the fetch window, so start also fetches the index summary and the quote
    form->Timer1->stop();
    QStringList seen;
    form->onCall = [&](const QString& call) {
        seen << u"%1 %2 %3"_s.arg(call).arg(form->Timer7->isActive()).arg(fake(form->WebBrowser1)->navigations.size());
    };
    form->ui->Edit1->setText("300059");
    form->Image17Click();

    EXPECT_TRUE(services->messages.empty());
    EXPECT_EQ(std::tuple(form->state.curcode, form->state.curname), std::tuple(u"300059"_s, u"东方财富"_s));
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("300059\r\n"));
    // The chart pages first, then the back-end stock page, all before start, with the announcements off.
    EXPECT_EQ(seen.mid(0, 2), QStringList({"loadBigOrderPages 0 0", "getyg 300059 0 1"}));
    EXPECT_EQ(fake(form->WebBrowser4)->navigations,
              QStringList{Hosts::base(Hosts::bigorder) + "/stock/sz/300059/single-pie.htm"});
    EXPECT_EQ(fake(form->WebBrowser2)->navigations,
              QStringList{Hosts::base(Hosts::bigorder) + "/stock/sz/300059/single-bar.htm"});
    EXPECT_EQ(fake(form->WebBrowser1)->navigations, QStringList{Backend::serverurl() + "/gpgetstock.asp?name=300059"});
    EXPECT_EQ(service.asked(), QStringList({"300059", "index", "300059"}));
    EXPECT_EQ(form->ui->GroupBox1->title(), u"网民对(东方财富)的最新热评"_s);
    EXPECT_TRUE(form->Timer7->isActive());
    EXPECT_FALSE(form->Timer1->isActive()); // the switch leaves the quote timer alone
}

TEST_F(QuoteTest, SwitchThatFailsInStartStillSwitchesTheAnnouncementsOnAgain) {
    setTime(10, 0);
    form->failing = QStringLiteral("getgg");
    form->ui->Edit1->setText("300059");
    EXPECT_THROW(form->Image17Click(), SilentAbort);
    EXPECT_EQ(form->calls.last(), QStringLiteral("getgg 300059"));
    EXPECT_TRUE(form->Timer7->isActive());
    EXPECT_FALSE(form->stockSwitchRunning);
}

TEST_F(QuoteTest, ClickDuringARunningSwitchIsIgnored) {
    setTime(10, 0);
    service.delivery = Loopback::Delivery::delayed(300);
    form->ui->Edit1->setText("300059");
    QTimer::singleShot(50, form.get(), [this] { form->Image17Click(); });
    form->Image17Click();
    EXPECT_EQ(service.asked(), QStringList{"300059"});
    form->Image17Click();
    EXPECT_EQ(form->calls.count(QStringLiteral("getyg 300059")), 2);
}

TEST_F(QuoteTest, FirstShowLooksTheStockUpAndStartFetchesTheQuotesOutsideTheWindow) {
    writeBytes(LocalStore::lastStockFile, "600519\r\n");
    QuotesForm1 shown;
    shown.FormCreate();
    EXPECT_EQ(service.asked(), QStringList({"600519", "index", "600519"}));
    EXPECT_EQ(shown.state.curname, u"贵州茅台"_s);
    EXPECT_EQ(shown.ui->Label31->text(), kShanghaiLine);
    EXPECT_EQ(shown.ui->Label44->text(), QStringLiteral("1.25%"));
    EXPECT_EQ(shown.IdHTTP1->readTimeout(), 5000);
}
