// The strong-stock tracker against a quote service on 127.0.0.1: stocks handed over by the ranking board,
// polled one per tick, their rallies marked, counted and noticed once, the rest after 20 failures, the day's
// bounds, the drawing of the rows, the clicks that open a stock's fund page, and the board's "跟踪强势股".
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1_ui.h"
#include "loopback/httpserver.h"
#include "rankings/tform25.h"
#include "rankings/tform26.h"
#include "rankpages.h"

#include "rankings/tform25_ui.h"
#include "rankings/tform26_ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray kQuotePath = "/quotes/EM_Quote2007/optional.aspx";
const QString kMoutai = QStringLiteral("600519贵州茅台");
const QString kFail = QStringLiteral("fail");

class TrackingForm1 : public RecordingForm1 {
public:
    void createsj() override { TForm1::createsj(); }
    void getgpzj(const QString& code) override { opened << code; }
    QStringList opened;
};

class Tracker : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        server.route(kQuotePath, [this](const Loopback::HttpRequest& request) {
            const QString code = QString::fromLatin1(request.queryValue("fav"));
            polled << code;
            const QString change = changes.value(code);
            if (change == kFail)
                return Loopback::HttpReply::error(500);
            return Loopback::HttpReply::html(QStringLiteral("1,%1,名称,10.00,%2,0.10,9.99,1,10.00,1,100,100.00,10.00,"
                                                            "10.00,10.10,9.90,1,5,1%,10:00:00")
                                                 .arg(code, change)
                                                 .toUtf8())
                .withDelivery(stall ? Loopback::Delivery::stalled(0) : Loopback::Delivery());
        });
        form = std::make_unique<TrackingForm1>();
        Form1 = form.get();
        Form25 = &form25;
        Form26 = &form26;
        // Two stocks reach box 3 at 9:40 and join the tracker.
        setTime(QTime(9, 40));
        form->createsj();
        form->getshdjtddx(rankReply({rankRow("600519", QStringLiteral("贵州茅台"), "1.14"),
                                     rankRow("002594", QStringLiteral("比亚迪"), "0.50")}),
                          QStringLiteral("2"));
        ASSERT_EQ(form->state.trackrows, 2);
    }
    void TearDown() override {
        Form1 = nullptr;
        Form25 = nullptr;
        Form26 = nullptr;
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    static void setTime(const QTime& time, const QDate& day = QDate(2024, 1, 3)) {
        Clock::setForTests(QDateTime(day, time));
    }
    // One poll tick; returns the codes it fetched.
    QStringList poll() {
        polled.clear();
        form25.Timer1Timer();
        return polled;
    }
    QStringList row(int number) const {
        QStringList cells;
        for (int column = 0; column < 8; ++column)
            cells << grid()->cell(column, number);
        return cells;
    }
    StringGrid* grid() const { return form25.ui->StringGrid1; }

    Loopback::HttpServer server;
    QMap<QString, QString> changes;
    bool stall = false;
    QStringList polled;
    std::unique_ptr<TrackingForm1> form;
    TForm25 form25;
    TForm26 form26;
};

} // namespace

