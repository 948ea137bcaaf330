// The watch-list alert settings: the settings window (opening, adding, editing, deleting, leaving), the save
// with its back-end synchronisation, the phone dialog, and the tables behind them. The windows run offscreen
// against a loopback server standing for the quote service and the back-end.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "platform/gbk.h"
#include "quotes/settingsstore.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/tform4.h"
#include "support/servers/httpserver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <map>
#include <utility>

namespace {

const QString kPhone = QStringLiteral("13800138000");

// The main window with the real loading of the settings; its other subsystems stay recorded.
class SettingsForm1 : public RecordingForm1 {
public:
    void sendbase() override { TForm1::sendbase(); }
};

// One quote record as the quote service sends it (UTF-8), every field closed.
QByteArray quoteRecord(const QString& code, const QString& name, const QString& price, const QString& change) {
    return (QStringList{"1", code, name, price, change}.join(u',') + QString(",0").repeated(15) + u',').toUtf8();
}

class SettingsTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        server.route("/quotes/EM_Quote2007/optional.aspx", [this](const Loopback::HttpRequest& request) {
            enabledWhileWaiting << Form3->isEnabled();
            const auto found = quotes.find(QString::fromLatin1(request.queryValue("fav")));
            return found == quotes.end() ? Loopback::HttpReply::html(quoteRecord(QString(), QString(), {}, {}))
                                         : Loopback::HttpReply::html(found->second);
        });
        server.routePrefix("/backend/", [this](const Loopback::HttpRequest& request) {
            enabledWhileWaiting << (Form4 && Form4->isVisible() ? Form4->isEnabled() : Form3->isEnabled());
            posts << request;
            if (posts.size() == failingPost)
                return Loopback::HttpReply::error(500);
            return Loopback::HttpReply::html(Gbk::encode(phoneReply));
        });
        quotes[QStringLiteral("600000")] = quoteRecord("600000", "浦发银行", "10.50", "1.23%");
        quotes[QStringLiteral("000001")] = quoteRecord("000001", "平安银行", "12.00", "-0.50%");
        quotes[QStringLiteral("600016")] = quoteRecord("600016", "民生银行", "4.10", "0");

