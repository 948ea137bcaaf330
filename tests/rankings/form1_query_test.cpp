// The N-day ranking query against a ranking site on 127.0.0.1: the day walk, the tables and the result.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "loopback/tcpserver.h"
#include "platform/clientsocket.h"
#include "rankpages.h"

#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

class QueryForm1 : public TForm1 {
public:
    void getgpzj(const QString& code) override { opened << code; }
    QStringList opened;
};

// Stocks 600001 股1 ... with the changes 9.00, 8.00, ...
QByteArrayList stocks(int count) {
    QByteArrayList rows;
    for (int i = 1; i <= count; ++i)
        rows << rankRow(QString::number(600000 + i), QStringLiteral("股%1").arg(i),
                        QStringLiteral("%1.00").arg(10 - i));
    return rows;
}

class NdayQueryWalk : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Clock::setForTests(QDateTime(QDate(2024, 7, 1), QTime(10, 0))); // a Monday
        setWindowsCreated(true);
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
        server.setHandler([this](const QByteArray& pending) -> std::optional<Loopback::TcpAnswer> {
            if (!pending.endsWith("\r\n\r\n"))
                return std::nullopt;
            const qsizetype date = pending.indexOf("cxrq=") + 5;
            requested << pending.mid(date, 10);
            requests << pending;
            if (stall)
                return Loopback::TcpAnswer();
            const QByteArray reply =
                requested.last() == "2024-06-28" ? rankReply({}) : (pending.contains("sort=desc") ? falling : rising);
            // The tail after "</body>" comes later, and the site hangs up after its first answer.
            const auto delivery = Loopback::Delivery::split(reply.indexOf("</body>") + 7, 10);
            return Loopback::TcpAnswer(reply, requested.size() == 1, delivery);
        });
        form = std::make_unique<QueryForm1>();
        form->createbase();
    }
    void TearDown() override {
        form.reset();
        setWindowsCreated(false);
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    void query(int days, int category) {
        form->ui->ComboBox3->setCurrentIndex(days);
        form->ui->ComboBox4->setCurrentIndex(category);
        form->BitBtn7Click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form->ui->GroupBox10->isHidden(); }, 10000));
    }
    QStringList ranks() {
        QStringList captions{form->ui->Label85->text(), form->ui->Label86->text(), form->ui->Label87->text()};
        for (const QAction* item : form->PopupMenu4->actions())
            captions << item->text();
        return captions;
    }

    Loopback::TcpServer server;
    QByteArrayList requested;
    QByteArrayList requests;
    bool stall = false;
    // The rises: a new listing first, a suspended stock, eight stocks and an eleventh row.
    QByteArray rising = rankReply(QByteArrayList{rankRow("301001", QStringLiteral("N新股"), "44.00"),
                                                 rankRow("000002", QStringLiteral("万科A"), "--")} +
                                  stocks(8) + QByteArrayList{rankRow("000001", QStringLiteral("平安银行"), "99.00")});
    QByteArray falling = rankReply(
        {rankRow("600000", QStringLiteral("浦发银行"), "-5.00"), rankRow("000002", QStringLiteral("万科A"), "-8.00")});
    std::unique_ptr<QueryForm1> form;
};

} // namespace

TEST_F(NdayQueryWalk, WalksBackOverTheWeekendAndAHolidayAcrossAReconnectAndRanksTheSums) {
    query(2, 5); // three days, "累计涨幅靠前的"
    EXPECT_EQ(requested, QByteArrayList({"2024-06-28", "2024-06-27", "2024-06-26", "2024-06-25"}));
    EXPECT_EQ(server.connectionCount(), 2);
    EXPECT_EQ(form->ui->ProgressBar1->value(), 3);
    EXPECT_EQ(form->ui->GroupBox10->title(), QStringLiteral("以下为近3天以来“累计涨幅靠前的”股票"));
    EXPECT_EQ(sqlRows(QStringLiteral("gpfind.dat"), QStringLiteral("select count(*) from data")), QStringList{"27"});
    EXPECT_EQ(sqlRows(QStringLiteral("gpfind.dat"), QStringLiteral("select 数值 from data1 where 股票代码='600001'")),
              QStringList{"27"});
    // The new listing takes no rank; ranks 4 and below are in the menu in order.
    EXPECT_EQ(ranks(), QStringList({"600001股1", "600002股2", "600003股3", "600004股4", "600005股5", "600006股6",
                                    "600007股7", "600008股8"}));
    form->PopupMenu4->actions().at(1)->trigger();
    EXPECT_EQ(form->opened, QStringList{"600005"});
    EXPECT_TRUE(services->messages.empty());
}

