// The main window's creation, first show and switch to the current stock.
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform12.h"
#include "app/tform1_ui.h"
#include "form1_fixture.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// Read when used: the sites override is set by the test main, after static initialisation.
QString bigOrderSite() {
    return Hosts::base(Hosts::bigorder) + QStringLiteral("/stock/");
}

} // namespace

TEST_F(Form1Test, FirstStartWithoutDataFilesCreatesTheStoreAndShowsTheDefaultStock) {
    TForm1 form;
    form.FormCreate();

    const struct {
        const QString& file;
        const char* table;
        const char* columns;
    } tables[] = {
        {LocalStore::rankingDatabaseFile, "data", "ID,股票名称,股票代码,数值"},
        {LocalStore::rankingDatabaseFile, "data1", "ID,股票名称,股票代码,数值"},
        {LocalStore::alertDatabaseFile, "手机", "ID,手机号码,本地发,远程发,状态,设置日期"},
        {LocalStore::alertDatabaseFile, "第一波", "ID,是否发,股票代码,股票名称"},
        {LocalStore::alertDatabaseFile, "第二波", "ID,综合,涨停,大单成交,大单买卖,涨跌幅,股票代码,股票名称"},
        {LocalStore::alertDatabaseFile, "第三波", "ID,是否发,时间间隔,股票代码,股票名称"},
    };
    for (const auto& t : tables) {
        const QString columns =
            QStringLiteral("select name from pragma_table_info('%1')").arg(QString::fromUtf8(t.table));
        EXPECT_EQ(sqlRows(t.file, columns).join(u','), QString::fromUtf8(t.columns)) << t.table;
    }
    EXPECT_EQ(form.statusPanel(1)->text(), QStringLiteral("本机监视股价：停止  手机接收股价：停止"));

    EXPECT_EQ(form.state.curcode, QStringLiteral("000001"));
    EXPECT_EQ(form.ui->Edit1->text(), QStringLiteral("000001"));
    EXPECT_TRUE(fake(form.WebBrowser1)->navigations.isEmpty());
    EXPECT_TRUE(form.state.recentnames.isEmpty());
    EXPECT_TRUE(form.state.favnames.isEmpty());
    EXPECT_EQ(form.state.recentcount, 0);
    EXPECT_TRUE(form.N9->actions().isEmpty());

    // The chart pages and start ran for the default stock: start saved the code.
    EXPECT_EQ(fake(form.WebBrowser2)->navigations, QStringList{bigOrderSite() + "sz/000001/single-bar.htm"});
    EXPECT_EQ(fake(form.WebBrowser3)->navigations, QStringList{bigOrderSite() + "sz/000001/single-barDay.htm"});
    EXPECT_EQ(fake(form.WebBrowser4)->navigations, QStringList{bigOrderSite() + "sz/000001/single-pie.htm"});
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("000001\r\n"));

    EXPECT_EQ(fake(form.WebBrowser66)->navigations,
              QStringList{Hosts::base(Hosts::backend) + QStringLiteral("/gpcgad.html")});
    EXPECT_EQ(fake(form.WebBrowser7)->navigations,
              QStringList{Hosts::base(Hosts::stockpool) + QStringLiteral("/dxdf/admin/gb2312/StockList_1.asp")});
    EXPECT_EQ(form.ui->Label33->text(), QStringLiteral("(今天是2024-1-3)"));
    EXPECT_EQ(form.state.forumunread, QStringList(4, QStringLiteral("1")));
    EXPECT_EQ(form.WindowsMediaPlayer1, nullptr); // made when a station is first played
    EXPECT_EQ(form.WebBrowser5->widget()->x(), -1000);
    EXPECT_EQ(form.ui->StringGrid2->cell(8, 0), QStringLiteral("累计涨幅"));

    for (QTimer* timer :
         {form.Timer1, form.Timer2, form.Timer4, form.Timer5, form.Timer6, form.Timer7, form.Timer8, form.Timer9})
        EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(form.Timer3->isActive());
    EXPECT_FALSE(form.Timer33->isActive());
    EXPECT_EQ(form.state.firstshowdone, 1);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Form1Test, FirstShowCallsTheSubsystemsInOrder) {
    RecordingForm1 form;
    form.FormCreate();
    const QStringList expected = {"sendbase",          "yzgp 000001",  "addtv",           "createsj",
                                  "loadBigOrderPages", "getyg 000001", "getqgqp 000001",  "getgg 000001",
                                  "getgbdata 000001",  "getvtzs",      "getvtdate 000001"};
    EXPECT_EQ(form.calls, expected);
    EXPECT_EQ(form.ui->GroupBox1->title(), QStringLiteral("网民对(平安银行)的最新热评"));
}