        form1 = std::make_unique<SettingsForm1>();
        Form1 = form1.get();
        form1->createbase();
        Form3 = new TForm3;
        Form4 = new TForm4;
        Form15 = new TForm15;
        setWindowsCreated(true);
    }

    void TearDown() override {
        setWindowsCreated(false);
        delete std::exchange(Form15, nullptr);
        delete std::exchange(Form4, nullptr);
        delete std::exchange(Form3, nullptr);
        Form1 = nullptr;
        form1.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    UnitState& state() { return form1->state; }
    template <typename Widget = QWidget> Widget* w3(const char* name) { return widgetNamed<Widget>(Form3, name); }
    template <typename Widget = QWidget> Widget* w4(const char* name) { return widgetNamed<Widget>(Form4, name); }

    static void runSql(const QStringList& statements) { Form1Test::runSql(LocalStore::alertDatabaseFile, statements); }
    static QStringList rows(const QString& sql) { return sqlRows(LocalStore::alertDatabaseFile, sql); }

    void storePhone(const QString& number, const QString& local, const QString& sms) {
        runSql({QStringLiteral("insert into 手机(手机号码,本地发,远程发) values('%1','%2','%3')")
                    .arg(number, local, sms)});
    }

    // A stock in the three stock tables as an earlier run left them: `first`, `second` and `third` are the values
    // before the code and name in 第一波, 第二波 and 第三波.
    static void storeStock(const QString& code, const QString& name, const QString& first, const QString& second,
                           const QString& third) {
        const QString stock = QStringLiteral(",'%1','%2')").arg(code, name);
        runSql({"insert into 第一波(是否发,股票代码,股票名称) values(" + first + stock,
                "insert into 第二波(综合,大单成交,大单买卖,涨跌幅,股票代码,股票名称) values(" + second + stock,
                "insert into 第三波(是否发,时间间隔,股票代码,股票名称) values(" + third + stock});
    }

    // Opens the settings window and adds the stocks, in order.
    void open(const QStringList& codes = {}) {
        form1->N17Click();
        ASSERT_TRUE(Form3->isVisible());
        for (const QString& code : codes)
            add(code);
    }

    void add(const QString& code) {
        w3<QLineEdit>("Edit1")->setText(code);
        w3<QPushButton>("BitBtn1")->click();
    }

    // The back-end pages posted to, without the back-end's own prefix (only back-end requests are in `posts`).
    QStringList postedPaths() const {
        QStringList paths;
        for (const Loopback::HttpRequest& request : posts)
            paths << QString::fromLatin1(request.path).remove(QStringLiteral("/backend/"));
        return paths;
    }

    void expectMonitorStopped() {
        EXPECT_FALSE(form1->isEnabled());
        EXPECT_FALSE(form1->Timer4->isActive());
        EXPECT_FALSE(form1->Timer5->isActive());
        EXPECT_FALSE(Form15->Timer1->isActive());
    }

    void expectMonitorRunning() {
        EXPECT_TRUE(form1->isEnabled());
        EXPECT_TRUE(form1->Timer4->isActive());
        EXPECT_TRUE(form1->Timer5->isActive());
    }

    Loopback::HttpServer server;
    std::map<QString, QByteArray> quotes;
    QList<Loopback::HttpRequest> posts;
    int failingPost = 0; // the back-end request (counted from 1) that gets an error status; 0 none
    QString phoneReply = QStringLiteral("OK");
    QList<bool> enabledWhileWaiting; // whether the waiting window was usable, per request
    std::unique_ptr<SettingsForm1> form1;
};

} // namespace

TEST_F(SettingsTest, OpeningWithoutAPhoneRowStopsTheMonitorAndShowsThePlaceholder) {
    form1->Timer4->start();
    form1->Timer5->start();
    Form15->Timer1->start();
    state().watchcodes = {QStringLiteral("stale")};
    form1->ui->ToolButton5->click();

    ASSERT_TRUE(Form3->isVisible());
    expectMonitorStopped();
    EXPECT_EQ(state().widgetcount, 1);
    EXPECT_TRUE(state().watchcodes.isEmpty());
    EXPECT_EQ(state().settingsrow, -1);
    EXPECT_EQ(state().phoneknown, 0);
    EXPECT_EQ(state().smsalerts, 0);
    EXPECT_EQ(state().localalerts, 0);
    EXPECT_EQ(w3<QLabel>("Label1")->text(), QStringLiteral("13900000000"));
    EXPECT_FALSE(w3<QCheckBox>("CheckBox7")->isChecked());
    EXPECT_FALSE(w3<QCheckBox>("CheckBox8")->isChecked());
    for (const char* name : {"CheckBox1", "CheckBox6", "CheckBox7", "ComboBox1", "ComboBox4"})
        EXPECT_FALSE(w3(name)->isEnabled()) << name;
}

