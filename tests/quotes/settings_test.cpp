// The watch-list alert settings: the settings window (opening, adding, editing, deleting, leaving), the save
// with its back-end synchronisation, the phone dialog, and the tables behind them. The windows run offscreen
// against a loopback server standing for the quote service and the back-end.
#include "app/form1_fixture.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "platform/gbk.h"
#include "quotes/settingsstore.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/tform4.h"
#include "support/quoteservice.h"
#include "support/windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kPhone = QStringLiteral("13800138000");

// The main window with the real loading of the settings; its other subsystems stay recorded.
class SettingsForm1 : public RecordingForm1 {
public:
    void sendbase() override { TForm1::sendbase(); }
};

class SettingsTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        service.onRequest = [this] { enabledWhileWaiting << Form3->isEnabled(); };
        service.http.routePrefix("/backend/", [this](const Loopback::HttpRequest& request) {
            enabledWhileWaiting << (Form4->isVisible() ? Form4->isEnabled() : Form3->isEnabled());
            posts << request;
            return posts.size() == failingPost ? Loopback::HttpReply::error(500)
                                               : Loopback::HttpReply::html(Gbk::encode(phoneReply));
        });
        service.records = {{"600000", Quote{.code = "600000", .price = "10.50", .percent = "1.23%"}.bytes()},
                           {"000001", Quote{.code = "000001", .name = u"平安银行"_s}.bytes()}};
        form1->createbase();
        setWindowsCreated(true);
    }
    void TearDown() override {
        setWindowsCreated(false);
        Form1Test::TearDown();
    }

    UnitState& state() { return form1->state; }
    template <typename Widget = QCheckBox> Widget* w3(const char* name) {
        return widgetNamed<Widget>(form3.get(), name);
    }
    template <typename Widget = QLabel> Widget* w4(const char* name) { return widgetNamed<Widget>(form4.get(), name); }
    QListWidget* list() { return w3<QListWidget>("ListBox1"); }

    static void runSql(const QStringList& statements) { Form1Test::runSql(LocalStore::alertDatabaseFile, statements); }
    static QStringList rows(const QString& sql) { return sqlRows(LocalStore::alertDatabaseFile, sql); }
    static void storePhone(const QString& number, const QString& local, const QString& sms) {
        runSql({u"delete from 手机"_s,
                u"insert into 手机(手机号码,本地发,远程发) values('%1','%2','%3')"_s.arg(number, local, sms)});
    }
    // A stock in the three stock tables as an earlier run left them: `first`, `second` and `third` are the values
    // before the code and name in 第一波, 第二波 and 第三波.
    static void storeStock(const QString& code, const QString& first, const QString& second, const QString& third) {
        const QString stock = u",'%1','浦发银行')"_s.arg(code);
        runSql({"insert into 第一波(是否发,股票代码,股票名称) values(" + first + stock,
                "insert into 第二波(综合,大单成交,大单买卖,涨跌幅,股票代码,股票名称) values(" + second + stock,
                "insert into 第三波(是否发,时间间隔,股票代码,股票名称) values(" + third + stock});
    }

    // Opens the settings window and adds the stocks, in order.
    void open(const QStringList& codes = {}) {
        form1->N17Click();
        ASSERT_TRUE(form3->isVisible());
        for (const QString& code : codes)
            add(code);
    }
    void add(const QString& code) {
        w3<QLineEdit>("Edit1")->setText(code);
        w3<QPushButton>("BitBtn1")->click();
    }
    // The back-end pages posted to, without the back-end's own prefix.
    QStringList postedPaths() const {
        QStringList paths;
        for (const Loopback::HttpRequest& request : posts)
            paths << QString::fromLatin1(request.path).remove(QStringLiteral("/backend/"));
        return paths;
    }
    void expectMonitor(bool running) {
        EXPECT_EQ(form1->isEnabled(), running);
        EXPECT_EQ(form1->Timer4->isActive() && form1->Timer5->isActive(), running);
    }
    // The ten setting controls' state for the selected stock: boxes 1 to 6 ticked or not, then the four choices.
    QStringList shownSettings() {
        QStringList shown;
        for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"})
            shown << (w3(name)->isChecked() ? "1" : "0");
        for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"})
            shown << w3<QComboBox>(name)->currentText();
        return shown;
    }

    QuoteService service;
    QList<Loopback::HttpRequest> posts;
    int failingPost = 0; // the back-end request (counted from 1) that gets an error status; 0 none
    QString phoneReply = QStringLiteral("OK");
    QList<bool> enabledWhileWaiting; // whether the waiting window was usable, per request
    Registered<SettingsForm1, TForm1> form1{Form1};
    Registered<TForm3> form3{Form3};
    Registered<TForm4> form4{Form4};
    Registered<TForm15> form15{Form15};
};

} // namespace

