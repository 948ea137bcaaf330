// The main window's information panel against its four pages on 127.0.0.1, sent as GBK.
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/tform1_ui.h"
#include "loopback/httpserver.h"
#include "platform/gbk.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QLabel>

namespace {

const QString kRumour = QStringLiteral("一二三四五六七八九十一二三四五六七");
QString companyPage(const QString& reportTitle) {
    return QStringLiteral(
               "资讯</a>] <span><a href=\"http://c.example/n/1.shtml\" title=\"t\">%1</a></span><span>研究报告</span>"
               "<a title=\"%2\" target=\"_b\" href=\"http://c.example/r/2\">")
        .arg(kRumour, reportTitle);
}
const QString kNotices = QStringLiteral("<span class=\"caption\"><a href=\"#\">标题</a></span><span class=\"time\">"
                                        "公告时间</span><span class=\"caption\"><a href=\"D?id=1\">茅台(600519)年报</a>"
                                        "</span><span class=\"time\">%1</span>");
const QString kForumHead = QStringLiteral("<li class=l5>发表日期</li>");

QString topic(const QString& name, const QString& date) {
    return QStringLiteral("<li class=l1>9</li><li class=l2>1</li><a href=\"%1.html\" >%1</a><li class=l4>甲</li>"
                          "<li class=l5>%2</li><li class=l6></li>")
        .arg(name, date);
}

// A main window whose information panel readers are the real ones.
class NewsForm1 : public RecordingForm1 {
public:
    void getyg(const QString& code) override { TForm1::getyg(code); }
    void getqgqp(const QString& code) override { TForm1::getqgqp(code); }
    void getgg(const QString& code) override { TForm1::getgg(code); }
    void getgbdata(const QString& code) override { TForm1::getgbdata(code); }
};

class InfoPanel : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Clock::setForTests(QDateTime(QDate(2026, 3, 5), QTime(14, 30)));
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        const auto serve = [this](const QByteArray& path, const QString* body) {
            server.route(path, [this, path, body](const Loopback::HttpRequest&) {
                if (onRequest)
                    onRequest(path);
                return failing == path ? Loopback::HttpReply::error(500)
                                       : Loopback::HttpReply::html(Gbk::encode(*body));
            });
        };
        serve("/company/realstock/company/sh600519/nc.shtml", &companyNews);
        serve("/comments/data/qgqp.asp", &commentPage);
        serve("/notices/Notice/Notice_List.aspx", &noticePage);
        serve("/forum/topic,600519.html", &forumPage);
        form = std::make_unique<NewsForm1>();
        form->state.curcode = QStringLiteral("600519");
        form->state.curname = QStringLiteral("贵州茅台");
    }
    void TearDown() override {
        form.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    // The heading row stands in the grid's header, the other rows in its viewport.
    QColor pixelOfRow(int row) {
        StringGrid* grid = form->ui->StringGrid1;
        if (row == 0)
            return grid->horizontalHeader()->viewport()->grab().toImage().pixelColor(1, 1);
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        return grid->viewport()->grab().toImage().pixelColor(cell.left() + 1, cell.top() + 1);
    }

    Loopback::HttpServer server;
    QString companyNews = companyPage(QStringLiteral("茅台深度报告"));
    QString commentPage = QStringLiteral("<td width=\"156\">&nbsp;<font color=\"red\">走势偏强</font>");
    QString noticePage = kNotices.arg(QStringLiteral("2026-03-05"));
    QString forumPage = kForumHead + topic(QStringLiteral("甲帖"), QStringLiteral("03-05 14:22")) +
                        topic(QStringLiteral("乙帖"), QStringLiteral("03-04 09:00"));
    QByteArray failing; // the path that answers 500
    std::function<void(const QByteArray&)> onRequest;
    std::unique_ptr<NewsForm1> form;
};

} // namespace