TEST_F(SettingsTest, OpeningShowsTheStoredStocksAndSwitches) {
    storePhone(kPhone, "1", "0");
    storeStock("600000", "浦发银行", "'0'", "'1010',5,6,7", "'1',30");
    open();
    EXPECT_EQ(w3<QLabel>("Label1")->text(), kPhone);
    EXPECT_TRUE(w3("CheckBox7")->isEnabled());
    EXPECT_TRUE(w3<QCheckBox>("CheckBox8")->isChecked());
    EXPECT_EQ(state().phoneknown, 1);
    ASSERT_EQ(w3<QListWidget>("ListBox1")->count(), 1);
    EXPECT_EQ(w3<QListWidget>("ListBox1")->item(0)->text(), QStringLiteral("浦发银行(600000)"));

    w3<QListWidget>("ListBox1")->setCurrentRow(0);
    EXPECT_EQ(state().settingsrow, 0);
    EXPECT_EQ(w3<QLabel>("Label12")->text(), QStringLiteral("浦发银行"));
    const std::pair<const char*, bool> boxes[] = {{"CheckBox1", false}, {"CheckBox2", true},  {"CheckBox4", false},
                                                  {"CheckBox5", true},  {"CheckBox3", false}, {"CheckBox6", true}};
    for (const auto& [name, checked] : boxes)
        EXPECT_EQ(w3<QCheckBox>(name)->isChecked(), checked) << name;
    EXPECT_EQ(w3<QComboBox>("ComboBox1")->currentText(), QStringLiteral("7"));
    EXPECT_EQ(w3<QComboBox>("ComboBox2")->currentText(), QStringLiteral("5"));
    EXPECT_EQ(w3<QComboBox>("ComboBox3")->currentText(), QStringLiteral("6"));
    EXPECT_EQ(w3<QComboBox>("ComboBox4")->currentText(), QStringLiteral("30"));

    // A second opening while the window is shown changes nothing.
    add(QStringLiteral("000001"));
    form1->N17Click();
    EXPECT_EQ(w3<QListWidget>("ListBox1")->count(), 2);
    EXPECT_EQ(state().watchcodes.size(), 2);
}

TEST_F(SettingsTest, AddingRefusesBadCodesAndShowsTheDefaults) {
    // A record with a name but no field 5 is no stock: the look-up counts only once the change arrived.
    quotes[QStringLiteral("600001")] = QStringLiteral("1,600001,短记录,10.00,").toUtf8();
    open();
    add(QStringLiteral("60000"));
    EXPECT_TRUE(server.requests().isEmpty());
    add(QStringLiteral("600999"));
    EXPECT_EQ(server.requests().size(), 1);
    state().lookupname = QStringLiteral("earlier");
    add(QStringLiteral("600001"));
    EXPECT_TRUE(state().lookupname.isEmpty());
    EXPECT_EQ(w3<QListWidget>("ListBox1")->count(), 0);
    add(QStringLiteral("600000"));
    add(QStringLiteral("600000"));
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_EQ(messageTexts(), QStringList({"必须输入六位股票代码!", "输入的股票代码不存在，请重新输入!",
                                           "输入的股票代码不存在，请重新输入!", "该股票已存在，请重新输入!"}));
    EXPECT_EQ(enabledWhileWaiting, QList<bool>({false, false, false}));
    EXPECT_TRUE(Form3->isEnabled());

    EXPECT_EQ(state().watchcodes, QStringList{"600000"});
    EXPECT_EQ(state().watchnames, QStringList{"浦发银行"});
    EXPECT_EQ(state().lookupname, QStringLiteral("浦发银行"));
    EXPECT_EQ(state().settingsrow, 0);
    EXPECT_EQ(w3<QListWidget>("ListBox1")->currentRow(), 0);
    EXPECT_EQ(w3<QLabel>("Label13")->text(), QStringLiteral("最新价:10.50元"));
    EXPECT_TRUE(w3<QCheckBox>("CheckBox1")->isChecked());
    for (const char* name : {"CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"})
        EXPECT_FALSE(w3<QCheckBox>(name)->isChecked()) << name;
    const std::pair<const char*, const char*> combos[] = {
        {"ComboBox1", "5"}, {"ComboBox2", "4"}, {"ComboBox3", "4"}, {"ComboBox4", "10"}};
    for (const auto& [name, text] : combos) {
        EXPECT_EQ(w3<QComboBox>(name)->currentText(), QString::fromLatin1(text)) << name;
        EXPECT_TRUE(w3(name)->isEnabled()) << name;
    }

    // A look-up that fails on the network is reported as such and adds nothing.
    server.route("/quotes/EM_Quote2007/optional.aspx",
                 [](const Loopback::HttpRequest&) { return Loopback::HttpReply::error(503); });
    services->messages.clear();
    add(QStringLiteral("000001"));
    EXPECT_EQ(messageTexts(), QStringList{"获取股票信息失败，请检查网络!"});
    EXPECT_EQ(services->messages.at(0).caption, QStringLiteral("错误"));
    EXPECT_EQ(state().watchcodes, QStringList{"600000"});
    EXPECT_EQ(w3<QListWidget>("ListBox1")->count(), 1);
    EXPECT_TRUE(Form3->isEnabled());
}

