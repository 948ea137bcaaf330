// The news flash, the back-end news and list pop-ups, the picks and the late-day picks against sites on
// 127.0.0.1.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1_ui.h"
#include "loopback/httpserver.h"
#include "news/tform11.h"
#include "news/tform20.h"
#include "news/tform21.h"
#include "news/tform23.h"
#include "news/tform27.h"
#include "platform/gbk.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>

namespace {

class NewsForm1 : public RecordingForm1 {
public:
    void getgpzj(const QString& code) override { opened << code; }
    QStringList opened;
};

QString envelope(const QString& payload) {
    return R"(<body text="#000000">)" + payload + "</body>";
}
QString headlineEntry(const QString& link, const QString& title) {
    return QStringLiteral(R"(<li><span><a href="%1" title="%2" target="_blank">)").arg(link, title);
}
QString listPage(const QString& item) {
    return item.isEmpty() ? QStringLiteral("<ul>") : R"(<span style="color:#FF3300">)" + item + "&nbsp;";
}

const QByteArray kHeadlines = "/newslist/news/cgszb.html";
const QByteArray kPicks = "/backend/gpsfjgshow.asp";
const QByteArray kNews = "/backend/gpgetnews.asp";
const QByteArray kList = "/watched/plus/list.php";
const QByteArray kLatePicks = "/backend/gpwpg.asp";

class NewsFlashTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(10, 0)));
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        // Each path answers with its page in GBK; a null page fails with 500.
        server.setFallback([this](const Loopback::HttpRequest& request) {
            if (onRequest)
                onRequest();
            const QString page = pages.value(request.path);
            return page.isNull() ? Loopback::HttpReply::error(500) : Loopback::HttpReply::html(Gbk::encode(page));
        });
        std::tie(Form1, Form11, Form20, Form21, Form23, Form27) =
            std::tuple(&form, &form11, &form20, &form21, &form23, &form27);
        setWindowsCreated(true);
        form.state.curcode = QStringLiteral("600000");
        form.state.curname = QStringLiteral("浦发银行");
    }
    void TearDown() override {
        setWindowsCreated(false);
        std::tie(Form1, Form11, Form20, Form21, Form23, Form27) =
            std::tuple(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    int requestsOf(const QByteArray& path) const {
        return static_cast<int>(std::ranges::count(server.requests(), path, &Loopback::HttpRequest::path));
    }

    Loopback::HttpServer server;
    QMap<QByteArray, QString> pages;
    std::function<void()> onRequest;
    NewsForm1 form;
    TForm11 form11;
    TForm20 form20;
    TForm21 form21;
    TForm23 form23;
    TForm27 form27;
};

} // namespace

TEST_F(NewsFlashTest, Timer5FetchesTheHeadlineEveryTwentiethTickAndShowsOnlyNewPicks) {
    pages[kHeadlines] = headlineEntry("1.html", "T1");
    pages[kPicks] = envelope(QStringLiteral("600000&1浦发银行&22024-1-3&39:45&4"));
    form.state.curname.clear();
    form.Timer5Timer();
    EXPECT_TRUE(server.requests().isEmpty());

    form.state.curname = QStringLiteral("浦发银行");
    form.Timer5Timer();
    EXPECT_EQ(form.ui->Label48->text(), "快讯(10:00:00)T1");
    EXPECT_TRUE(!form.ui->Image19->isHidden() && form.ui->Image1->isHidden());
    EXPECT_EQ(server.lastRequest().query, "userid=brennoc45");
    ASSERT_TRUE(form20.isVisible());
    EXPECT_EQ(widgetNamed<StringGrid>(&form20, "StringGrid1")->cell(2, 1), "浦发银行");

    form20.hide();
    Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(10, 5)));
    for (int tick = 1; tick < 20; ++tick)
        form.Timer5Timer();
    EXPECT_EQ(requestsOf(kHeadlines), 1);
    EXPECT_FALSE(form20.isVisible());
    pages[kHeadlines] = headlineEntry("2.html", "T2");
    pages[kPicks] += envelope(QStringLiteral("600000&1浦发银行&22024-1-3&310:30&4"));
    form.Timer5Timer(); // tick 20 fetches the headline and shows the new pick
    form.Timer5Timer(); // the picks window is up: no picks check
    EXPECT_EQ(form.ui->Label48->text(), "快讯(10:05:00)T2");
    EXPECT_EQ(widgetNamed<StringGrid>(&form20, "StringGrid1")->rowCount(), 4);
    EXPECT_EQ(requestsOf(kPicks), 21);

    form.Label48Click();
    EXPECT_EQ(services->openedUrls.value(0).toString(), server.url("/newslist/news/2.html"));
    EXPECT_TRUE(form.ui->Image19->isHidden() && !form.ui->Image1->isHidden());

    form20.hide();
    pages[kPicks] = QString();
    EXPECT_FALSE(guarded([this] { form.Timer5Timer(); }));
    EXPECT_EQ(form.state.newsflashtick, 24);
    EXPECT_TRUE(form.Timer5->isActive());
}