TEST_F(Tracker, PollsRowByRowMarksTheRallyAndNoticesItOnce) {
    changes = {{"600519", "2.64%"}, {"002594", "0"}};
    setTime(QTime(9, 41));
    // 2.64 lies 1.50 above the start of 1.14: no rally at the margin 1.6. The first poll shows no arrow.
    EXPECT_EQ(poll(), QStringList({"600519"}));
    EXPECT_EQ(row(1), QStringList({kMoutai, "9:40:00", "1.14 ", "→", "2.64%", "", "-", "-"}));
    // A change of exactly "0" is read; the cursor moves on. Past the last row a tick fetches nothing.
    EXPECT_EQ(poll(), QStringList({"002594"}));
    EXPECT_EQ(row(2), QStringList({"002594比亚迪  ", "9:40:00", "0.50 ", "→", "0", "", "-", "-"}));
    EXPECT_EQ(grid()->cell(3, 1), QString());
    EXPECT_EQ(poll(), QStringList());
    EXPECT_EQ(grid()->row(), 2);

    // 2.74 lies exactly 1.60 above: still no rally. An empty change field fails: counted, and the round moves on.
    changes = {{"600519", "2.74%"}, {"002594", ""}};
    poll();
    poll();
    EXPECT_EQ(row(1).mid(4), QStringList({"2.74%", "↑", "-", "-"}));
    EXPECT_EQ(form->state.trackfails, 1);
    EXPECT_EQ(form->state.trackrow, 3);
    EXPECT_EQ(grid()->row(), 1); // one down from the last row is row 1 again
    poll();

    // 2.84 lies 1.70 above: the first rally is marked, coloured, counted, timed and noticed.
    changes = {{"600519", "2.84%"}, {"002594", "0"}};
    setTime(QTime(9, 42, 5));
    poll();
    EXPECT_EQ(row(1), QStringList({kMoutai, "9:40:00", "1.14 ", "→", "2.84%", "↑", "9:42:05", "√"}));
    EXPECT_EQ(grid()->cell(3, 2), QString()); // back at row 1, the arrow has left the last row
    EXPECT_EQ(form->state.trackflags, QStringList({"1", "0"}));
    EXPECT_EQ(form->state.trackcolours, QStringList(8, "1") + QStringList(8, "0"));
    EXPECT_EQ(form25.statusPanel(1)->text(), QStringLiteral("已拉升的DDX强势股有：1个"));
    EXPECT_TRUE(form26.isVisible());
    EXPECT_EQ(form26.ui->Label1->text(), QStringLiteral("注意: 600519贵州茅台  DDX排名靠前 正在拉升,请关注"));
    EXPECT_EQ(form26.ui->Label3->text(), QStringLiteral("提示时间:9:42:05"));
    poll();
    EXPECT_EQ(row(2).mid(4, 2), QStringList({"0", "-"})); // unchanged since its last good poll

    // The stock rallies again: the mark stays, with no second notice and no second count.
    form26.hide();
    poll();
    setTime(QTime(9, 50));
    poll();
    EXPECT_EQ(row(1), QStringList({kMoutai, "9:40:00", "1.14 ", "→", "2.84%", "-", "9:42:05", "√"}));
    EXPECT_EQ(form->state.trackcount, 1);
    EXPECT_FALSE(form26.isVisible());
    EXPECT_TRUE(services->messages.empty());

    // The rallied row is red, the waiting one pale violet, the empty row keeps the grid's white.
    grid()->clearSelection();
    const QImage cells = grid()->viewport()->grab().toImage();
    const auto colourAt = [&](int gridRow) {
        return QColor(cells.pixel(253, grid()->visualRect(grid()->model()->index(gridRow, 0)).center().y()));
    };
    EXPECT_EQ(colourAt(1), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(2), QColor(245, 240, 255));
    EXPECT_EQ(colourAt(3), grid()->palette().color(QPalette::Base));

    // Presses on a stock's row and on the notice open its fund page; the heading and the empty row do not.
    for (int pressed : {0, 1, 3})
        form25.StringGrid1MouseDown(pressed);
    form26.Label1Click();
    EXPECT_EQ(form->opened, QStringList({"600519", "600519"}));
}

TEST_F(Tracker, PollsOnWeekdaysUntil150100AndRestsAfterTwentyFailures) {
    changes = {{"600519", kFail}, {"002594", "1.00%"}};
    setTime(QTime(15, 1, 1));
    EXPECT_EQ(poll(), QStringList());
    setTime(QTime(12, 0), QDate(2024, 1, 6)); // a Saturday
    EXPECT_EQ(poll(), QStringList());

    // The twentieth failure, at the day's last polling moment: the failing row is passed over, and the next
    // tick rests instead of polling.
    setTime(QTime(15, 1, 0));
    form->state.trackfails = 19;
    EXPECT_EQ(poll(), QStringList({"600519"}));
    EXPECT_EQ(form->state.trackfails, 20);
    EXPECT_EQ(poll(), QStringList());
    EXPECT_FALSE(form25.Timer1->isActive());
    EXPECT_TRUE(form25.Timer2->isActive());
    for (int second = 1; second < 30; ++second)
        form25.Timer2Timer();
    EXPECT_TRUE(form25.Timer2->isActive());
    form25.Timer2Timer();
    EXPECT_FALSE(form25.Timer2->isActive());
    EXPECT_TRUE(form25.Timer1->isActive());
    EXPECT_EQ(form->state.trackfails, 0);
    // Polling resumes at the row it had reached.
    EXPECT_EQ(poll(), QStringList({"002594"}));
    EXPECT_EQ(grid()->cell(4, 2), QStringLiteral("1.00%"));
}