TEST_F(SettingsTest, EachEditWritesOnlyItsOwnEntry) {
    open({"600000", "000001"});
    ASSERT_EQ(state().settingsrow, 1);
    w3<QCheckBox>("CheckBox3")->click();
    EXPECT_EQ(state().watchflags, QStringList({"0000", "0001"}));
    w3<QCheckBox>("CheckBox4")->click();
    EXPECT_EQ(state().watchflags, QStringList({"0000", "0101"}));
    w3<QCheckBox>("CheckBox1")->click();
    w3<QCheckBox>("CheckBox6")->click();
    w3<QComboBox>("ComboBox3")->setCurrentIndex(2);
    Form3->ComboBox3Change();
    w3<QComboBox>("ComboBox4")->setCurrentIndex(3);
    Form3->ComboBox4Change();
    EXPECT_EQ(state().watchopenclose, QStringList({"1", "0"}));
    EXPECT_EQ(state().watchperiodic, QStringList({"0", "1"}));
    EXPECT_EQ(state().watchorderdigits, QStringList({"4", "6"}));
    EXPECT_EQ(state().watchinterval, QStringList({"10", "60"}));
    EXPECT_EQ(state().watchdealdigits, QStringList({"4", "4"}));

    // Choosing the first stock shows its own settings and writes nothing.
    w3<QListWidget>("ListBox1")->setCurrentRow(0);
    EXPECT_FALSE(w3<QCheckBox>("CheckBox3")->isChecked());
    EXPECT_EQ(w3<QComboBox>("ComboBox4")->currentText(), QStringLiteral("10"));
    EXPECT_EQ(state().watchflags, QStringList({"0000", "0101"}));

    w3<QCheckBox>("CheckBox8")->click();
    EXPECT_EQ(state().localalerts, 1);
}

TEST_F(SettingsTest, DeletingTheOnlyStockLeavesNoSelection) {
    open({"600000", "000001"});
    w3<QListWidget>("ListBox1")->setCurrentRow(1);
    Form3->BitBtn2Click();
    EXPECT_EQ(state().watchcodes, QStringList{"600000"});
    EXPECT_EQ(state().settingsrow, 0);
    EXPECT_EQ(w3<QLabel>("Label12")->text(), QStringLiteral("浦发银行"));

    Form3->BitBtn2Click();
    EXPECT_TRUE(state().watchcodes.isEmpty());
    EXPECT_TRUE(state().watchflags.isEmpty());
    EXPECT_EQ(state().settingsrow, -1);
    EXPECT_EQ(w3<QListWidget>("ListBox1")->count(), 0);
    EXPECT_FALSE(w3("CheckBox1")->isEnabled());
    EXPECT_TRUE(services->messages.empty());
    Form3->BitBtn2Click();
    EXPECT_EQ(messageTexts(), QStringList{"请选择要删除的股票"});
}

