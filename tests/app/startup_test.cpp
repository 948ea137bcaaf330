// The main window's creation, first show and switch to the current stock.
#include "app/backend.h"
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform12.h"
#include "app/tform1_ui.h"
#include "form1_fixture.h"
#include "platform/gbk.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QStringList kFullSequence = {"sendbase",          "yzgp 000001",  "addtv",           "createsj",
                                   "loadBigOrderPages", "getyg 000001", "getqgqp 000001",  "getgg 000001",
                                   "getgbdata 000001",  "getvtzs",      "getvtdate 000001"};

// A main window that loads the alert settings for real.
class SettingsForm1 : public RecordingForm1 {
public:
    void sendbase() override { TForm1::sendbase(); }
};

} // namespace

TEST_F(Form1Test, FirstStartWithoutDataFilesCreatesTheStoreAndShowsTheDefaultStock) {
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(form.calls, kFullSequence);
    const std::tuple<QString, const char*, QString> tables[] = {
        {LocalStore::rankingDatabaseFile, "data1", "ID,股票名称,股票代码,数值"},
        {LocalStore::alertDatabaseFile, "手机", "ID,手机号码,本地发,远程发,状态,设置日期"},
        {LocalStore::alertDatabaseFile, "第二波", "ID,综合,涨停,大单成交,大单买卖,涨跌幅,股票代码,股票名称"},
        {LocalStore::alertDatabaseFile, "第三波", "ID,是否发,时间间隔,股票代码,股票名称"},
    };
    for (const auto& [file, table, columns] : tables) {
        const QString sql = u"select name from pragma_table_info('%1')"_s.arg(QString::fromUtf8(table));
        EXPECT_EQ(sqlRows(file, sql).join(u','), columns) << table;
    }
    EXPECT_EQ(form.statusPanel(1)->text(), u"本机监视股价：停止  手机接收股价：停止"_s);
    EXPECT_EQ(form.ui->Edit1->text(), QStringLiteral("000001"));
    EXPECT_TRUE(fake(form.WebBrowser1)->navigations.isEmpty() && form.N9->actions().isEmpty());
    EXPECT_EQ(fake(form.WebBrowser3)->navigations,
              QStringList{Hosts::base(Hosts::bigorder) + "/stock/sz/000001/single-barDay.htm"});
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("000001\r\n"));
    EXPECT_EQ(fake(form.WebBrowser66)->navigations.value(0) + fake(form.WebBrowser7)->navigations.value(0),
              Hosts::base(Hosts::backend) + "/gpcgad.html" + Hosts::base(Hosts::stockpool) +
                  "/dxdf/admin/gb2312/StockList_1.asp");
    EXPECT_EQ(form.ui->Label33->text(), u"(今天是2024-1-3)"_s);
    EXPECT_EQ(form.ui->GroupBox1->title(), u"网民对(平安银行)的最新热评"_s);
    EXPECT_EQ(form.state.forumunread, QStringList(4, QStringLiteral("1")));
    EXPECT_EQ(form.WindowsMediaPlayer1, nullptr); // made when a station is first played
    EXPECT_EQ(form.WebBrowser5->widget()->x(), -1000);
    EXPECT_EQ(form.ui->StringGrid2->cell(8, 0), u"累计涨幅"_s);
    for (QTimer* timer :
         {form.Timer1, form.Timer2, form.Timer4, form.Timer5, form.Timer6, form.Timer7, form.Timer8, form.Timer9})
        EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(form.Timer3->isActive() || form.Timer33->isActive());
    // Its labels show quotes, names and titles from outside pages, which are never read as markup.
    for (const QLabel* label : form.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

// The stock the last-stock file names: the back-end's page for it and today's big-order bars are asked for
// with its code, and the splash timer fires once and stops.
TEST_F(Form1Test, FirstShowAsksForTheStoredStocksPagesAndTheSplashTimerStops) {
    writeBytes(LocalStore::lastStockFile, "600000\r\n");
    TForm12 splash;
    splash.show();
    Form12 = &splash;
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(fake(form.WebBrowser1)->navigations, QStringList{Backend::serverurl() + "/gpgetstock.asp?name=600000"});
    EXPECT_EQ(fake(form.WebBrowser2)->navigations,
              QStringList{Hosts::base(Hosts::bigorder) + "/stock/sh/600000/single-bar.htm"});
    ASSERT_TRUE(form.Timer8->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 2000));
    EXPECT_FALSE(form.Timer8->isActive());
    Form12 = nullptr;
}

// Which failures end the first show, and what still runs after them.
TEST_F(Form1Test, AFailureEndsTheFirstShowButItsTailStillRuns) {
    const std::tuple<QString, bool> cases[] = {{"sendbase", false}, {"createsj", false}, {"getgbdata", true}};
    for (const auto& [failing, quoteTimerOn] : cases) {
        TForm12 splash;
        splash.show();
        Form12 = &splash;
        RecordingForm1 form;
        form.failing = failing;
        form.FormCreate();
        EXPECT_EQ(form.calls.last().section(u' ', 0, 0), failing);
        EXPECT_EQ(form.Timer1->isActive(), quoteTimerOn) << failing.toStdString();
        // Steps 19 and 20 run whatever happened: the half-hour timer is on and the splash goes away.
        EXPECT_TRUE(form.Timer7->isActive());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 2000));
        Form12 = nullptr;
        // The sequence is never tried again.
        form.calls.clear();
        form.hide();
        form.show();
        EXPECT_TRUE(form.calls.isEmpty());
    }
}