TEST_F(SettingsTest, OpeningStopsTheMonitorAndShowsTheStoredSettings) {
    form1->Timer4->start();
    form1->Timer5->start();
    form15->Timer1->start();
    state().watchcodes = {QStringLiteral("stale")};
    form1->ui->ToolButton5->click();
    ASSERT_TRUE(form3->isVisible());
    expectMonitor(false);
    EXPECT_FALSE(form15->Timer1->isActive());
    EXPECT_EQ(std::tuple(state().widgetcount, state().watchcodes.size(), state().settingsrow, state().phoneknown),
              std::tuple(1, 0, -1, 0));
    // No phone row: the placeholder number, the SMS switch off and locked.
    EXPECT_EQ(w3<QLabel>("Label1")->text(), QStringLiteral("13900000000"));
    EXPECT_FALSE(w3("CheckBox7")->isChecked() || w3("CheckBox7")->isEnabled() || w3("CheckBox8")->isChecked());
    for (const char* name : {"CheckBox1", "CheckBox6", "ComboBox1", "ComboBox4"})
        EXPECT_FALSE(w3<QWidget>(name)->isEnabled()) << name;
    form3->hide();

    storePhone(kPhone, "1", "0");
    storeStock("600000", "'0'", "'1010',5,6,7", "'1',30");
    open();
    EXPECT_EQ(w3<QLabel>("Label1")->text(), kPhone);
    EXPECT_TRUE(w3("CheckBox7")->isEnabled() && w3("CheckBox8")->isChecked());
    EXPECT_EQ(list()->item(0)->text(), u"浦发银行(600000)"_s);
    list()->setCurrentRow(0);
    EXPECT_EQ(state().settingsrow, 0);
    EXPECT_EQ(w3<QLabel>("Label12")->text(), u"浦发银行"_s);
    EXPECT_EQ(shownSettings(), QStringList({"0", "1", "0", "0", "1", "1", "7", "5", "6", "30"}));

    // A second opening while the window is shown changes nothing.
    add(QStringLiteral("000001"));
    form1->N17Click();
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(SettingsTest, AddingRefusesBadCodesAndShowsTheDefaults) {
    // A record with a name but no field 5 is no stock; one whose name field closed empty shows that empty name.
    service.records["600001"] = u"1,600001,短记录,10.00,"_s.toUtf8();
    open();
    add(QStringLiteral("60000"));
    EXPECT_TRUE(service.asked().isEmpty());
    add(QStringLiteral("600999"));
    EXPECT_TRUE(w3<QLabel>("Label12")->text().isEmpty());
    add(QStringLiteral("600001"));
    add(QStringLiteral("600000"));
    add(QStringLiteral("600000"));
    EXPECT_EQ(service.asked().size(), 3);
    EXPECT_EQ(messageTexts(), QStringList({"必须输入六位股票代码!", "输入的股票代码不存在，请重新输入!",
                                           "输入的股票代码不存在，请重新输入!", "该股票已存在，请重新输入!"}));
    EXPECT_EQ(enabledWhileWaiting, QList<bool>({false, false, false}));
    EXPECT_TRUE(form3->isEnabled());
    EXPECT_EQ(std::tuple(state().watchcodes, state().lookupname, state().settingsrow, list()->currentRow()),
              std::tuple(QStringList{"600000"}, u"浦发银行"_s, 0, 0));
    EXPECT_EQ(w3<QLabel>("Label13")->text(), u"最新价:10.50元"_s);
    EXPECT_EQ(shownSettings(), QStringList({"1", "0", "0", "0", "0", "0", "5", "4", "4", "10"}));
    EXPECT_TRUE(w3<QWidget>("ComboBox4")->isEnabled());

    // A look-up that fails on the network is reported as such and adds nothing.
    service.reply = Loopback::HttpReply::error(503);
    services->messages.clear();
    add(QStringLiteral("000001"));
    EXPECT_EQ(messageTexts(), QStringList{"获取股票信息失败，请检查网络!"});
    EXPECT_EQ(list()->count(), 1);
}

// After a stock was found, a code the service does not know is refused too: the earlier name must not stand in
// for it, or the unknown code would be watched under that name while the list box never shows it. A record whose
// name field never closed says nothing about the name, so the label keeps what it showed; one whose name field
// closed empty shows that empty name.
TEST_F(SettingsTest, AnUnknownCodeAfterAKnownOneIsRefusedAndAddsNothing) {
    service.records["600998"] = "1,600998,";
    open({"600000"});
    const std::pair<const char*, QString> cases[] = {{"600998", u"浦发银行"_s}, {"600999", QString()}};
    for (const auto& [code, label] : cases) {
        SCOPED_TRACE(code);
        services->messages.clear();
        add(QString::fromLatin1(code));
        EXPECT_EQ(messageTexts(), QStringList{"输入的股票代码不存在，请重新输入!"});
        EXPECT_TRUE(state().lookupname.isEmpty());
        EXPECT_EQ(state().watchcodes, QStringList{"600000"});
        EXPECT_EQ(std::tuple(list()->count(), state().watchnames.size(), state().watchflags.size()),
                  std::tuple(1, 1, 1));
        EXPECT_EQ(w3<QLabel>("Label12")->text(), label);
    }
}

// Saving a list emptied in the window empties the three stock tables, so the removed stocks do not come back.
TEST_F(SettingsTest, SavingAnEmptiedListEmptiesTheStockTables) {
    storePhone(kPhone, "1", "0");
    storeStock("600000", "'1'", "'0000',4,4,5", "'0',10");
    open();
    list()->setCurrentRow(0);
    form3->BitBtn2Click();
    ASSERT_EQ(list()->count(), 0);
    form3->BitBtn3Click();
    for (const char* table : {"第一波", "第二波", "第三波"})
        EXPECT_TRUE(rows(u"select * from "_s + QString::fromUtf8(table)).isEmpty()) << table;
    EXPECT_TRUE(state().watchcodes.isEmpty());
    form1->sendbase();
    EXPECT_TRUE(state().watchcodes.isEmpty());
}

TEST_F(SettingsTest, EntryBoxesTakeDigitsOnly) {
    expectDigitsOnly(w3<QLineEdit>("Edit1"), 6);
    expectDigitsOnly(w4<QLineEdit>("Edit1"), 11);
}

TEST_F(SettingsTest, EditsAndDeletesTouchOnlyTheSelectedStock) {
    open({"600000", "000001"});
    ASSERT_EQ(state().settingsrow, 1);
    for (const char* name : {"CheckBox3", "CheckBox4", "CheckBox1", "CheckBox6"})
        w3(name)->click();
    w3<QComboBox>("ComboBox3")->setCurrentIndex(2);
    form3->ComboBox3Change();
    w3<QComboBox>("ComboBox4")->setCurrentIndex(3);
    form3->ComboBox4Change();
    EXPECT_EQ(state().watchflags, QStringList({"0000", "0101"}));
    EXPECT_EQ(state().watchopenclose + state().watchperiodic + state().watchorderdigits + state().watchinterval,
              QStringList({"1", "0", "0", "1", "4", "6", "10", "60"}));

    // Choosing the first stock shows its own settings and writes nothing.
    list()->setCurrentRow(0);
    EXPECT_EQ(shownSettings(), QStringList({"1", "0", "0", "0", "0", "0", "5", "4", "4", "10"}));
    EXPECT_EQ(state().watchflags, QStringList({"0000", "0101"}));

    form3->BitBtn2Click();
    EXPECT_EQ(state().watchcodes, QStringList{"000001"});
    EXPECT_EQ(w3<QLabel>("Label12")->text(), u"平安银行"_s);
    form3->BitBtn2Click();
    EXPECT_TRUE(state().watchflags.isEmpty());
    EXPECT_EQ(state().settingsrow, -1);
    EXPECT_FALSE(w3("CheckBox1")->isEnabled());
    EXPECT_TRUE(services->messages.empty());
    form3->BitBtn2Click();
    EXPECT_EQ(messageTexts(), QStringList{"请选择要删除的股票"});
}

TEST_F(SettingsTest, SaveWithSmsOnStoresEverythingAndPostsTheWholeSequence) {
    storePhone(kPhone, "0", "1");
    open({"600000", "000001"});
    w3("CheckBox1")->click(); // 平安银行: no open/close broadcast
    w3("CheckBox6")->click(); // 平安银行: periodic broadcast
    w3("CheckBox8")->click(); // alerts on this computer
    state().limitfired = {QStringLiteral("1")};
    form15->show();
    form3->BitBtn3Click();

    EXPECT_EQ(postedPaths(), QStringList({"gpycf.asp", "gpdel1.asp", "gpadd1.asp", "gpdel2.asp", "gpadd2.asp",
                                          "gpadd2.asp", "gpdel3.asp", "gpadd3.asp"}));
    EXPECT_EQ(posts.at(7).body, "sn=13800138000&sjjg=10&gpdm=000001&gpmc=%C6%BD%B0%B2%D2%F8%D0%D0");
    EXPECT_EQ(posts.at(7).header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_FALSE(enabledWhileWaiting.contains(true));
    EXPECT_EQ(rows("select 是否发,股票代码,股票名称 from 第一波 order by ID"),
              QStringList({"1|600000|浦发银行", "0|000001|平安银行"}));
    EXPECT_EQ(rows("select 综合,大单成交,大单买卖,涨跌幅 from 第二波"), QStringList({"0000|4|4|5", "0000|4|4|5"}));
    EXPECT_EQ(rows("select 是否发,时间间隔 from 第三波 order by ID"), QStringList({"0|10", "1|10"}));
    EXPECT_EQ(rows("select 手机号码,本地发,远程发 from 手机"), QStringList{"13800138000|1|1"});
    EXPECT_EQ(form1->statusPanel(1)->text(), u"本机监视股价：启用  手机接收股价：启用"_s);
    EXPECT_EQ(std::tuple(services->messages.at(0).text, services->messages.at(0).caption),
              std::tuple(u"所有记录保存成功！"_s, u"提示"_s));

    EXPECT_FALSE(form3->isVisible());
    expectMonitor(true);
    EXPECT_TRUE(form15->Timer1->isActive());
    EXPECT_EQ(std::tuple(form15->height(), form15->stockLabels().size()), std::tuple(2 * 15 + 120, 12));
    EXPECT_EQ(state().limitfired + state().pctcooldown, QStringList({"0", "0", "-1", "-1"}));
}

// What the save sends for the switch and the number stored: only the switch page with SMS off, the four group
// pages for an empty list, nothing without a number; the local tables are stored in every case.
TEST_F(SettingsTest, SaveSendsWhatTheSwitchAndTheNumberCallFor) {
    const std::tuple<QString, bool, QStringList, QStringList> cases[] = {
        {kPhone, false, {"600000"}, {"gpycf.asp"}},
        {kPhone, true, {}, {"gpycf.asp", "gpdel1.asp", "gpdel2.asp", "gpdel3.asp"}},
        {QString(), true, {"600000"}, {}},
    };
    for (const auto& [number, sms, codes, pages] : cases) {
        SCOPED_TRACE(pages.size());
        runSql({"delete from 第一波", "delete from 第二波", "delete from 第三波"});
        storePhone(number, "0", sms ? "1" : "0");
        posts.clear();
        open(codes);
        form3->BitBtn3Click();
        EXPECT_EQ(postedPaths(), pages);
        if (!sms) {
            EXPECT_EQ(posts.at(0).body, "sn=13800138000&ycf=0");
        }
        EXPECT_EQ(rows("select 股票代码 from 第二波"), codes);
        EXPECT_EQ(rows("select 远程发 from 手机"), QStringList{sms ? "1" : "0"});
        EXPECT_FALSE(form3->isVisible());
    }
}

TEST_F(SettingsTest, APostFailingPartWayKeepsTheLocalSettingsAndTheWindowOpen) {
    storePhone(kPhone, "0", "1");
    failingPost = 3;
    open({"600000", "000001"});
    w3("CheckBox8")->click();
    form3->BitBtn3Click();
    EXPECT_EQ(posts.size(), 3);
    EXPECT_EQ(messageTexts(), QStringList{"当前服务器故障，请联系作者!"});
    EXPECT_EQ(rows("select 股票代码 from 第三波 order by ID"), QStringList({"600000", "000001"}));
    EXPECT_EQ(rows("select 本地发,远程发 from 手机"), QStringList{"1|1"});
    EXPECT_EQ(form1->statusPanel(1)->text(), u"本机监视股价：启用  手机接收股价：启用"_s);
    EXPECT_TRUE(form3->isVisible() && form3->isEnabled());
    expectMonitor(false);

    // Leaving now takes the stored lists, with their alert state, as a save would.
    form3->BitBtn4Click();
    EXPECT_FALSE(form3->isVisible());
    expectMonitor(true);
    EXPECT_EQ(state().watchcodes + state().limitfired, QStringList({"600000", "000001", "0", "0"}));
}

// Both ways of leaving ask first, then restore the stored lists and switch the monitor and the shown widget on.
TEST_F(SettingsTest, LeavingWithoutSavingAsksThenRestoresTheStoredLists) {
    const std::pair<const char*, std::function<void()>> ways[] = {{"BitBtn4", [this] { form3->BitBtn4Click(); }},
                                                                  {"close box", [this] { form3->close(); }}};
    form15->show();
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        services->messages.clear();
        open({"600000"});
        w3("CheckBox8")->click();
        services->answers.push_back(MessageAnswer::Cancel);
        leave();
        EXPECT_TRUE(form3->isVisible());
        ASSERT_EQ(services->messages.size(), 1u);
        EXPECT_EQ(std::tuple(services->messages[0].text, services->messages[0].buttons, services->messages[0].icon),
                  std::tuple(u" 确实不要保存所作的修改吗？"_s, MessageButtons::OkCancel, MessageIcon::Question));
        leave();
        EXPECT_FALSE(form3->isVisible());
        expectMonitor(true);
        EXPECT_TRUE(form15->Timer1->isActive());
        EXPECT_TRUE(state().watchcodes.isEmpty() && state().watchflags.isEmpty() && state().localalerts == 0);
        EXPECT_TRUE(rows("select * from 第一波").isEmpty() && posts.isEmpty());
    }
}

// Settings that cannot be read: the window opens empty and says so, and its save leaves the file as it is.
TEST_F(SettingsTest, UnreadableSettingsOpenAnEmptyWindowThatSaysSoAndSaveNothing) {
    storeStock("600000", "'1'", "'0000',4,4,5", "'0',10");
    runSql({"drop table 第二波", "create table 第二波(ID integer primary key, 其他 int)",
            "insert into 第二波(其他) values(1)"});
    const QByteArray damaged = readBytes(LocalStore::alertDatabaseFile);
    open({"000001"});
    EXPECT_EQ(messageTexts(), QStringList{unreadable(LocalStore::alertDatabaseFile)});
    EXPECT_EQ(state().watchcodes, QStringList{"000001"});
    form3->BitBtn3Click();
    EXPECT_EQ(messageTexts().last(), unreadable(LocalStore::alertDatabaseFile));
    EXPECT_TRUE(posts.isEmpty() && form3->isVisible());
    EXPECT_EQ(readBytes(LocalStore::alertDatabaseFile), damaged);
}

TEST_F(SettingsTest, RegistrationPostsTheNumberAndStoresItEitherWay) {
    for (const bool known : {false, true}) {
        SCOPED_TRACE(known);
        phoneReply = known ? u"对不起，该号码已经存在了"_s : u"OK"_s;
        if (known)
            storePhone(QStringLiteral("13900001111"), "1", "0");
        posts.clear();
        services->messages.clear();
        open();
        form3->Label14Click();
        ASSERT_TRUE(form4->isVisible());
        EXPECT_FALSE(form3->isEnabled());
        EXPECT_EQ(w4<QGroupBox>("GroupBox1")->title(), known ? u"更改手机号码"_s : u"新添加手机号码"_s);
        EXPECT_EQ(w4<QLineEdit>("Edit1")->text(), known ? u"13900001111"_s : QString());
        EXPECT_EQ(w4("Label1")->text(),
                  known ? u"您现在替换要接收股价的手机号码！"_s : u"您尚未添加要接收股价的手机号码！"_s);

        w4<QLineEdit>("Edit1")->setText(kPhone);
        w4<QPushButton>("BitBtn1")->click();
        EXPECT_EQ(postedPaths(), QStringList{"gpaddsj.asp"});
        EXPECT_EQ(posts.at(0).body, QByteArray("sn=13800138000"));
        EXPECT_EQ(enabledWhileWaiting.last(), false);
        EXPECT_EQ(messageTexts(),
                  QStringList{known ? u"13800138000手机号码已存在"_s
                                    : u"13800138000手机号码保存成功,稍候您将收到 \"Brennoc股票\" 字样的飞信邀请"_s});
        EXPECT_EQ(rows("select 手机号码,本地发 from 手机"),
                  QStringList{known ? u"13800138000|1"_s : u"13800138000|"_s});
        EXPECT_FALSE(form4->isVisible());
        EXPECT_TRUE(form3->isEnabled());
        EXPECT_EQ(w3<QLabel>("Label1")->text(), kPhone);
        EXPECT_TRUE(w3("CheckBox7")->isEnabled() && !w3("CheckBox7")->isChecked());
        EXPECT_EQ(state().phoneknown, known ? 1 : 0);
        form3->hide();
    }
}

// The box holds eleven characters at most; anything in it but eleven digits is refused before any request.
TEST_F(SettingsTest, RegistrationRefusesAnythingButElevenDigitsAndSurvivesAFailedPost) {
    open();
    form3->Label14Click();
    for (const char* number : {"1380013800", "1380013800a", "1380013800 ", "１3800138000"}) {
        w4<QLineEdit>("Edit1")->setText(QString::fromUtf8(number));
        form4->BitBtn1Click();
        EXPECT_EQ(messageTexts().last(), QStringLiteral("必须输入11位手机号码!")) << number;
    }
    EXPECT_TRUE(posts.isEmpty());

    failingPost = 1;
    w4<QLineEdit>("Edit1")->setText(kPhone);
    form4->BitBtn1Click();
    EXPECT_EQ(std::tuple(posts.size(), messageTexts().last()), std::tuple(1, u"当前服务器故障，请联系作者!"_s));
    EXPECT_TRUE(rows("select * from 手机").isEmpty());
    EXPECT_TRUE(form4->isVisible() && form4->isEnabled());
    form4->close();
    EXPECT_TRUE(form3->isEnabled());
}

TEST_F(SettingsTest, TheTablesAreRewrittenTogetherOrNotAtAllAndLoadedByTheirCommonPositions) {
    SettingsStore::save(form1->ado, {WatchList::newStock("600000", "浦发银行")}, true, false);
    WatchList::Stock bad = WatchList::newStock("000001", "平安银行");
    bad.interval = QStringLiteral("ten");
    EXPECT_THROW(SettingsStore::save(form1->ado, {bad}, false, true), Failure);
    for (const char* table : {"第一波", "第二波", "第三波"})
        EXPECT_EQ(rows(u"select 股票代码 from "_s + QString::fromUtf8(table)), QStringList{"600000"}) << table;
    EXPECT_EQ(rows("select 本地发,远程发 from 手机"), QStringList{"1|0"});

    runSql({"insert into 第一波(是否发,股票代码,股票名称) values('0','000001','平安银行')"});
    form1->sendbase();
    EXPECT_EQ(state().watchcodes, QStringList{"600000"});
    EXPECT_EQ(state().watchflags + state().watchpct + state().limitfired + state().dealcooldown,
              QStringList({"0000", "5", "0", "-1"}));
}
