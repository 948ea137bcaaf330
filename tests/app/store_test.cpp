// The local store: database files, the station files and the favourite-delete menu.
#include "app/localstore.h"
#include "app/textfile.h"
#include "app/tform1_ui.h"
#include "form1_fixture.h"
#include "platform/gbk.h"

#include <QLabel>
#include <QMenu>

namespace {

const QString kPhoneTable = QStringLiteral("create table 手机(ID integer primary key,手机号码 char(11),本地发 char(1),"
                                           "远程发 char(1),状态 char(1),设置日期 datetime)");

QStringList captions(const QMenu* menu) {
    QStringList texts;
    for (const QAction* item : menu->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

} // namespace

TEST_F(Form1Test, MissingTablesOfAnExistingFileAreCreatedAndExistingOnesKept) {
    runSql(LocalStore::alertDatabaseFile,
           {kPhoneTable, QStringLiteral("insert into 手机(手机号码,本地发,远程发) values('13900000000','0','1')")});
    runSql(LocalStore::rankingDatabaseFile, {QStringLiteral("create table data(ID integer primary key)")});
    RecordingForm1 form;
    form.FormCreate();

    for (const QString& table :
         {QStringLiteral("手机"), QStringLiteral("第一波"), QStringLiteral("第二波"), QStringLiteral("第三波")})
        EXPECT_TRUE(form.ado.tables().contains(table)) << table.toStdString();
    EXPECT_TRUE(form.ADOConnection1.tables().contains(QStringLiteral("data1")));
    EXPECT_EQ(sqlRows(LocalStore::alertDatabaseFile, QStringLiteral("select 手机号码 from 手机")),
              QStringList{QStringLiteral("13900000000")});
    EXPECT_EQ(form.statusPanel(1)->text(), QStringLiteral("本机监视股价：停止  手机接收股价：启用"));
}

TEST_F(Form1Test, AFailureWithTheRankingDatabaseStillOpensTheAlertDatabase) {
    blockWithDirectory(LocalStore::rankingDatabaseFile);
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_TRUE(form.ado.isOpen());
    EXPECT_EQ(form.statusPanel(1)->text(), QStringLiteral("本机监视股价：停止  手机接收股价：停止"));
    // The sequence went on past createbase.
    EXPECT_TRUE(form.calls.contains(QStringLiteral("sendbase")));
}

TEST_F(Form1Test, StationFilesLoadAtStartSkippingLinesWithoutAmpersand) {
    writeBytes(LocalStore::recentFile,
               Gbk::encode(QStringLiteral("中央一台&mms://tv/1?a=1&b=2\r\n无地址的行\r\n凤凰&http://tv/f\n")));
    writeBytes(LocalStore::favouritesFile, Gbk::encode(QStringLiteral("体育&rtsp://tv/s\r\n坏行\r\n&\r\n")));
    RecordingForm1 form;
    form.FormCreate();

    EXPECT_EQ(form.state.recentnames, (QStringList{QStringLiteral("中央一台"), QStringLiteral("凤凰")}));
    EXPECT_EQ(form.state.recenturls,
              (QStringList{QStringLiteral("mms://tv/1?a=1&b=2"), QStringLiteral("http://tv/f")}));
    EXPECT_EQ(form.state.recentcount, 2);
    EXPECT_EQ(form.state.favnames, (QStringList{QStringLiteral("体育"), QString()}));
    EXPECT_EQ(form.state.favurls, (QStringList{QStringLiteral("rtsp://tv/s"), QString()}));
    EXPECT_EQ(captions(form.N9),
              (QStringList{QStringLiteral("体育"), QString(), QStringLiteral("-"), QStringLiteral("删除全部")}));
}

TEST_F(Form1Test, AnEmptyFavouritesFileGivesOnlyTheClosingItems) {
    writeBytes(LocalStore::favouritesFile, QByteArray());
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(captions(form.N9), (QStringList{QStringLiteral("-"), QStringLiteral("删除全部")}));
    EXPECT_TRUE(form.state.favnames.isEmpty());
}

TEST_F(Form1Test, StationsSurviveACloseAndTheNextStart) {
    {
        RecordingForm1 form;
        form.FormCreate();
        form.state.recentnames = {QStringLiteral("中央一台"), QStringLiteral("无地址")};
        form.state.recenturls = {QStringLiteral("mms://tv/1?a=1&b=2"), QString()};
        form.state.favnames = {QStringLiteral("体育")};
        form.state.favurls = {QStringLiteral("rtsp://tv/s&x")};
        EXPECT_TRUE(form.FormCloseQuery());
    }
    EXPECT_EQ(readBytes(LocalStore::recentFile),
              Gbk::encode(QStringLiteral("中央一台&mms://tv/1?a=1&b=2\r\n无地址&\r\n")));
    EXPECT_EQ(readBytes(LocalStore::favouritesFile), Gbk::encode(QStringLiteral("体育&rtsp://tv/s&x\r\n")));

    resetTerminationForTests();
    RecordingForm1 next;
    next.FormCreate();
    EXPECT_EQ(next.state.recentnames, (QStringList{QStringLiteral("中央一台"), QStringLiteral("无地址")}));
    EXPECT_EQ(next.state.recenturls, (QStringList{QStringLiteral("mms://tv/1?a=1&b=2"), QString()}));
    EXPECT_EQ(next.state.favurls, QStringList{QStringLiteral("rtsp://tv/s&x")});
}

TEST_F(Form1Test, CloseWritesBothStationFilesEvenWhenEmptyAndEndsTheProgram) {
    RecordingForm1 form;
    form.FormCreate();
    form.makePlayer();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(readBytes(LocalStore::recentFile), QByteArray());
    EXPECT_EQ(readBytes(LocalStore::favouritesFile), QByteArray());
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 1);
    EXPECT_EQ(form.WebBrowser66->widget()->x(), 20);
    EXPECT_TRUE(terminationRequested());
}

TEST_F(Form1Test, AFailedWriteRefusesTheClose) {
    RecordingForm1 form;
    form.FormCreate();
    form.makePlayer();
    blockWithDirectory(LocalStore::favouritesFile);
    form.close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(terminationRequested());
    // The steps after the failing one did not run.
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 0);
    // The file written before the failure was written whole.
    EXPECT_EQ(readBytes(LocalStore::recentFile), QByteArray());
}