// A data file that cannot be read takes nothing else down: the first show goes on with what a missing file
// gives, the user is told which file it is, and the file stays exactly as it was.
TEST_F(Form1Test, AnUnreadableDataFileIsToldAndLeftAsItIs) {
    const std::tuple<const char*, QString, std::function<void()>> cases[] = {
        {"last stock is a folder", LocalStore::lastStockFile, [] { blockWithDirectory(LocalStore::lastStockFile); }},
        {"recent stations are a folder", LocalStore::recentFile, [] { blockWithDirectory(LocalStore::recentFile); }},
        {"favourites are a folder", LocalStore::favouritesFile, [] { blockWithDirectory(LocalStore::favouritesFile); }},
        {"alert settings are no database", LocalStore::alertDatabaseFile,
         [] { writeBytes(LocalStore::alertDatabaseFile, QByteArray(4096, '\x5a')); }},
        {"alert settings have other columns", LocalStore::alertDatabaseFile,
         [] {
             runSql(LocalStore::alertDatabaseFile,
                    {"create table 手机(ID int)", "create table 第一波(ID int, 其他 int)",
                     "create table 第二波(ID int)", "create table 第三波(ID int)", "insert into 第一波 values(1, 2)"});
         }},
        {"alert settings cut short", LocalStore::alertDatabaseFile,
         [] {
             QStringList tables;
             for (const char* table : {"手机", "第一波", "第二波", "第三波"})
                 tables << u"create table %1(ID int, 是否发 char(1))"_s.arg(QString::fromUtf8(table))
                        << u"insert into %1 values(1, '1')"_s.arg(QString::fromUtf8(table));
             runSql(LocalStore::alertDatabaseFile, tables);
             QFile::resize(path(LocalStore::alertDatabaseFile), 5000);
         }},
        {"ranking results are no database", LocalStore::rankingDatabaseFile,
         [] { writeBytes(LocalStore::rankingDatabaseFile, QByteArray("SQLite format 3\0", 16)); }},
    };
    for (const auto& [what, file, damage] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        if (file != LocalStore::favouritesFile)
            writeBytes(LocalStore::favouritesFile, Gbk::encode(u"体育&rtsp://tv/s\r\n"_s));
        damage();
        const QByteArray damaged = readBytes(file);
        SettingsForm1 form;
        form.FormCreate();
        EXPECT_EQ(messageTexts(), QStringList{unreadable(file)});
        EXPECT_EQ(services->messages.at(0).caption, u"错误"_s);
        EXPECT_EQ(form.calls, kFullSequence.mid(1));
        EXPECT_TRUE(form.Timer1->isActive() && form.Timer4->isActive() && form.Timer5->isActive());
        EXPECT_EQ(form.state.curcode, QStringLiteral("000001"));
        EXPECT_TRUE(form.state.watchcodes.isEmpty());
        EXPECT_EQ(form.state.favnames.size(), file == LocalStore::favouritesFile ? 0 : 1);
        EXPECT_EQ(readBytes(file), damaged);
        services->messages.clear();
    }
}

TEST_F(Form1Test, TheLastStockFileDecidesTheStartingStock) {
    const std::tuple<std::optional<QByteArray>, QString> cases[] = {
        {std::nullopt, "000001"},     {QByteArray(), "000001"},     {"600000\r\n", "600000"}, {"300750", "300750"},
        {"000002\nrest\n", "000002"}, {"\r\n600000\r\n", "000001"}, {"60a000\r\n", "000001"}, {"900901\r\n", "000001"},
        {"6000001\r\n", "000001"},    {"1&x=/../\r\n", "000001"},
    };
    for (const auto& [content, curcode] : cases) {
        SetUp();
        if (content)
            writeBytes(LocalStore::lastStockFile, *content);
        RecordingForm1 form;
        form.FormCreate();
        EXPECT_EQ(form.ui->Edit1->text(), curcode) << content.value_or("<none>").constData();
        // The back-end's stock page is loaded only for a stock the file named.
        EXPECT_EQ(fake(form.WebBrowser1)->navigations.size(),
                  content && content->startsWith(curcode.toLatin1()) ? 1 : 0);
    }
}