TEST_F(InfoPanel, StartFillsEveryPanelFromTheStocksPages) {
    form->start();
    QList<QByteArray> targets;
    for (const Loopback::HttpRequest& request : server.requests())
        targets << request.target;
    EXPECT_EQ(targets, QList<QByteArray>(
                           {"/company/realstock/company/sh600519/nc.shtml", "/comments/data/qgqp.asp?zqdm=600519",
                            "/notices/Notice/Notice_List.aspx?code=600519&date=&type=", "/forum/topic,600519.html"}));
    Ui::TForm1& ui = *form->ui;
    EXPECT_EQ(ui.Label36->text(), kRumour.left(16) + QStringLiteral("..."));
    EXPECT_EQ(ui.Label36->toolTip(), kRumour);
    EXPECT_EQ(form->state.rumourlink, QStringLiteral("http://c.example/n/1.shtml"));
    EXPECT_EQ(ui.Label39->text(), QStringLiteral("茅台深度报告"));
    EXPECT_EQ(ui.Label9->text() + ui.Label10->text(), QStringLiteral("贵州茅台走势偏强"));
    EXPECT_EQ(ui.GroupBox6->title(), QStringLiteral("贵州茅台(600519)个股最新信息"));
    EXPECT_EQ(form->state.noticelinks.value(1), server.url(QStringLiteral("/notices/Notice/D?id=1")));
    EXPECT_EQ(ui.StringGrid1->cell(1, 1), QStringLiteral("甲帖"));
    EXPECT_EQ(ui.Label45->text(), QStringLiteral("甲帖"));
    EXPECT_EQ(ui.Label19->text(), QStringLiteral("最新于:14:30:00"));
}

TEST_F(InfoPanel, AnnouncementVerdictIsThisStocksOrTheDesignText) {
    const QString yes = QStringLiteral("今日有公告,点击查看最新公告");
    const QString no = QStringLiteral("今日无公告,点击查看历史公告");
    struct Case {
        QString dates;
        QByteArray failing;
        QString text;
        QColor colour;
    };
    const QList<Case> cases{
        {QStringLiteral("2026-03-04"), {}, no, Colours::navy},
        {QStringLiteral("昨天</span><span class=\"time\">2026-3-5"), {}, yes, Colours::red},
        {QString(), "/notices/Notice/Notice_List.aspx", QStringLiteral("公告："), Colours::green},
    };
    for (const Case& c : cases) {
        form->ui->Label15->setText(QStringLiteral("另一只股票的结论"));
        form->ui->Image3->show();
        form->state.noticedates.clear();
        noticePage = kNotices.arg(c.dates);
        failing = c.failing;
        form->getgg(QStringLiteral("600519"));
        EXPECT_EQ(form->ui->Label15->text(), c.text);
        EXPECT_EQ(Colours::fontColour(form->ui->Label15), c.colour);
        EXPECT_EQ(form->ui->Image3->isHidden(), c.text != yes);
    }
}

TEST_F(InfoPanel, CommentPanelSaysSoWhenItHasNoComment) {
    const QString failed = QStringLiteral("获取失败|获取数据失败......");
    struct Case {
        const char* what;
        QString name;
        QByteArray failing;
        QString shown;
    };
    const QList<Case> cases{
        {"no stock name", QString(), {}, failed},
        {"page fails", QStringLiteral("贵州茅台"), "/comments/data/qgqp.asp", failed},
        {"no comment on the page", QStringLiteral("贵州茅台"), {}, QStringLiteral("旧名|旧评论")},
    };
    commentPage = QStringLiteral("<p>没有评论</p>");
    for (const Case& c : cases) {
        form->ui->Label9->setText(QStringLiteral("旧名"));
        form->ui->Label10->setText(QStringLiteral("旧评论"));
        form->state.curname = c.name;
        failing = c.failing;
        form->getqgqp(QStringLiteral("600519"));
        EXPECT_EQ(form->ui->Label9->text() + u'|' + form->ui->Label10->text(), c.shown) << c.what;
    }
}