TEST_F(NewsFlashTest, NewsPopsUpWhenItChangedAndItsBodyOpensFromTheFileOrFromMemory) {
    QList<bool> buttonDuringFetch;
    onRequest = [&] { buttonDuringFetch << form.ui->ToolButton17->isEnabled(); };
    pages[kNews] = envelope(QStringLiteral("<p>正文</p>&1标题&22024-1-3&3研究部&4"));
    form.ui->ToolButton17->click();
    ASSERT_TRUE(form21.isVisible());
    EXPECT_EQ(buttonDuringFetch, QList<bool>{false});
    EXPECT_EQ(widgetNamed<QLabel>(&form21, "Label1")->text(), "标题");
    EXPECT_EQ(readBytes("gpnews.html"), Gbk::encode(QStringLiteral("<p>正文</p>\r\n")));
    form21.hide();
    form21.getnews();
    EXPECT_FALSE(form21.isVisible());
    form.ToolButton17Click(); // shows a record again
    EXPECT_TRUE(form21.isVisible());

    form21.Label1Click();
    EXPECT_TRUE(!form21.isVisible() && form27.isVisible());
    FakeWebBrowser* browser = fake(form27.WebBrowser1);
    EXPECT_TRUE(browser->restricted);
    EXPECT_EQ(browser->navigations, QStringList{QUrl::fromLocalFile(path("gpnews.html")).toString()});

    // The file cannot be written: the news still pops up once and its body comes from memory.
    QFile::remove(path("gpnews.html"));
    blockWithDirectory("gpnews.html");
    pages[kNews] = envelope(QStringLiteral("<p>新</p>&1新标题&2"));
    form21.getnews();
    EXPECT_EQ(form.state.savednews[1], "新标题");
    form21.Label1Click();
    EXPECT_EQ(browser->htmlShown, QStringList{"<p>新</p>"});

    // A failure ends the caller and leaves the ranking timer to its own handler.
    pages[kNews] = QString();
    form.Timer9->stop();
    EXPECT_FALSE(guarded([this] { form21.getnews(); }));
    EXPECT_FALSE(form.Timer9->isActive());
    EXPECT_TRUE(form.ui->ToolButton17->isEnabled());
}

