// The local store: database files, the station files and the favourite-delete menu.
#include "app/localstore.h"
#include "app/textfile.h"
#include "app/tform1_ui.h"
#include "form1_fixture.h"
#include "platform/gbk.h"

#include <QLabel>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

QStringList captions(const QMenu* menu) {
    QStringList texts;
    for (const QAction* item : menu->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

} // namespace

TEST_F(Form1Test, MissingTablesOfAnExistingFileAreCreatedAndExistingOnesKept) {
    runSql(LocalStore::alertDatabaseFile,
           {"create table 手机(ID integer primary key,手机号码 char(11),本地发 char(1),远程发 char(1))",
            "insert into 手机(手机号码,本地发,远程发) values('13900000000','0','1')"});
    runSql(LocalStore::rankingDatabaseFile, {"create table data(ID integer primary key)"});
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(form.ado.tables(), QStringList({"手机", "第一波", "第二波", "第三波"}));
    EXPECT_EQ(form.ADOConnection1.tables(), QStringList({"data", "data1"}));
    EXPECT_EQ(sqlRows(LocalStore::alertDatabaseFile, "select 手机号码 from 手机"), QStringList{"13900000000"});
    EXPECT_EQ(form.statusPanel(1)->text(), u"本机监视股价：停止  手机接收股价：启用"_s);
}

TEST_F(Form1Test, StationFilesLoadAtStartSkippingLinesWithoutAmpersand) {
    writeBytes(LocalStore::recentFile,
               Gbk::encode(u"中央一台&mms://tv/1?a=1&b=2\r\n无地址的行\r\n凤凰&http://tv/f\n"_s));
    writeBytes(LocalStore::favouritesFile, Gbk::encode(u"体育&rtsp://tv/s\r\n坏行\r\n&\r\n"_s));
    RecordingForm1 form;
    form.FormCreate();
    EXPECT_EQ(form.state.recentnames, QStringList({u"中央一台"_s, u"凤凰"_s}));
    EXPECT_EQ(form.state.recenturls, QStringList({"mms://tv/1?a=1&b=2", "http://tv/f"}));
    EXPECT_EQ(form.state.recentcount, 2);
    EXPECT_EQ(form.state.favurls, QStringList({"rtsp://tv/s", ""}));
    EXPECT_EQ(captions(form.N9), QStringList({u"体育"_s, "", "-", u"删除全部"_s}));

    // An empty favourites file gives the closing items alone.
    writeBytes(LocalStore::favouritesFile, QByteArray());
    RecordingForm1 next;
    next.FormCreate();
    EXPECT_EQ(captions(next.N9), QStringList({"-", u"删除全部"_s}));
}

TEST_F(Form1Test, StationsSurviveACloseAndTheNextStart) {
    {
        RecordingForm1 form;
        form.FormCreate();
        form.state.recentnames = {u"中央一台"_s, u"无地址"_s};
        form.state.recenturls = {"mms://tv/1?a=1&b=2", ""};
        form.state.favnames = {u"体育"_s};
        form.state.favurls = {"rtsp://tv/s&x"};
        EXPECT_TRUE(form.FormCloseQuery());
    }
    EXPECT_EQ(readBytes(LocalStore::recentFile), Gbk::encode(u"中央一台&mms://tv/1?a=1&b=2\r\n无地址&\r\n"_s));
    EXPECT_EQ(readBytes(LocalStore::favouritesFile), Gbk::encode(u"体育&rtsp://tv/s&x\r\n"_s));

    resetTerminationForTests();
    RecordingForm1 next;
    next.FormCreate();
    EXPECT_EQ(next.state.recenturls, QStringList({"mms://tv/1?a=1&b=2", ""}));
    EXPECT_EQ(next.state.favurls, QStringList{"rtsp://tv/s&x"});
}

TEST_F(Form1Test, CloseWritesBothStationFilesEvenWhenEmptyAndEndsTheProgram) {
    RecordingForm1 form;
    form.FormCreate();
    form.makePlayer();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(readBytes(LocalStore::recentFile) + readBytes(LocalStore::favouritesFile), QByteArray());
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 1);
    EXPECT_EQ(form.WebBrowser66->widget()->x(), 20);
    EXPECT_TRUE(terminationRequested());
}

TEST_F(Form1Test, AFailedWriteRefusesTheCloseButNotTheTrayExit) {
    RecordingForm1 form;
    form.FormCreate();
    form.makePlayer();
    blockWithDirectory(LocalStore::favouritesFile);
    form.close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(terminationRequested());
    // The steps after the failing one did not run; the file written before it was written whole.
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 0);
    EXPECT_EQ(readBytes(LocalStore::recentFile), QByteArray());

    // The tray exit saves what it can, tidies up and ends.
    form.state.recentnames = {u"体育"_s};
    form.state.recenturls = {"rtsp://tv/s"};
    form.N2Click();
    EXPECT_EQ(readBytes(LocalStore::recentFile), Gbk::encode(u"体育&rtsp://tv/s\r\n"_s));
    EXPECT_EQ(fake(form.WindowsMediaPlayer1)->stops, 1);
    EXPECT_TRUE(terminationRequested());
}

TEST_F(Form1Test, AFavouriteNameWithAnAmpersandShowsAsWritten) {
    RecordingForm1 form;
    form.appendFavouriteDeleteItem(u"R&D台"_s);
    const QAction* item = form.N9->actions().constLast();
    EXPECT_EQ(item->text(), u"R&&D台"_s); // a single "&" would mark a shortcut and vanish
    EXPECT_EQ(item->data().toString(), u"R&D台"_s);
}