TEST_F(Tracker, OpensFromTheBoardOnWeekdaysAfter93800OnceStocksAreTracked) {
    const QString weekend = QStringLiteral("注意:周六、周日不能对强势股跟踪");
    const QString early = QStringLiteral("ddx强势股监控的时间从每天9:40分以后“自动”开始，请等待...");
    const QString late = QStringLiteral("对ddx强势股的监控，最好从每天10点前开始。");
    const QString gathering = QStringLiteral("正在汇总数据，请稍候...");
    struct Case {
        QDateTime moment;
        int trackrows;
        QStringList notices;
    };
    const QDate day(2024, 1, 3);
    const std::vector<Case> cases = {
        {QDateTime(QDate(2024, 1, 7), QTime(10, 0)), 2, {weekend}},
        {QDateTime(day, QTime(9, 38, 0)), 2, {early}},
        {QDateTime(day, QTime(10, 0, 0)), 0, {gathering}},
        {QDateTime(day, QTime(10, 0, 1)), 0, {late, gathering}},
        {QDateTime(day, QTime(9, 38, 1)), 2, {}},
    };
    for (const Case& c : cases) {
        Clock::setForTests(c.moment);
        form->state.trackrows = c.trackrows;
        services->messages.clear();
        QTest::mouseClick(form->ui->Label69, Qt::LeftButton);
        EXPECT_EQ(messageTexts(), c.notices) << c.moment.toString().toStdString();
        EXPECT_EQ(form25.isVisible(), c.notices.isEmpty()) << c.moment.toString().toStdString();
    }
    EXPECT_EQ(services->messages.front().caption, QStringLiteral("提示"));
}

TEST_F(Tracker, AStalledQuoteServiceFailsThePollAfterTheQuotePanelsReadTimeOut) {
    // The poll may run inside the quote panel's fetch: it lets go as soon as the quote panel's client would.
    stall = true;
    setTime(QTime(9, 41));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(poll(), QStringList({"600519"}));
    EXPECT_GE(clock.elapsed(), 4500);
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_EQ(form->state.trackfails, 1);
    EXPECT_EQ(form->state.trackrow, 2);
}

TEST_F(Tracker, EveryStatusPanelHoldsTheWidestTextItShows) {
    // The window as drawn, and one made under a wider font, which widens it to hold its status bar.
    const QFont font = QApplication::font();
    QFont wider = font;
    wider.setLetterSpacing(QFont::PercentageSpacing, 120);
    QApplication::setFont(wider);
    TForm25 widened;
    QApplication::setFont(font);
    EXPECT_GT(widened.width(), form25.width());
    for (TForm25* window : {&form25, &widened}) {
        window->show();
        window->statusPanel(1)->setText(QStringLiteral("已拉升的DDX强势股有：99个"));
        for (int i = 0; i < 3; ++i) {
            const QLabel* panel = window->statusPanel(i);
            // In the panel's font, and in the CJK face that draws these texts where the panel's face lacks them.
            QFont cjk(panel->font());
            cjk.setFamily(QStringLiteral("Noto Sans CJK SC"));
            const int needed = std::max(QFontMetrics(panel->font()).horizontalAdvance(panel->text()),
                                        QFontMetrics(cjk).horizontalAdvance(panel->text()));
            EXPECT_LE(needed, panel->contentsRect().width() - panel->indent()) << i;
            EXPECT_TRUE(window->rect().contains(panel->geometry().translated(panel->parentWidget()->pos()))) << i;
        }
    }
}