// Which failures end the first show, and what still runs after them.
struct FirstShowFailure {
    const char* failing;
    const char* lastCall;
    bool quoteTimerOn; // step 14 ran
};

class FirstShowFailures : public Form1Test, public ::testing::WithParamInterface<FirstShowFailure> {};

TEST_P(FirstShowFailures, EndTheSequenceButTheTailStillRuns) {
    const FirstShowFailure& c = GetParam();
    TForm12 splash;
    splash.show();
    Form12 = &splash;
    RecordingForm1 form;
    form.failing = QString::fromLatin1(c.failing);
    form.FormCreate();

    EXPECT_EQ(form.calls.last().section(u' ', 0, 0), QString::fromLatin1(c.lastCall));
    EXPECT_EQ(form.Timer1->isActive(), c.quoteTimerOn);
    // Step 19 and 20 run whatever happened: the half-hour timer is on and the splash goes away.
    EXPECT_TRUE(form.Timer7->isActive());
    EXPECT_TRUE(form.Timer8->isActive());
    EXPECT_EQ(form.state.firstshowdone, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 2000));
    EXPECT_FALSE(form.Timer8->isActive());
    Form12 = nullptr;

    // The sequence is never tried again.
    form.calls.clear();
    form.hide();
    form.show();
    EXPECT_TRUE(form.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Steps, FirstShowFailures,
                         ::testing::Values(FirstShowFailure{"sendbase", "sendbase", false},
                                           FirstShowFailure{"createsj", "createsj", false},
                                           FirstShowFailure{"getgg", "getgg", true},
                                           FirstShowFailure{"getgbdata", "getgbdata", true}),
                         [](const auto& info) { return std::string(info.param.failing); });

TEST_F(Form1Test, AnUnreadableLastStockFileEndsTheFirstShowAfterSendbase) {
    blockWithDirectory(LocalStore::lastStockFile);
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(form.calls, QStringList{"sendbase"});
    EXPECT_TRUE(form.Timer7->isActive());
    EXPECT_TRUE(form.Timer8->isActive());
}

// The last-stock file's content and the stock the program starts with.
struct LastStockCase {
    const char* name;
    std::optional<QByteArray> content;
    const char* curcode;
    bool backendPageLoaded;
};

class LastStock : public Form1Test, public ::testing::WithParamInterface<LastStockCase> {};

TEST_P(LastStock, DecidesTheStartingStock) {
    const LastStockCase& c = GetParam();
    if (c.content)
        writeBytes(LocalStore::lastStockFile, *c.content);
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(form.state.curcode, QString::fromLatin1(c.curcode));
    EXPECT_EQ(form.ui->Edit1->text(), QString::fromLatin1(c.curcode));
    const QStringList expected =
        c.backendPageLoaded ? QStringList{Hosts::base(Hosts::backend) + "/gpgetstock.asp?name=" + form.state.curcode}
                            : QStringList{};
    EXPECT_EQ(fake(form.WebBrowser1)->navigations, expected);
}