TEST_F(SettingsTest, SaveWithSmsOnStoresEverythingAndPostsTheWholeSequence) {
    storePhone(kPhone, "0", "1");
    open({"600000", "000001"});
    w3<QCheckBox>("CheckBox1")->click(); // 平安银行: no open/close broadcast
    w3<QCheckBox>("CheckBox6")->click(); // 平安银行: periodic broadcast
    w3<QCheckBox>("CheckBox8")->click(); // alerts on this computer
    state().limitfired = {QStringLiteral("1")};
    Form3->BitBtn3Click();

    EXPECT_EQ(postedPaths(), QStringList({"gpycf.asp", "gpdel1.asp", "gpadd1.asp", "gpdel2.asp", "gpadd2.asp",
                                          "gpadd2.asp", "gpdel3.asp", "gpadd3.asp"}));
    const QByteArray pufa = "%C6%D6%B7%A2%D2%F8%D0%D0";
    const QByteArray pingan = "%C6%BD%B0%B2%D2%F8%D0%D0";
    EXPECT_EQ(posts.at(0).body, QByteArray("sn=13800138000&ycf=1"));
    EXPECT_EQ(posts.at(2).body, "sn=13800138000&gpmc=" + pufa + "&gpdm=600000");
    EXPECT_EQ(posts.at(5).body, "sn=13800138000&zh=0000&ddcj=4&ddmm=4&zdf=5&gpmc=" + pingan + "&gpdm=000001");
    EXPECT_EQ(posts.at(7).body, "sn=13800138000&sjjg=10&gpdm=000001&gpmc=" + pingan);
    for (const Loopback::HttpRequest& post : posts) {
        EXPECT_EQ(post.method, QByteArray("POST"));
        EXPECT_EQ(post.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    }
    EXPECT_FALSE(enabledWhileWaiting.contains(true));

    EXPECT_EQ(rows("select 是否发,股票代码,股票名称 from 第一波 order by ID"),
              QStringList({"1|600000|浦发银行", "0|000001|平安银行"}));
    EXPECT_EQ(rows("select 综合,大单成交,大单买卖,涨跌幅,股票代码 from 第二波 order by ID"),
              QStringList({"0000|4|4|5|600000", "0000|4|4|5|000001"}));
    EXPECT_EQ(rows("select 是否发,时间间隔,股票代码 from 第三波 order by ID"),
              QStringList({"0|10|600000", "1|10|000001"}));
    EXPECT_EQ(rows("select 手机号码,本地发,远程发 from 手机"), QStringList{"13800138000|1|1"});
    EXPECT_EQ(form1->statusPanel(1)->text(), QStringLiteral("本机监视股价：启用  手机接收股价：启用"));
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].text, QStringLiteral("所有记录保存成功！"));
    EXPECT_EQ(services->messages[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(services->messages[0].icon, MessageIcon::Information);

    EXPECT_FALSE(Form3->isVisible());
    expectMonitorRunning();
    EXPECT_EQ(Form15->height(), 2 * 15 + 120);
    EXPECT_EQ(Form15->stockLabels().size(), 12);
    EXPECT_EQ(state().watchcodes, QStringList({"600000", "000001"}));
    EXPECT_EQ(state().limitfired, QStringList({"0", "0"}));
    EXPECT_EQ(state().pctcooldown, QStringList({"-1", "-1"}));
    EXPECT_EQ(state().localalerts, 1);
}

TEST_F(SettingsTest, SaveWithSmsOffPostsOnlyTheSwitch) {
    storePhone(kPhone, "1", "1");
    open({"600000"});
    w3<QCheckBox>("CheckBox7")->click();
    Form3->BitBtn3Click();
    ASSERT_EQ(postedPaths(), QStringList{"gpycf.asp"});
    EXPECT_EQ(posts.at(0).body, QByteArray("sn=13800138000&ycf=0"));
    EXPECT_EQ(rows("select 本地发,远程发 from 手机"), QStringList{"1|0"});
}

TEST_F(SettingsTest, AnEmptyListWithSmsOnSendsTheFourPagesOnly) {
    storePhone(kPhone, "0", "1");
    storeStock("600000", "浦发银行", "'1'", "'0000',4,4,5", "'0',10");
    open();
    w3<QListWidget>("ListBox1")->setCurrentRow(0);
    Form3->BitBtn2Click();
    Form3->BitBtn3Click();
    EXPECT_EQ(postedPaths(), QStringList({"gpycf.asp", "gpdel1.asp", "gpdel2.asp", "gpdel3.asp"}));
    for (const char* table : {"第一波", "第二波", "第三波"})
        EXPECT_TRUE(rows(QStringLiteral("select * from ") + QString::fromUtf8(table)).isEmpty()) << table;
}

TEST_F(SettingsTest, WithoutAStoredNumberNothingIsSentButEverythingIsStored) {
    runSql({"insert into 手机(本地发,远程发) values('0','1')"});
    open();
    EXPECT_FALSE(w3("CheckBox7")->isEnabled());
    EXPECT_TRUE(w3<QCheckBox>("CheckBox7")->isChecked());
    add(QStringLiteral("600000"));
    w3<QCheckBox>("CheckBox8")->click();
    Form3->BitBtn3Click();
    EXPECT_TRUE(posts.isEmpty());
    EXPECT_EQ(rows("select 股票代码 from 第二波"), QStringList{"600000"});
    EXPECT_EQ(rows("select 本地发,远程发 from 手机"), QStringList{"1|1"});
    EXPECT_EQ(messageTexts(), QStringList{"所有记录保存成功！"});
    EXPECT_FALSE(Form3->isVisible());
}

TEST_F(SettingsTest, APostFailingPartWayKeepsTheLocalSettingsAndTheWindowOpen) {
    for (const int failing : {1, 3, 6}) {
        SCOPED_TRACE(failing);
        posts.clear();
        services->messages.clear();
        runSql({"delete from 手机", "delete from 第一波", "delete from 第二波", "delete from 第三波"});
        storePhone(kPhone, "0", "1");
        failingPost = failing;
        open({"600000", "000001"});
        w3<QCheckBox>("CheckBox8")->click();
        Form3->BitBtn3Click();

        EXPECT_EQ(posts.size(), failing);
        EXPECT_EQ(messageTexts(), QStringList{"当前服务器故障，请联系作者!"});
        EXPECT_EQ(services->messages.at(0).icon, MessageIcon::Error);
        EXPECT_EQ(rows("select 股票代码 from 第一波 order by ID"), QStringList({"600000", "000001"}));
        EXPECT_EQ(rows("select 股票代码 from 第三波 order by ID"), QStringList({"600000", "000001"}));
        EXPECT_EQ(rows("select 本地发,远程发 from 手机"), QStringList{"1|1"});
        EXPECT_EQ(form1->statusPanel(1)->text(), QStringLiteral("本机监视股价：启用  手机接收股价：启用"));
        EXPECT_TRUE(Form3->isVisible());
        EXPECT_TRUE(Form3->isEnabled());
        expectMonitorStopped();

        // Leaving now takes the stored lists, with their alert state, as a save would.
        services->answers.push_back(MessageAnswer::Ok);
        Form3->BitBtn4Click();
        EXPECT_FALSE(Form3->isVisible());
        expectMonitorRunning();
        EXPECT_EQ(state().watchcodes, QStringList({"600000", "000001"}));
        EXPECT_EQ(state().limitfired, QStringList({"0", "0"}));
    }
}

// Both ways of leaving ask first, then restore the stored lists and switch the monitor and the shown widget on.
TEST_F(SettingsTest, LeavingWithoutSavingAsksThenRestoresTheStoredLists) {
    const std::pair<const char*, std::function<void()>> ways[] = {{"BitBtn4", [] { Form3->BitBtn4Click(); }},
                                                                  {"close box", [] { Form3->close(); }}};
    storePhone(kPhone, "0", "0");
    Form15->show();
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        services->messages.clear();
        Form15->Timer1->start();
        open({"600000"});
        w3<QCheckBox>("CheckBox8")->click();

        services->answers.push_back(MessageAnswer::Cancel);
        leave();
        EXPECT_TRUE(Form3->isVisible());
        ASSERT_EQ(services->messages.size(), 1u);
        EXPECT_EQ(services->messages[0].text, QStringLiteral(" 确实不要保存所作的修改吗？"));
        EXPECT_EQ(services->messages[0].buttons, MessageButtons::OkCancel);
        EXPECT_EQ(services->messages[0].icon, MessageIcon::Question);
        EXPECT_EQ(state().watchcodes.size(), 1);

        services->answers.push_back(MessageAnswer::Ok);
        leave();
        EXPECT_FALSE(Form3->isVisible());
        expectMonitorRunning();
        EXPECT_TRUE(Form15->Timer1->isActive());
        EXPECT_TRUE(state().watchcodes.isEmpty());
        EXPECT_TRUE(state().watchflags.isEmpty());
        EXPECT_EQ(state().localalerts, 0);
        EXPECT_TRUE(rows("select * from 第一波").isEmpty());
        EXPECT_TRUE(posts.isEmpty());
    }
    Form15->hide();
}