TEST_F(Form1Test, TrayExitSavesTheStationsTidiesUpAndEnds) {
    RecordingForm1 form;
    form.FormCreate();
    form.makePlayer();
    form.state.favnames = {QStringLiteral("体育")};
    form.state.favurls = {QStringLiteral("rtsp://tv/s")};
    form.N2Click();
    EXPECT_EQ(readBytes(LocalStore::favouritesFile), Gbk::encode(QStringLiteral("体育&rtsp://tv/s\r\n")));
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 1);
    EXPECT_TRUE(terminationRequested());
}

TEST_F(Form1Test, TrayExitEndsTheProgramEvenWhenSavingFails) {
    RecordingForm1 form;
    form.FormCreate();
    form.makePlayer();
    blockWithDirectory(LocalStore::recentFile);
    form.N2Click();
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 1);
    EXPECT_TRUE(terminationRequested());
}

TEST_F(Form1Test, AFavouriteNameWithAnAmpersandShowsAsWritten) {
    RecordingForm1 form;
    form.appendFavouriteDeleteItem(QStringLiteral("R&D台"));
    const QAction* item = form.N9->actions().constLast();
    EXPECT_EQ(item->text(), QStringLiteral("R&&D台")); // a single "&" would mark a shortcut and vanish
    EXPECT_EQ(item->data().toString(), QStringLiteral("R&D台"));
}
