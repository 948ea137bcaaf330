// The recommendation window offscreen against a loopback server standing for the back-end, the quote service
// and the holdings data site.
#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "news/hoverchartplace.h"
#include "platform/gbk.h"
#include "platform/screen.h"
#include "recommendation_fixture.h"

#include <QCursor>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QtCharts/QLineSeries>

#include <algorithm>
#include <utility>

namespace {

QString tipRecord(int i, const QString& reason = QStringLiteral("放量<b>突破</b>")) {
    return QStringLiteral("$a0%1$a1浦发银行(6000%2)$a2%3$a32024-1-3 9:%2:00$a4\n")
        .arg(QString::number(i), QString::number(10 + i), reason);
}

class TForm16Test : public RecommendationWindows {
protected:
    void SetUp() override {
        RecommendationWindows::SetUp();
        server.route("/backend/gpjgshow.asp", [this](const Loopback::HttpRequest&) {
            return listStatus ? Loopback::HttpReply::error(listStatus)
                              : Loopback::HttpReply::html(Gbk::encode("<body text=\"#000000\">" + list));
        });
        server.route("/backend/gpjg.asp", [this](const Loopback::HttpRequest&) {
            return postStatus ? Loopback::HttpReply::error(postStatus)
                              : Loopback::HttpReply::html(Gbk::encode(postReply));
        });
        server.route("/holdings/Themes/2009/ccfx/LoadData.aspx", [this](const Loopback::HttpRequest&) {
            if (whileHoldingsWait)
                whileHoldingsWait();
            return Loopback::HttpReply::html("2024-1-4 0:00:00,31.5,1,2,3,40\n2024-1-3 0:00:00,30,1,2,3,41\n");
        });
        server.route("/quotes/EM_Quote2007/optional.aspx", [](const Loopback::HttpRequest& request) {
            const QString name = request.queryValue("fav") == "600000" ? QStringLiteral("浦发银行") : QString();
            return Loopback::HttpReply::html(("1,x," + name + ",8.5,1.0%" + QString(",0").repeated(14)).toUtf8());
        });
        makeWindows();
        form = Form16;
    }

    template <typename Widget> Widget* w(const char* name) const { return widgetNamed<Widget>(form, name); }
    QStringList captions() const {
        QStringList texts;
        for (const QLabel* label : form->tipLabels())
            texts << label->text().section(u' ', 1, 1);
        return texts;
    }
    QStringList holdingsRequests() const {
        QStringList targets;
        for (const Loopback::HttpRequest& request : server.requests())
            if (request.path.startsWith("/holdings/"))
                targets << QString::fromLatin1(request.query);
        return targets;
    }
    void post(const QString& code, const QString& reason) {
        w<QLineEdit>("Edit1")->setText(code);
        w<QLineEdit>("Edit2")->setText(reason);
        services->messages.clear();
        w<QPushButton>("BitBtn1")->click();
    }

    QString list;
    int listStatus = 0;
    QString postReply;
    int postStatus = 0;
    std::function<void()> whileHoldingsWait;
    TForm16* form = nullptr;
};

} // namespace