TEST_F(SettingsTest, RegistrationPostsTheNumberAndCreatesThePhoneRow) {
    phoneReply = QStringLiteral("对不起，该号码已经存在了");
    open();
    Form3->Label14Click();
    ASSERT_TRUE(Form4->isVisible());
    EXPECT_FALSE(Form3->isEnabled());
    EXPECT_EQ(w4<QGroupBox>("GroupBox1")->title(), QStringLiteral("新添加手机号码"));
    EXPECT_EQ(w4<QLabel>("Label1")->text(), QStringLiteral("您尚未添加要接收股价的手机号码！"));
    EXPECT_TRUE(w4<QLineEdit>("Edit1")->text().isEmpty());

    w4<QLineEdit>("Edit1")->setText(kPhone);
    w4<QPushButton>("BitBtn1")->click();
    ASSERT_EQ(postedPaths(), QStringList{"gpaddsj.asp"});
    EXPECT_EQ(posts.at(0).body, QByteArray("sn=13800138000"));
    EXPECT_EQ(enabledWhileWaiting, QList<bool>{false});
    EXPECT_EQ(messageTexts(), QStringList{"13800138000手机号码已存在"});
    EXPECT_EQ(rows("select 手机号码 from 手机"), QStringList{kPhone});
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_TRUE(Form3->isEnabled());
    EXPECT_EQ(w3<QLabel>("Label1")->text(), kPhone);
    EXPECT_TRUE(w3("CheckBox7")->isEnabled());
    EXPECT_FALSE(w3<QCheckBox>("CheckBox7")->isChecked());
    EXPECT_EQ(state().phoneknown, 0);

    // The save now has a number to send to.
    Form3->BitBtn3Click();
    EXPECT_EQ(postedPaths().last(), QStringLiteral("gpycf.asp"));
    EXPECT_EQ(posts.last().body, QByteArray("sn=13800138000&ycf=0"));
}

