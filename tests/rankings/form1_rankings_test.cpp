// The ranking board against a ranking site on 127.0.0.1: the request on the wire, the boxes and the tracker
// feed, the refresh ticks and the connections' life cycle.
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1_ui.h"
#include "loopback/tcpserver.h"
#include "news/tform21.h"
#include "news/tform23.h"
#include "platform/clientsocket.h"
#include "platform/songface.h"
#include "rankings/form1_board.h"
#include "rankings/tform25.h"
#include "rankpages.h"
#include "support/wholetexts.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

class BoardForm1 : public RecordingForm1 {
public:
    void createsj() override { TForm1::createsj(); }
    void getgpzj(const QString& code) override { opened << code; }
    QStringList opened;
};
struct PolledForm23 : TForm23 {
    void getsmmh() override { ++polls; }
    int polls = 0;
};
struct PolledForm21 : TForm21 {
    void getnews() override { ++polls; }
    int polls = 0;
};

QStringList texts(const QList<QLabel*>& labels, int count = 12) {
    QStringList captions;
    for (const QLabel* label : labels.first(count))
        captions << label->text();
    return captions;
}

class RankingBoard : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(10, 0)));
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
        server.setHandler([this](const QByteArray& pending) -> std::optional<Loopback::TcpAnswer> {
            if (!pending.endsWith("\r\n\r\n"))
                return std::nullopt;
            const bool tdc = pending.contains("sortname=tdc");
            const QByteArray reply = tdc ? tdcReply : ddxReply;
            // Pieces that end inside "</body>", so the end marker arrives split.
            auto delivery = Loopback::Delivery::split(reply.indexOf("</body>") + 3, 5);
            delivery.cutAfter = tdc ? tdcCut : -1;
            return Loopback::TcpAnswer(reply, false, delivery);
        });
        Form23 = &form23;
        Form21 = &form21;
        Form25 = &form25;
        form = std::make_unique<BoardForm1>();
        form->createsj();
    }
    void TearDown() override {
        form.reset();
        Form23 = nullptr;
        Form21 = nullptr;
        Form25 = nullptr;
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    // One tick at `time`; a refresh that opened the connections waits until both pages are read.
    void tick(const QTime& time = QTime(10, 0)) {
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), time));
        form->Timer9Timer();
        waitUntil([this] { return !form->state.rankactive1 && !form->state.rankactive2; });
    }
    static void waitUntil(const std::function<bool()>& done) { ASSERT_TRUE(QTest::qWaitFor(done, 5000)); }

    Loopback::TcpServer server;
    QByteArray tdcReply = rankReply(
        {rankRow("600000", QStringLiteral("浦发银行"), "2.00"), rankRow("000002", QStringLiteral("万科A"), "--"),
         rankRow("600036", QStringLiteral("招商银行"), "-3.10"), rankRow("000725", QStringLiteral("京东方A"), "0.00"),
         rankRow("300059", QStringLiteral("东方财富"), "1.99")});
    QByteArray ddxReply = rankReply(
        {rankRow("600519", QStringLiteral("贵州茅台"), "1.20"), rankRow("002594", QStringLiteral("比亚迪"), "-0.50")});
    qsizetype tdcCut = -1;
    PolledForm23 form23;
    PolledForm21 form21;
    TForm25 form25;
    std::unique_ptr<BoardForm1> form; // made once the sites point at the server: its sockets take the address
};

} // namespace

TEST_F(RankingBoard, SendsTheNineRequestLinesAndFillsTheBoxesAndTheTracker) {
    const QByteArray tdcRequest =
        "GET /sort.asp?sortname=tdc&cxrq=2024-01-03&sort=asc HTTP/1.1\r\nAccept: */*\r\n"
        "Referer: http://ranking.brennoc.example/sort.asp?sortname=tdc&cxrq=2024-01-03&sort=asc&page=1\r\n"
        "Accept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; "
        "Windows NT 5.1; SV1; GTB6.5; Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1) ; (R1 1.6); .NET CLR "
        "2.0.50727)\r\nHost: ranking.brennoc.example\r\nConnection: Keep-Alive\r\n\r\n";
    tick();
    const QList<QByteArray> requests{server.received(1), server.received(2)};
    EXPECT_TRUE(requests.contains(tdcRequest));
    EXPECT_TRUE(requests.contains(QByteArray(tdcRequest).replace("tdc", "ddx")));

    // The suspended stock's "--" shows in box 1 and is not below the threshold; the page is read to its end.
    EXPECT_EQ(texts(form->tdclabels), QStringList({"600000浦发银行2.00 ", "000002万科A   --   ", "600036招商银行-3.10",
                                                   "000725京东方A 0.00 ", "300059东方财富1.99 "}) +
                                          QStringList(7, QStringLiteral("XXXX")));
    EXPECT_EQ(texts(form->tdclowlabels, 4),
              QStringList({"600036招商银行-3.10", "000725京东方A 0.00 ", "300059东方财富1.99 ", "XXXX"}));
    EXPECT_EQ(Colours::fontColour(form->tdclowlabels.at(0)), Colours::green);
    EXPECT_EQ(Colours::fontColour(form->tdclowlabels.at(1)), Colours::black);
    EXPECT_EQ(texts(form->ddxlabels, 3), QStringList({"600519贵州茅台1.20 ", "002594比亚迪  -0.50", "XXXX"}));
    EXPECT_EQ(form->ui->Label60->text(), QStringLiteral("更新于:2026-12-07 10:09:00"));
    EXPECT_EQ(form->ui->Label62->text(), QStringLiteral("单击下方看详情"));
    EXPECT_TRUE(services->messages.empty());

    // Box 3's stocks joined the tracker: lists and a grid row each, with one empty row below.
    EXPECT_EQ(form->state.trackitems, QStringList({"600519贵州茅台", "002594比亚迪  "}));
    EXPECT_EQ(form->state.trackcolours.size(), 16);
    auto* grid = widgetNamed<StringGrid>(&form25, "StringGrid1");
    EXPECT_EQ(grid->rowCount(), 4);
    QStringList row2;
    for (int column = 0; column < 8; ++column)
        row2 << grid->cell(column, 2);
    EXPECT_EQ(row2, QStringList({"002594比亚迪  ", "10:00:00", "-0.50", "", "-", "", "-", "-"}));

    // A click opens the stock fund page of a label's stock; one without a stock opens nothing.
    QTest::mouseClick(form->tdclabels.at(2), Qt::LeftButton);
    QTest::mouseClick(form->tdclabels.at(11), Qt::LeftButton);
    EXPECT_EQ(form->opened, QStringList({"600036"}));
}