TEST_F(TForm16Test, OpeningLabelsTenAndALaterLoadPutsTheNewOnTop) {
    for (int i = 1; i <= 11; ++i)
        list += tipRecord(i);
    form1->ui->ToolButton11->click();
    ASSERT_TRUE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(474, 408));
    EXPECT_FALSE(form1->isEnabled());
    EXPECT_EQ(fake(form->WebBrowser66)->navigations, QStringList{server.url("/backend/gpcgad.html")});
    ASSERT_EQ(form->tipLabels().size(), 10);
    const QLabel* first = form->tipLabels().at(0);
    EXPECT_EQ(first->text(), " 1" + QString(16, u' ') + "浦发银行(600011)" + QString(3, u' ') + "放量<b>突破</b>");
    EXPECT_EQ(form->tipLabels().at(9)->geometry(), QRect(1, 300, form->width() - 10, 20));
    EXPECT_EQ(QTextDocumentFragment::fromHtml(first->toolTip()).toPlainText(),
              QStringLiteral("放量<b>突破</b>【推荐时间：2024-1-3 9:11:00】"));

    form->close();
    EXPECT_TRUE(form->tipLabels().isEmpty());
    EXPECT_TRUE(form1->isEnabled());
    list = tipRecord(12) + tipRecord(3) + tipRecord(13) + tipRecord(1);
    form1->N14Click();
    EXPECT_EQ(captions(), (QStringList{"12", "13", "1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(form1->state.tipips.size(), 13);

    form->close();
    listStatus = 500;
    form1->N14->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form1->isEnabled());
}

TEST_F(TForm16Test, ListColumnsLineUpUnderTheirHeadings) {
    // Half-width letters, a leading "*", four and three Chinese characters; the shortest and longest addresses.
    const std::pair<QString, QString> rows[] = {{"1.2.3.4", QStringLiteral("万科A(000002)")},
                                                {"116.228.144.210", QStringLiteral("*ST天山(000877)")},
                                                {"218.17.44.102", QStringLiteral("平安银行(000001)")},
                                                {"10.9.8.7", QStringLiteral("比亚迪(002594)")},
                                                {"202.96.134.133", QStringLiteral("京东方A(000725)")}};
    for (const auto& [ip, stock] : rows)
        list += QStringLiteral("$a0%1$a1%2$a2放量突破%3$a3t$a4").arg(ip, stock, ip);
    form1->N14Click();
    ASSERT_EQ(form->tipLabels().size(), std::size(rows));
    EXPECT_EQ(form->size(), QSize(474, 408));
    EXPECT_EQ(form1->state.tipstocks.first(), QStringLiteral("万科A(000002)  ")) << "the stored form is its identity";
    for (qsizetype i = 0; i < form->tipLabels().size(); ++i) {
        const QLabel* label = form->tipLabels().at(i);
        const QString text = label->text();
        SCOPED_TRACE(text.toStdString());
        const QFontMetricsF metrics(label->font());
        const auto drawnAt = [&](qsizetype index) {
            return label->x() + label->contentsRect().left() + metrics.horizontalAdvance(text.left(index));
        };
        EXPECT_NEAR(drawnAt(text.indexOf(rows[i].second)), w<QLabel>("Label5")->x(), 0.5);
        EXPECT_NEAR(drawnAt(text.lastIndexOf(QStringLiteral("放量突破"))), w<QLabel>("Label6")->x(), 0.5);
        EXPECT_LE(metrics.horizontalAdvance(text), label->contentsRect().width());
    }
}

TEST_F(TForm16Test, HoverShowsTheStockOnlyWhileItsLabelIsStillHovered) {
    list = tipRecord(1) + "$a0hostile$a1浦发(600000/../x)$a2r$a3t$a4";
    form1->N14Click();
    ASSERT_EQ(form->tipLabels().size(), 2);
    QLabel* label = form->tipLabels().at(0);
    const QPoint pointer = label->mapToGlobal(QPoint(2, 10));
    QCursor::setPos(pointer);
    form->msin1(label);
    EXPECT_TRUE(Form17->isVisible());
    const QRect chart = Form17->frameGeometry();
    EXPECT_TRUE(workArea().contains(chart));
    EXPECT_FALSE(chart.contains(pointer));
    EXPECT_EQ(Colours::background(label), QColor(0, 255, 0));
    EXPECT_EQ(holdingsRequests(), QStringList{"act=ccx&stockCode=600011"});
    EXPECT_EQ(fake(Form17->WebBrowser1)->navigations.last(), server.url("/backend/gpgetstock.asp?name=600011"));
    EXPECT_EQ(Form17->Series1->points(), (QList<QPointF>{{0, 30}, {1, 31.5}}));
    EXPECT_EQ(Form17->FastLineSeries1->points(), (QList<QPointF>{{0, 41}, {1, 40}}));
    form->msout1(label);
    EXPECT_FALSE(Form17->isVisible());
    EXPECT_EQ(Colours::background(label), Colours::white);

    form->msin1(form->tipLabels().at(1));
    EXPECT_FALSE(Form17->isVisible());
    EXPECT_EQ(holdingsRequests().size(), 1) << "no address from a code that is not six digits";

    // The mouse leaves while the page is on its way; then the window closes while another waits.
    whileHoldingsWait = [&] { form->msout1(label); };
    form->msin1(label);
    EXPECT_FALSE(Form17->isVisible());
    whileHoldingsWait = [&] { form->close(); };
    const QPointer<QLabel> closed(label);
    form->msin1(label);
    EXPECT_FALSE(Form17->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

// A desktop of two screens: a 1600 x 1000 primary and a 1280 x 800 screen right of it (no task bars offscreen; the
// frames are 2 pixels all round, so the recommendation window's is 478 x 412 and the chart's 260 x 474).
TEST_F(TForm16Test, ChartStandsBesideTheWindowOnItsOwnScreenOnTwoScreens) {
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    for (int i = 1; i <= 10; ++i)
        list += tipRecord(i);
    form1->N14Click();
    ASSERT_EQ(form->tipLabels().size(), 10);
    const QPoint corner = form->frameGeometry().topLeft();
    ASSERT_EQ(corner, QPoint(561, 294)) << "centred on the primary screen";
    // The last row's label stands at (564, 596); the pointer 10 pixels into it. The chart's designed place fits:
    // right edge at the window's left (561 - 260), bottom at the pointer (606 - 474).
    QCursor::setPos(566, 606);
    form->msin1(form->tipLabels().at(9));
    EXPECT_EQ(Form17->frameGeometry(), QRect(301, 132, 260, 474));
    form->msout1(form->tipLabels().at(9));

    // On the right screen the designed place would reach back onto the left one, and the first row's label
    // (1686, 327, 464 x 20) leaves no room above, below or left of it: the chart stands right of the row, at the
    // screen's top.
    moveFrameTo(form, {1683, 205});
    QCoreApplication::processEvents();
    QCursor::setPos(1688, 337);
    form->msin1(form->tipLabels().at(0));
    EXPECT_EQ(Form17->frameGeometry(), QRect(2150, 0, 260, 474));
    form->msout1(form->tipLabels().at(0));
}

TEST_F(TForm16Test, PostingChecksInOrderThenReportsTheBackendsAnswers) {
    form1->N14Click();
    services->messages.clear();
    w<QLineEdit>("Edit1")->setText(QStringLiteral("999999"));
    EXPECT_EQ(messageTexts(), QStringList{"输入的股票代码不存在，请重新输入!"});
    EXPECT_TRUE(w<QLabel>("Label9")->text().isEmpty());
    const struct {
        const char* code;
        const char* reason;
        const char* message;
        const char* focus;
    } refusals[] = {{"60000", "r", "必须输入六位股票代码!", "Edit1"},
                    {"999999", "r", "必须输入正确的股票代码!", "Edit1"},
                    {"600000", " \t ", "必须输入荐股理由!", "Edit2"}};
    for (const auto& refusal : refusals) {
        post(refusal.code, refusal.reason);
        EXPECT_EQ(messageTexts().last(), QString::fromUtf8(refusal.message));
        EXPECT_EQ(form->focusWidget()->objectName(), refusal.focus) << refusal.message;
    }
    EXPECT_EQ(w<QLabel>("Label9")->text(), QStringLiteral("浦发银行"));
    EXPECT_TRUE(server.requests().last().path.startsWith("/quotes/")) << "nothing posted";

    postReply = QStringLiteral("已经超过了; 成功");
    post(QStringLiteral("600000"), QStringLiteral("看 好"));
    EXPECT_EQ(server.lastRequest().body, Gbk::formBody({{"gpdm", "600000"}, {"gpmc", "浦发银行"}, {"tjly", "看 好"}}));
    EXPECT_EQ(messageTexts(),
              (QStringList{"今日您荐股的次数超过2次，提交失败!", "本次您的荐股操作成功，感谢您的参与！"}));
    EXPECT_FALSE(form->isVisible());

    const std::pair<int, QStringList> others[] = {{0, {}}, {500, {"网络故障，请稍后再试"}}};
    for (const auto& [status, messages] : others) {
        form1->N14Click();
        postReply = QStringLiteral("稍后");
        postStatus = status;
        post(QStringLiteral("600000"), QStringLiteral("r"));
        EXPECT_EQ(messageTexts(), messages);
        EXPECT_TRUE(form->isVisible());
        form->close();
    }
}

TEST_F(TForm16Test, ReasonBoxHoldsSixtyGbkBytes) {
    QLineEdit* box = w<QLineEdit>("Edit2");
    box->insert(QStringLiteral("ab") + QString(40, u'涨'));
    EXPECT_EQ(box->text(), QStringLiteral("ab") + QString(29, u'涨'));
    box->setCursorPosition(0);
    box->insert(QStringLiteral("xy"));
    EXPECT_EQ(box->text(), QStringLiteral("ab") + QString(29, u'涨'));
}