TEST_F(SettingsTest, RegistrationOfANewNumberReplacesTheStoredOne) {
    storePhone(QStringLiteral("13900001111"), "1", "0");
    open();
    Form3->Label14Click();
    EXPECT_EQ(w4<QGroupBox>("GroupBox1")->title(), QStringLiteral("更改手机号码"));
    EXPECT_EQ(w4<QLineEdit>("Edit1")->text(), QStringLiteral("13900001111"));
    EXPECT_EQ(w4<QLabel>("Label1")->text(), QStringLiteral("您现在替换要接收股价的手机号码！"));

    w4<QLineEdit>("Edit1")->setText(kPhone);
    Form4->BitBtn1Click();
    EXPECT_EQ(messageTexts(), QStringList{"13800138000手机号码保存成功,稍候您将收到 \"Brennoc股票\" 字样的飞信邀请"});
    EXPECT_EQ(rows("select 手机号码,本地发 from 手机"), QStringList{"13800138000|1"});
}

TEST_F(SettingsTest, RegistrationRefusesAWrongLengthAndSurvivesAFailedPost) {
    open();
    Form3->Label14Click();
    w4<QLineEdit>("Edit1")->setText(QStringLiteral("1380013800"));
    Form4->BitBtn1Click();
    EXPECT_TRUE(posts.isEmpty());
    EXPECT_EQ(messageTexts(), QStringList{"必须输入11位手机号码!"});

    failingPost = 1;
    w4<QLineEdit>("Edit1")->setText(kPhone);
    Form4->BitBtn1Click();
    EXPECT_EQ(posts.size(), 1);
    EXPECT_EQ(messageTexts().last(), QStringLiteral("当前服务器故障，请联系作者!"));
    EXPECT_TRUE(rows("select * from 手机").isEmpty());
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_TRUE(Form4->isEnabled());
    EXPECT_EQ(w3<QLabel>("Label1")->text(), QStringLiteral("13900000000"));

    Form4->close();
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_TRUE(Form3->isEnabled());
}