TEST_F(RankingBoard, RefreshesEveryFifthTickUntil1520AndAfterAThresholdChange) {
    EXPECT_TRUE(services->messages.empty()); // the boxes' design text brings no notice
    for (int i = 0; i <= 5; ++i)
        tick();
    EXPECT_EQ(server.connectionCount(), 4);
    form->state.mutedigest = 1;
    for (int i = 6; i <= 9; ++i)
        tick(QTime(15, 20, 1));
    form->state.rankbuf1 = "stale";
    tick(QTime(15, 20, 1));
    EXPECT_TRUE(form->state.rankbuf1.isEmpty());
    EXPECT_EQ(server.connectionCount(), 4);
    for (int i = 11; i <= 14; ++i)
        tick(QTime(15, 20, 1));
    tick(QTime(15, 20, 0)); // tick 15 at the last moment that refreshes
    EXPECT_EQ(server.connectionCount(), 6);
    EXPECT_EQ(form23.polls, 16);
    EXPECT_EQ(form21.polls, 6);
    EXPECT_TRUE(form->Timer9->isActive());

    form->ui->ComboBox2->setCurrentIndex(4);
    EXPECT_EQ(messageTexts(), QStringList({"您修改了条件，将在下轮扫描数据时起作用"}));
    tick(QTime(16, 0));
    EXPECT_EQ(server.connectionCount(), 8);

    // The side labels show and hide the board.
    QTest::mouseClick(form->ui->Label66, Qt::LeftButton);
    EXPECT_TRUE(form->ui->Panel19->isHidden());
    QTest::mouseClick(form->ui->Label49, Qt::LeftButton);
    EXPECT_FALSE(form->ui->Panel19->isHidden());
}

TEST_F(RankingBoard, AConnectionCutBeforeTheEndIsClosedAtOneRefreshAndOpenedAtTheNext) {
    tdcCut = 200;
    form->Timer9Timer();
    waitUntil([this] { return !form->ClientSocket1->active() && !form->state.rankactive2; });
    EXPECT_TRUE(form->state.rankactive1);
    EXPECT_EQ(texts(form->tdclabels, 1), QStringList({"XXXX"}));
    form->state.ranktick = 5;
    form->Timer9Timer();
    EXPECT_FALSE(form->state.rankactive1);
    waitUntil([this] { return !form->state.rankactive2; });
    tdcCut = -1;
    form->state.ranktick = 10;
    tick();
    EXPECT_EQ(server.connectionCount(), 5);
    EXPECT_EQ(texts(form->tdclabels, 1), QStringList({"600000浦发银行2.00 "}));
}

TEST_F(RankingBoard, ShowsTheWidestCaptionsWholeInTheDesignedPlacesAndResetsToTheDesignFace) {
    QByteArrayList rows;
    for (int i = 0; i < 3; ++i)
        rows << rankRow("600036", QStringLiteral("招商银行"), "-10.00")
             << rankRow("300750", QStringLiteral("宁德时代"), "-20.00")
             << rankRow("600090", QStringLiteral("*ST天山"), "-10.00")
             << rankRow("000002", QStringLiteral("万科A"), "-20.00");
    tdcReply = ddxReply = rankReply(rows);
    tick();
    // The ink every label draws, measured unclipped, keeps within the label on every side.
    EXPECT_EQ(cutTexts(form->ui->Panel19).join(u'\n').toStdString(), "");
    const QStringList widest{"600036招商银行-10.00", "300750宁德时代-20.00", "600090*ST天山 -10.00",
                             "000002万科A   -20.00"};
    const QList<QList<int>> tops{{50, 65, 80, 95}, {132, 147, 162, 178}, {212, 227, 242, 257}};
    int box = 0;
    for (const QList<QLabel*>& labels : {form->tdclabels, form->tdclowlabels, form->ddxlabels}) {
        EXPECT_EQ(texts(labels), widest + widest + widest);
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(labels[i]->geometry(), QRect(1 + i % 3 * (box ? 121 : 120), tops[box][i / 3], 119, 12));
        ++box;
        Board::resetBox(labels);
        for (const QLabel* label : labels) // "XXXX" in the design face again: the Song face at 9 points
            EXPECT_TRUE(label->text() == "XXXX" && label->font().families() == SongFace::families() &&
                        label->font().pointSizeF() == 9);
    }
}