INSTANTIATE_TEST_SUITE_P(Files, LastStock,
                         ::testing::Values(LastStockCase{"missing", std::nullopt, "000001", false},
                                           LastStockCase{"empty", QByteArray(), "000001", false},
                                           LastStockCase{"crlf", QByteArray("600000\r\n"), "600000", true},
                                           LastStockCase{"noBreak", QByteArray("300750"), "300750", true},
                                           LastStockCase{"lf", QByteArray("000002\nrest\n"), "000002", true},
                                           LastStockCase{"firstLineEmpty", QByteArray("\r\n600000\r\n"), "000001",
                                                         false},
                                           LastStockCase{"notDigits", QByteArray("60a000\r\n"), "000001", false},
                                           LastStockCase{"otherMarket", QByteArray("900901\r\n"), "000001", false},
                                           LastStockCase{"tooLong", QByteArray("6000001\r\n"), "000001", false},
                                           LastStockCase{"address", QByteArray("1&x=/../\r\n"), "000001", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// start's quote fetches by clock and weekday: 2024-01-03 is a Wednesday, 01-06 a Saturday, 01-07 a Sunday.
struct FetchCase {
    const char* name;
    QDateTime moment;
    QStringList fetches;
};

class StartFetches : public Form1Test, public ::testing::WithParamInterface<FetchCase> {};

TEST_P(StartFetches, FollowTheClock) {
    const FetchCase& c = GetParam();
    RecordingForm1 form;
    form.FormCreate();
    form.calls.clear();
    Clock::setForTests(c.moment);
    form.start();
    const QStringList fetches = form.calls.filter(QStringLiteral("getvt"));
    EXPECT_EQ(fetches, c.fetches);
}

const QString kIndex = QStringLiteral("getvtzs");
const QString kQuote = QStringLiteral("getvtdate 000001");

INSTANTIATE_TEST_SUITE_P(
    Moments, StartFetches,
    ::testing::Values(FetchCase{"WednesdayMorning", QDateTime(QDate(2024, 1, 3), QTime(8, 0)), {kIndex, kQuote}},
                      FetchCase{"WednesdayInside", QDateTime(QDate(2024, 1, 3), QTime(10, 0)), {}},
                      FetchCase{"SaturdayInside", QDateTime(QDate(2024, 1, 6), QTime(10, 0)), {kQuote}},
                      FetchCase{"SundayEvening", QDateTime(QDate(2024, 1, 7), QTime(20, 0)), {kIndex, kQuote, kQuote}},
                      FetchCase{"WindowOpens", QDateTime(QDate(2024, 1, 3), QTime(9, 10, 0)), {}},
                      FetchCase{"WindowCloses", QDateTime(QDate(2024, 1, 3), QTime(15, 5, 0)), {}},
                      FetchCase{"JustBefore", QDateTime(QDate(2024, 1, 3), QTime(9, 9, 59)), {kIndex, kQuote}},
                      FetchCase{"JustAfter", QDateTime(QDate(2024, 1, 3), QTime(15, 5, 1)), {kIndex, kQuote}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form1Test, StartFillsTheForumGridAndSelectsTheEmptyRowBelow) {
    RecordingForm1 form;
    form.forumReader = [](UnitState& s) {
        for (int i = 1; i <= 3; ++i) {
            s.forumtitles << QStringLiteral("帖子%1").arg(i);
            s.forumcounts << QStringLiteral("%1/2").arg(i * 10);
            s.forumauthors << QStringLiteral("作者%1").arg(i);
            s.forumlinks << QStringLiteral("http://forum/%1").arg(i);
            s.forumdates << QStringLiteral("2024-1-3");
        }
    };
    form.FormCreate();

    StringGrid* grid = form.ui->StringGrid1;
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->row(), 4);
    EXPECT_EQ(form.state.forumshown, 3);
    EXPECT_EQ(grid->cell(1, 0), QStringLiteral("帖子标题"));
    EXPECT_EQ(grid->cell(0, 3), QStringLiteral("3"));
    EXPECT_EQ(grid->cell(1, 3), QStringLiteral("帖子3"));
    EXPECT_EQ(grid->cell(2, 3), QStringLiteral("30/2"));
    EXPECT_EQ(grid->cell(3, 3), QStringLiteral("作者3"));
    EXPECT_TRUE(grid->cell(1, 4).isEmpty());

    // A second start for another stock empties the lists and the grid before reading again.
    form.forumReader = nullptr;
    form.state.forumunread = QStringList(16, QStringLiteral("0"));
    form.start();
    EXPECT_EQ(form.state.forumunread, QStringList(4, QStringLiteral("1")));
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->row(), 1);
    EXPECT_TRUE(grid->cell(1, 1).isEmpty());
    EXPECT_TRUE(form.state.forumtitles.isEmpty());
    EXPECT_EQ(form.state.forumshown, 0);
}

TEST_F(Form1Test, StartWithoutAStockNameLeavesTheBracketsEmpty) {
    RecordingForm1 form;
    form.lookedUpName.clear();
    form.FormCreate();
    EXPECT_EQ(form.ui->GroupBox1->title(), QStringLiteral("网民对()的最新热评"));
}

TEST_F(Form1Test, StartSavesTheCodeBoxAndStopsWhenTheFileCannotBeWritten) {
    RecordingForm1 form;
    form.FormCreate();
    form.ui->Edit1->setText(QStringLiteral("600036"));
    form.start();
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("600036\r\n"));

    QFile::remove(path(LocalStore::lastStockFile));
    blockWithDirectory(LocalStore::lastStockFile);
    form.calls.clear();
    EXPECT_FALSE(guarded([&] { form.start(); }));
    EXPECT_TRUE(form.calls.isEmpty());
}

TEST_F(Form1Test, ALaterShowOnlySwitchesTheHalfHourTimerOn) {
    RecordingForm1 form;
    form.FormCreate();
    form.ui->StringGrid1->setCell(1, 1, QStringLiteral("kept"));
    form.Timer7->stop();
    form.Timer1->stop();
    form.calls.clear();

    form.hide();
    form.show();
    EXPECT_TRUE(form.Timer7->isActive());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_TRUE(form.calls.isEmpty());
    EXPECT_EQ(form.ui->StringGrid1->cell(1, 1), QStringLiteral("kept"));
}