TEST_F(SettingsTest, TheStockTablesAreRewrittenTogetherOrNotAtAll) {
    SettingsStore::save(form1->ado, {WatchList::newStock("600000", "浦发银行")}, true, false);
    WatchList::Stock bad = WatchList::newStock("000001", "平安银行");
    bad.interval = QStringLiteral("ten");
    EXPECT_THROW(SettingsStore::save(form1->ado, {WatchList::newStock("600016", "民生银行"), bad}, false, true),
                 Failure);
    for (const char* table : {"第一波", "第二波", "第三波"})
        EXPECT_EQ(rows(QStringLiteral("select 股票代码 from ") + QString::fromUtf8(table)), QStringList{"600000"})
            << table;
    EXPECT_EQ(rows("select 本地发,远程发 from 手机"), QStringList{"1|0"});
}

TEST_F(SettingsTest, LoadingTakesOnlyThePositionsEveryTableHolds) {
    storeStock("600000", "浦发银行", "'1'", "'1000',5,4,3", "'0',20");
    runSql({"insert into 第一波(是否发,股票代码,股票名称) values('0','000001','平安银行')",
            "insert into 第二波(综合,大单成交,大单买卖,涨跌幅,股票代码,股票名称) "
            "values('0100',4,4,5,'000001','平安银行')"});
    form1->sendbase();
    EXPECT_EQ(state().watchcodes, QStringList{"600000"});
    EXPECT_EQ(state().watchflags, QStringList{"1000"});
    EXPECT_EQ(state().watchpct, QStringList{"3"});
    EXPECT_EQ(state().watchinterval, QStringList{"20"});
    EXPECT_EQ(state().limitfired, QStringList{"0"});
    EXPECT_EQ(state().dealcooldown, QStringList{"-1"});
}

TEST_F(SettingsTest, ARecordWithoutANameEmptiesTheNameLabel) {
    quotes[QStringLiteral("600998")] = "1,600998,";             // too short to reach the name
    quotes[QStringLiteral("600999")] = "1,600999,,,,,,,,,,,,,"; // the service's answer for a code it does not know
    open();
    const auto nameAfterAdding = [this](const QString& code) {
        add(code);
        return w3<QLabel>("Label12")->text();
    };
    EXPECT_EQ(nameAfterAdding(QStringLiteral("600000")), QStringLiteral("浦发银行"));
    // The name field never closed: the label keeps what it showed.
    EXPECT_EQ(nameAfterAdding(QStringLiteral("600998")), QStringLiteral("浦发银行"));
    // The name field closed empty: the label shows that empty name beside the refusal.
    EXPECT_EQ(nameAfterAdding(QStringLiteral("600999")), QString());
    EXPECT_EQ(messageTexts(), QStringList({"输入的股票代码不存在，请重新输入!", "输入的股票代码不存在，请重新输入!"}));
    EXPECT_EQ(form1->state.watchcodes, QStringList{"600000"});
}