TEST_F(NdayQueryWalk, ReturnStopsAStalledWalkAndTheNextQueryStartsAfreshWithItsOwnOrder) {
    stall = true;
    form->BitBtn7Click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return requested.size() == 1; }, 5000));
    form->Label83Click();
    EXPECT_FALSE(form->Timer3->isActive());
    EXPECT_FALSE(form->ClientSocket3->active());
    EXPECT_FALSE(form->ui->GroupBox9->isHidden());

    stall = false;
    runSql(QStringLiteral("gpfind.dat"), {QStringLiteral("insert into data(股票代码,数值) values('600001',1)")});
    form->ui->Label87->setText(QStringLiteral("600036招商银行"));
    query(0, 4); // one day, "累计跌幅靠前的": the biggest fall leads
    EXPECT_EQ(requested.mid(1), QByteArrayList({"2024-06-28", "2024-06-27"}));
    EXPECT_EQ(ranks(), QStringList({"000002万科A", "600000浦发银行", ""}));
    EXPECT_EQ(sqlRows(QStringLiteral("gpfind.dat"), QStringLiteral("select count(*) from data")), QStringList{"2"});
    form->Label87Click();
    form->Label85Click();
    EXPECT_EQ(form->opened, QStringList{"000002"});
}

TEST_F(NdayQueryWalk, EachCategoryAsksForItsRankingInItsOrderAndSumsItsCell) {
    Clock::setForTests(QDateTime(QDate(2024, 7, 3), QTime(10, 0))); // a Wednesday: one request a query
    // Every cell of the one stock holds its own number, so the sum names the cell it came from.
    rising = falling = rankReply({rankRow("600001", QStringLiteral("股1"), "7")});
    struct Case {
        QString category;
        QByteArray key;
        QByteArray sort;
        QString cell;
    };
    const QList<Case> cases{
        {QStringLiteral("特大资金买入靠前的"), "tdc", "asc", "17"},
        {QStringLiteral("大单资金买入靠前的"), "ddc", "asc", "18"},
        {QStringLiteral("散户资金减仓靠前的"), "xdc", "desc", "20"},
        {QStringLiteral("DDX排名一直靠前的"), "ddx", "asc", "8"},
        {QStringLiteral("累计跌幅靠前的"), "zf", "desc", "7"},
        {QStringLiteral("累计涨幅靠前的"), "zf", "asc", "7"},
    };
    for (int i = 0; i < cases.size(); ++i) {
        const Case& c = cases.at(i);
        SCOPED_TRACE(c.category.toStdString());
        form->Label89Click();
        query(0, i);
        EXPECT_EQ(form->ui->GroupBox10->title(), QStringLiteral("以下为近1天以来“%1”股票").arg(c.category));
        const QByteArray query = "sortname=" + c.key + "&cxrq=2024-07-02&sort=" + c.sort;
        EXPECT_TRUE(requests.last().startsWith("GET /sort.asp?" + query + " HTTP/1.1\r\n"));
        EXPECT_TRUE(
            requests.last().contains("\r\nReferer: http://ranking.brennoc.example/sort.asp?" + query + "&page=1\r\n"));
        EXPECT_EQ(sqlRows(QStringLiteral("gpfind.dat"), QStringLiteral("select 数值 from data1")), QStringList{c.cell});
    }
}