TEST_F(NewsFlashTest, TheListPopUpComesOnlyAfterAScanWithItemsAndOpensTheListPage) {
    for (const auto& [item, shown] : {std::pair{"", false}, {"2a", false}, {"2b", true}}) {
        pages[kList] = listPage(QString::fromLatin1(item));
        form23.getsmmh();
        EXPECT_EQ(form23.isVisible(), shown) << item;
    }
    EXPECT_EQ(widgetNamed<QLabel>(&form23, "Label1")->text(), "最新发现时间:10:00:00");
    const QString listAddress = server.url("/watched/plus/list.php?tid=26&TotalResult=1459&PageNo=1");
    EXPECT_EQ(server.url(QString::fromLatin1(server.lastRequest().target)), listAddress);

    form23.Panel1Click();
    EXPECT_TRUE(!form23.isVisible() && form.isVisible() && !form.ui->Panel16->isHidden());
    EXPECT_EQ(fake(form.WebBrowser9)->navigations, QStringList{listAddress});
    // Muted, the pop-up stays hidden but the changed list is taken.
    form.state.mutefundletter = 1;
    pages[kList] = listPage("2c");
    form23.getsmmh();
    EXPECT_TRUE(!form23.isVisible() && form.state.fundletterlist == QList<QByteArray>{"2c"});
}

TEST_F(NewsFlashTest, AFailingListPageLeavesTheRankingTickItsNews) {
    pages[kList] = listPage("2a");
    form23.getsmmh();
    pages[kList] = QString(); // the watched site answers with an error from now on
    pages[kNews] = envelope(QStringLiteral("<p>正文</p>&1标题&2"));
    form.state.ranktick = 1; // a tick between the board's refreshes: no ranking page is asked for
    EXPECT_TRUE(guarded([this] { form.Timer9Timer(); }));
    EXPECT_EQ(requestsOf(kNews), 1);
    EXPECT_TRUE(form21.isVisible());
    EXPECT_EQ(form.state.fundletterlist, QList<QByteArray>{"2a"});
    EXPECT_TRUE(form.Timer9->isActive());
}

TEST_F(NewsFlashTest, PauseBoxesAndTrayItemsKeepTheMuteSwitchesInStep) {
    struct Case {
        QCheckBox* box;
        int UnitState::*mute;
        QAction* item;
    };
    for (const Case& c : {Case{widgetNamed<QCheckBox>(&form21, "CheckBox1"), &UnitState::mutedigest, form.N18},
                          Case{widgetNamed<QCheckBox>(&form23, "CheckBox1"), &UnitState::mutefundletter, form.N15},
                          Case{widgetNamed<QCheckBox>(&form11, "CheckBox1"), &UnitState::muteblog, form.N7}}) {
        c.box->click();
        EXPECT_EQ(form.state.*c.mute, 1);
        EXPECT_FALSE(c.item->isChecked());
        c.item->trigger();
        c.item->trigger(); // a ticked item stays ticked
        EXPECT_EQ(form.state.*c.mute, 0);
        EXPECT_TRUE(c.item->isChecked() && !c.box->isChecked());
    }
}

TEST_F(NewsFlashTest, LateDayPicksHoldBothStartersWhileTheyWaitAndOpenTheFundPages) {
    QList<bool> duringFetch;
    onRequest = [&] {
        duringFetch << form.ui->Label21->isEnabled() << form.ui->BitBtn8->isEnabled() << form.ui->Panel25->isHidden();
    };
    pages[kLatePicks] = envelope(QStringLiteral("2024-1-3:600519 贵州茅台&000858 五粮液"));
    form.Label21Click();
    EXPECT_EQ(duringFetch, (QList<bool>{false, false, false}));
    EXPECT_TRUE(form.ui->Label21->isEnabled() && form.ui->BitBtn8->isEnabled() && form.ui->Panel25->isHidden());
    EXPECT_EQ(form.ui->Label58->text(), "发布日期:2024-1-3");
    EXPECT_FALSE(form.ui->Label18->isHidden() || form.ui->Label20->isHidden() || form.ui->Label58->isHidden());
    form.Label20Click();
    EXPECT_EQ(form.opened, QStringList{"000858"});

    pages[kLatePicks] = QString();
    EXPECT_FALSE(guarded([this] { form.Label21Click(); }));
    ASSERT_EQ(messageTexts(), QStringList{"获取尾盘股数据发生错误，请重试！"});
    EXPECT_EQ(services->messages.at(0).caption, "错误");
    EXPECT_TRUE(form.ui->Label21->isEnabled());
}
