// The page shortcuts: each loads its page into its browser (or the default browser) and shows its area.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/tform1_ui.h"

#include <QAction>
#include <QImage>
#include <QPalette>

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

TEST_F(ShortcutsTest, EachSwitchShowsAndHidesItsAreas) {
    Ui::TForm1& ui = *form.ui;
    const QList<QWidget*> areas{ui.Panel16, ui.GroupBox8, ui.Panel21, ui.GroupBox7, ui.GroupBox1};
    struct Case {
        const char* what;
        void (TForm1::*handler)();
        QString before; // one letter per area above: "v" shown, "h" hidden
        QString after;
    };
    const Case cases[] = {
        {"Button4", &TForm1::Button4Click, "vvvvv", "hvvvv"},
        {"BitBtn4", &TForm1::BitBtn4Click, "vvvvv", "vhvvv"},
        {"Label47", &TForm1::Label47Click, "hhhvh", "hhhhv"},
        {"Label47 keeps the pool panel", &TForm1::Label47Click, "vvvvh", "vvvhv"},
        {"Label56", &TForm1::Label56Click, "hhhhv", "hhvvh"},
        {"Label56 keeps the page areas", &TForm1::Label56Click, "vvhhv", "vvvvh"},
        {"ToolButton13", &TForm1::ToolButton13Click, "hvvvv", "vhvvv"},
        {"ToolButton14", &TForm1::ToolButton14Click, "vhvvv", "hvvvv"},
        {"Label51", &TForm1::Label51Click, "hhvhv", "hhhvh"},
    };
    const auto states = [&] {
        QString letters;
        for (const QWidget* area : areas)
            letters += area->isHidden() ? u'h' : u'v';
        return letters;
    };
    for (const Case& c : cases) {
        for (qsizetype i = 0; i < areas.size(); ++i)
            areas[i]->setHidden(c.before[i] == u'h');
        (form.*c.handler)();
        EXPECT_EQ(states().toStdString(), c.after.toStdString()) << c.what;
    }
    EXPECT_EQ(fake(form.WebBrowser9)->navigations.value(0),
              "http://127.0.0.1:9/watched/plus/list.php?tid=26&TotalResult=1459&PageNo=1");
}

TEST_F(ShortcutsTest, PageAreasPaintTheirBackgroundOverWhatTheyCover) {
    Ui::TForm1& ui = *form.ui;
    struct Case {
        const char* what;
        void (TForm1::*handler)();
        QWidget* area;
        QPoint bare; // a point of the area that none of its own widgets covers
    };
    const Case cases[] = {{"Panel16", &TForm1::ToolButton13Click, ui.Panel16, {800, 15}},
                          {"GroupBox8", &TForm1::ToolButton14Click, ui.GroupBox8, {800, 20}},
                          {"Panel21", &TForm1::Label56Click, ui.Panel21, {508, 35}}};
    for (const Case& c : cases) {
        // Made after the area, as the ranking board's labels and the browsers' views are, so it lies over it.
        QWidget beneath(c.area->parentWidget());
        beneath.setGeometry(c.area->geometry());
        beneath.setAutoFillBackground(true);
        QPalette red = beneath.palette();
        red.setColor(QPalette::Window, Qt::red);
        beneath.setPalette(red);
        beneath.show();
        (form.*c.handler)();
        // The areas' own backgrounds are greys: no red of what lies beneath shows through.
        const QColor pixel = c.area->parentWidget()->grab(c.area->geometry()).toImage().pixelColor(c.bare);
        EXPECT_TRUE(pixel.red() == pixel.green() && pixel.green() == pixel.blue())
            << c.what << " " << pixel.name().toStdString();
    }
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
