// The page shortcuts: each loads its page into its browser (or the default browser) and shows its area.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/tform1_ui.h"

#include <QAction>

namespace {

class ShortcutsTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Clock::setForTests(QDateTime(QDate(2024, 3, 1), QTime(10, 0)));
        Hosts::setSitesOverrideForTests(QStringLiteral("http://127.0.0.1:9"));
        form.state.curcode = QStringLiteral("600000");
    }
    void TearDown() override {
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    RecordingForm1 form;
};

} // namespace

TEST_F(ShortcutsTest, EveryShortcutLoadsItsPage) {
    struct Case {
        void (TForm1::*handler)();
        std::unique_ptr<WebBrowser> TForm1::*browser;
        const char* address;
        int top; // where WebBrowser9 stands; 0 for the other browsers
    };
    const Case cases[] = {
        {&TForm1::Button2Click, &TForm1::WebBrowser9, "portal/a/20240229/", 2},
        {&TForm1::Button1Click, &TForm1::WebBrowser9, "watched/plus/list.php?tid=26&TotalResult=1459&PageNo=1", -70},
        {&TForm1::Button3Click, &TForm1::WebBrowser9, "research1/sfqy/default.html", 2},
        {&TForm1::Button5Click, &TForm1::WebBrowser9, "research2/djm/jgnc/view.asp", 2},
        {&TForm1::ToolButton14Click, &TForm1::WebBrowser8, "stockdata/dpzj", 0},
        {&TForm1::BitBtn2Click, &TForm1::WebBrowser8, "stockdata/bkzj", 0},
        {&TForm1::BitBtn3Click, &TForm1::WebBrowser8, "stockdata/sjps/sz.html", 0},
        {&TForm1::BitBtn6Click, &TForm1::WebBrowser8, "stockdata/cyb", 0},
        {&TForm1::BitBtn5Click, &TForm1::WebBrowser8, "stockdata/ggcx/index.asp?dm=600000", 0},
        {&TForm1::Label51Click, &TForm1::WebBrowser7, "stockpool/dxdf/admin/gb2312/StockList_1.asp", 0},
        {&TForm1::Label46Click, &TForm1::WebBrowser7, "stockpool/dxdf/admin/gb2312/StockList_2.asp", 0},
    };
    for (const Case& c : cases) {
        (form.*c.handler)();
        FakeWebBrowser* browser = fake(form.*c.browser);
        EXPECT_EQ(browser->navigations.last(), QStringLiteral("http://127.0.0.1:9/") + c.address);
        if (c.top != 0) {
            EXPECT_EQ(browser->widget()->geometry(), QRect(0, c.top, 927, c.top == 2 ? 498 : 658)) << c.address;
        }
    }
    form.N16->trigger();
    EXPECT_EQ(services->openedUrls.value(0).toString(), "http://127.0.0.1:9/portal/a/20240229/");
}

TEST_F(ShortcutsTest, TheListButtonRefreshesOnlyTheListPage) {
    const FakeWebBrowser* browser = fake(form.WebBrowser9);
    form.ToolButton14Click();
    form.ToolButton13Click();
    form.ToolButton13Click();
    EXPECT_TRUE(form.ui->GroupBox8->isHidden() && !form.ui->Panel16->isHidden());
    EXPECT_EQ(browser->refreshes, 1);
    form.Button2Click();
    form.ToolButton13Click(); // the digest is up: the list page is loaded again, not the digest refreshed
    EXPECT_EQ(browser->refreshes, 1);
    EXPECT_EQ(browser->navigations.size(), 3);
}