TEST_F(InfoPanel, FirstForumLoadShowsThePagesFirstTopicLaterLoadsTheLastAdded) {
    const QString a = topic(QStringLiteral("A"), QStringLiteral("03-05 10:00"));
    const QString b = topic(QStringLiteral("B"), QStringLiteral("03-05 09:00"));
    const QString c = topic(QStringLiteral("C"), QStringLiteral("03-05 11:00"));
    const QString old = topic(QStringLiteral("old"), QStringLiteral("03-04 10:00"));
    struct Load {
        QString page;
        QString label;
        int topics;
    };
    // A topic seen again is never added twice; a failed load keeps what was shown.
    const QList<Load> loads{{old, QStringLiteral("读取数据出错,或今日无新帖"), 0},
                            {a + b, QStringLiteral("A"), 2},
                            {c + a + b, QStringLiteral("C"), 3},
                            {a, QStringLiteral("C"), 3},
                            {QString(), QStringLiteral("C"), 3}};
    for (const Load& load : loads) {
        forumPage = kForumHead + load.page;
        failing = load.page.isEmpty() ? "/forum/topic,600519.html" : "";
        form->getgbdata(QStringLiteral("600519"));
        EXPECT_EQ(form->ui->Label45->text(), load.label);
        EXPECT_EQ(form->state.forumtitles.size(), load.topics);
        EXPECT_EQ(form->ui->Image13->isHidden(), load.topics == 0);
    }
    EXPECT_EQ(form->state.newestpostlink, server.url(QStringLiteral("/forum/C.html")));
}

// The report's title is shown whole: the longest the portal gives (with a five-character name) in a smaller face,
// a short one again in the panel's own.
TEST_F(InfoPanel, ALongReportTitleReadsWholeInASmallerFace) {
    const QLabel* label = form->ui->Label39;
    const QString longest = QStringLiteral("深发展银行深度报告：龙头地位稳固，估值具备吸引力");
    companyNews = companyPage(longest);
    form->getyg(QStringLiteral("600519"));
    EXPECT_EQ(label->text(), longest);
    EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(longest), label->contentsRect().width());
    EXPECT_GE(QFontInfo(label->font()).pointSizeF(), 7);

    companyNews = companyPage(QStringLiteral("茅台深度报告"));
    form->getyg(QStringLiteral("600519"));
    EXPECT_EQ(label->font(), form->ui->GroupBox6->font());
}

TEST_F(InfoPanel, GridRowsShowTheirReadMarksAndAClickOpensTheTopic) {
    forumPage = kForumHead + topic(QStringLiteral("A"), QStringLiteral("03-05 10:00")) +
                topic(QStringLiteral("B"), QStringLiteral("03-05 09:00"));
    form->start();
    StringGrid* grid = form->ui->StringGrid1;
    EXPECT_EQ(pixelOfRow(0), QColor(255, 251, 240));
    EXPECT_EQ(pixelOfRow(1), QColor(245, 240, 255));
    EXPECT_EQ(pixelOfRow(3), QColor(166, 202, 240)); // the selected empty row
    for (const int row : {0, 3, 1})                  // the heading and the empty row open nothing
        emit grid->cellClicked(row, 1);
    EXPECT_EQ(services->openedUrls, QList<QUrl>{QUrl(server.url(QStringLiteral("/forum/A.html")))});
    grid->setRow(2);
    EXPECT_EQ(pixelOfRow(1), QColor(255, 255, 153));
    EXPECT_EQ(pixelOfRow(3), QColor(245, 240, 255));
}

TEST_F(InfoPanel, ReplyForAStockNoLongerCurrentIsDropped) {
    form->start();
    const QStringList before = form->state.forumtitles;
    // The user switches to another stock while the old stock's pages are on their way.
    onRequest = [this](const QByteArray&) {
        form->resetInfoPanelState();
        form->state.curcode = QStringLiteral("000002");
    };
    form->getgbdata(QStringLiteral("600519"));
    form->getgg(QStringLiteral("600519"));
    form->getyg(QStringLiteral("600519"));
    EXPECT_EQ(form->state.forumtitles, before);
    EXPECT_EQ(form->state.noticetitles.size(), 2);
    EXPECT_EQ(form->ui->Label15->text(), QStringLiteral("公告："));
    EXPECT_TRUE(form->ui->Label45->text().isEmpty() && form->ui->Label36->text().isEmpty());
}

TEST_F(InfoPanel, PanelLinksOpenOnlyWebAddresses) {
    form->ui->Image13->show();
    form->state.rumourlink = QStringLiteral("javascript:alert(1)");
    form->state.reportlink = QStringLiteral("file:///etc/passwd");
    form->state.newestpostlink = QStringLiteral(" https://f.example/2.html ");
    form->Label36Click();
    form->Label39Click();
    form->Label45Click();
    EXPECT_EQ(services->openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://f.example/2.html"))});
    EXPECT_TRUE(form->ui->Image13->isHidden());
}