// start's quote fetches by clock and weekday: 2024-01-03 is a Wednesday, 01-06 a Saturday, 01-07 a Sunday.
TEST_F(Form1Test, StartFetchesTheQuotesByTheClock) {
    const QString index = QStringLiteral("getvtzs"), quote = QStringLiteral("getvtdate 000001");
    const std::tuple<QDateTime, QStringList> cases[] = {
        {QDateTime(QDate(2024, 1, 3), QTime(8, 0)), {index, quote}},
        {QDateTime(QDate(2024, 1, 3), QTime(10, 0)), {}},
        {QDateTime(QDate(2024, 1, 6), QTime(10, 0)), {quote}},
        {QDateTime(QDate(2024, 1, 7), QTime(20, 0)), {index, quote, quote}},
        {QDateTime(QDate(2024, 1, 3), QTime(9, 10, 0)), {}},
        {QDateTime(QDate(2024, 1, 3), QTime(15, 5, 0)), {}},
        {QDateTime(QDate(2024, 1, 3), QTime(9, 9, 59)), {index, quote}},
        {QDateTime(QDate(2024, 1, 3), QTime(15, 5, 1)), {index, quote}},
    };
    RecordingForm1 form;
    form.FormCreate();
    for (const auto& [moment, fetches] : cases) {
        form.calls.clear();
        Clock::setForTests(moment);
        form.start();
        EXPECT_EQ(form.calls.filter(QStringLiteral("getvt")), fetches) << moment.toString().toStdString();
    }
}

TEST_F(Form1Test, StartFillsTheForumGridAndSelectsTheEmptyRowBelow) {
    RecordingForm1 form;
    form.lookedUpName.clear();
    form.forumReader = [](UnitState& s) {
        s.forumtitles = {"a", "b", u"帖子3"_s};
        s.forumcounts = {"1", "2", "30/2"};
        s.forumauthors = {"x", "y", u"作者3"_s};
    };
    form.FormCreate();
    StringGrid* grid = form.ui->StringGrid1;
    EXPECT_EQ(std::tuple(grid->rowCount(), grid->row(), form.state.forumshown), std::tuple(5, 4, 3));
    EXPECT_EQ(QStringList({grid->cell(0, 3), grid->cell(1, 3), grid->cell(2, 3), grid->cell(3, 3), grid->cell(1, 4)}),
              QStringList({"3", u"帖子3"_s, "30/2", u"作者3"_s, ""}));
    // Without a stock name the brackets stay empty.
    EXPECT_EQ(form.ui->GroupBox1->title(), u"网民对()的最新热评"_s);
    // A second start empties the lists and the grid before reading again.
    form.forumReader = nullptr;
    form.state.forumunread = QStringList(16, QStringLiteral("0"));
    form.start();
    EXPECT_EQ(std::tuple(grid->rowCount(), grid->row(), form.state.forumshown), std::tuple(2, 1, 0));
    EXPECT_TRUE(grid->cell(1, 1).isEmpty() && form.state.forumtitles.isEmpty());
    EXPECT_EQ(form.state.forumunread, QStringList(4, QStringLiteral("1")));
}

// The last-stock file only tells the next start where to begin: a save that fails does not stop the switch.
TEST_F(Form1Test, StartSavesTheCodeBoxAndGoesOnWhenTheFileCannotBeWritten) {
    RecordingForm1 form;
    form.FormCreate();
    form.ui->Edit1->setText(QStringLiteral("600036"));
    form.start();
    EXPECT_EQ(readBytes(LocalStore::lastStockFile), QByteArray("600036\r\n"));

    QFile::remove(path(LocalStore::lastStockFile));
    blockWithDirectory(LocalStore::lastStockFile);
    form.calls.clear();
    EXPECT_TRUE(guarded([&] { form.start(); }));
    EXPECT_EQ(form.calls.first(), QStringLiteral("getyg 000001"));
}

TEST_F(Form1Test, ALaterShowOnlySwitchesTheHalfHourTimerOnAndKeepsItsCount) {
    RecordingForm1 form;
    form.FormCreate();
    form.ui->StringGrid1->setCell(1, 1, QStringLiteral("kept"));
    form.Timer1->stop();
    form.calls.clear();
    QTest::qWait(1000);
    form.hide();
    form.show();
    // 5000 ms less the second waited, give or take the toolkit's 5 % slack; a restart would be near 5000 again.
    EXPECT_LT(form.Timer7->remainingTime(), 4500);
    form.Timer7->stop();
    form.hide();
    form.show();
    EXPECT_TRUE(form.Timer7->isActive());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_TRUE(form.calls.isEmpty());
    EXPECT_EQ(form.ui->StringGrid1->cell(1, 1), QStringLiteral("kept"));
}

// Timers that tick inside the first show's blocking fetches must not reach the windows created after it.
TEST_F(Form1Test, TicksWaitUntilEveryWindowExists) {
    RecordingForm1 form;
    setWindowsCreated(false);
    // A timer of whole seconds would round the short interval up to a second.
    form.Timer1->setTimerType(Qt::CoarseTimer);
    form.Timer1->setInterval(1);
    form.Timer1->start();
    QTest::qWait(30);
    EXPECT_FALSE(form.calls.contains(QStringLiteral("getvtzs")));
    setWindowsCreated(true);
    QTest::qWait(30);
    form.Timer1->stop();
    EXPECT_TRUE(form.calls.contains(QStringLiteral("getvtzs")));
    setWindowsCreated(false);
}
