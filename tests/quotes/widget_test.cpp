// The desktop price widget: what a record writes on a row, the switch on the main window, and the
// one-stock-per-second tick against a quote service on 127.0.0.1.
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "platform/formats.h"
#include "platform/screen.h"
#include "quotes/tform15.h"
#include "quotes/widgetlayout.h"
#include "support/servers/httpserver.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

namespace {

const QByteArray quotePath = "/quotes/EM_Quote2007/optional.aspx";

const QString rising = QStringLiteral("1,600519,贵州茅台,1688.00,1.25%,20.85,1687.99,12,1688.10,7,23456,395123.45,"
                                      "1670.00,1667.15,1690.00,1665.50,1,35,0.4%,10:00:00");
const QString falling = QStringLiteral("2,000002,万科A,9.50,-5.00%,-0.50,9.49,80,9.50,95,5000,5000.00,9.90,10.00,"
                                       "9.95,9.40,-1,20,5.5%,10:00:00");
// Ends after the volume: no high, low, side or last trade.
const QString shortRecord =
    QStringLiteral("2,300059,东方财富,15.20,0,0.00,15.19,300,15.20,210,880000,133760.00,15.30,");

} // namespace

TEST(WidgetLayout, RecordFillsTheLabelsItHoldsColouredByTheChange) {
    struct Case {
        QString record;
        QStringList texts; // "" where the label keeps its text
        std::optional<QColor> background;
    };
    const Case cases[] = {
        {rising,
         {QStringLiteral("贵州茅台"), "1688.00", "1.25%", "1690.00", "1665.50", QStringLiteral("23456手")},
         Colours::red},
        {falling,
         {QStringLiteral("万科A"), "9.50", "-5.00%", "9.95", "9.40", QStringLiteral("5000手")},
         Colours::green},
        {shortRecord, {QStringLiteral("东方财富"), "15.20", "0", "", "", QStringLiteral("880000手")}, Colours::red},
        {"1,600519,贵州茅台,", {QStringLiteral("贵州茅台"), "", "", "", "", ""}, std::nullopt},
        {"", {"", "", "", "", "", ""}, std::nullopt},
    };
    for (const Case& c : cases) {
        const WidgetLayout::RowUpdate update = WidgetLayout::rowUpdate(Quotes::parseQuoteRecord(c.record));
        for (int role = 0; role < WidgetLayout::labelsPerStock; ++role)
            EXPECT_EQ(update.texts[role].value_or(QString()), c.texts[role]) << c.record.toStdString() << " " << role;
        EXPECT_EQ(update.background, c.background) << c.record.toStdString();
    }
}

namespace {

class Widget : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        server.route(quotePath, [this](const Loopback::HttpRequest& request) {
            const QByteArray fav = request.queryValue("fav");
            if (!records.contains(fav))
                return Loopback::HttpReply::error(500);
            return Loopback::HttpReply::html(records.value(fav).toUtf8());
        });
        form = std::make_unique<RecordingForm1>();
        Form1 = form.get();
        widget = std::make_unique<TForm15>();
        Form15 = widget.get();
    }
    void TearDown() override {
        Form15 = nullptr;
        widget.reset();
        Form1 = nullptr;
        form.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    void watch(const QStringList& codes) {
        for (const QString& code : codes)
            form->state.watchcodes << code;
    }

    QLabel* label(int index) const { return widget->stockLabels().at(index); }

    QStringList fetched() const {
        QStringList codes;
        for (const Loopback::HttpRequest& request : server.requests())
            codes << QString::fromLatin1(request.queryValue("fav"));
        return codes;
    }

    Loopback::HttpServer server;
    QMap<QByteArray, QString> records{{"600519", rising}, {"000002", falling}, {"300059", shortRecord}};
    std::unique_ptr<RecordingForm1> form;
    std::unique_ptr<TForm15> widget;
};

} // namespace

TEST_F(Widget, SwitchShowsAndHidesWithTheIndicatorAndTickMark) {
    watch({"600519", "000002"});
    QLabel* indicator = form->ui->Label41;
    EXPECT_FALSE(widget->Timer1->isActive());
    form->N13Click();
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->frameGeometry().topRight(), QPoint(screenRect().right(), 30)) << "at the top right";
    EXPECT_TRUE(widget->Timer1->isActive());
    EXPECT_TRUE(form->N13->isChecked());
    EXPECT_EQ(indicator->text(), QStringLiteral("在桌面显示股价"));
    EXPECT_EQ(Colours::fontColour(indicator), Colours::blue);
    EXPECT_EQ(widget->height(), 2 * 18 + 120);
    EXPECT_EQ(widget->stockLabels().size(), 12);

    form->N13Click();
    EXPECT_FALSE(widget->isVisible());
    EXPECT_FALSE(widget->Timer1->isActive());
    EXPECT_FALSE(form->N13->isChecked());
    EXPECT_EQ(indicator->text(), QStringLiteral("不在桌面显示股价"));
    EXPECT_EQ(Colours::fontColour(indicator), Colours::green);

    // The labels are made once: showing again keeps them and the height.
    widget->resize(widget->width(), 200);
    form->N13Click();
    EXPECT_EQ(widget->height(), 200);
}

TEST_F(Widget, ToolButtonDoesTheSameAndRewritesTheIndicatorOnTheFirstShow) {
    form->ToolButton12Click();
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(form->N13->isChecked());
    EXPECT_EQ(form->ui->Label41->text(), QStringLiteral("不在桌面显示股价"));
    EXPECT_EQ(widget->height(), 120);
    form->ui->ToolButton12->click();
    EXPECT_FALSE(widget->isVisible());
}

TEST_F(Widget, EmptyWatchListShowsTheDateOnly) {
    form->N13Click();
    widget->Timer1Timer();
    EXPECT_EQ(widgetNamed<QLabel>(widget.get(), "Label20")->text(), Formats::dateTime(Clock::now()));
    EXPECT_EQ(widget->widgetindex, 0);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(widget->Timer1->isActive());
}

TEST_F(Widget, TenStocksMakeATallWidgetWithTheTenthRowAt270) {
    watch({"600000", "600001", "600002", "600003", "600004", "600005", "600006", "600007", "600008", "600519"});
    form->N13Click();
    EXPECT_EQ(widget->height(), 300);
    widget->widgetindex = 9;
    widget->Timer1Timer();
    EXPECT_EQ(label(54)->text(), QStringLiteral("贵州茅台"));
    EXPECT_EQ(label(54)->geometry().topLeft(), QPoint(8, 270));
    EXPECT_EQ(label(54)->width(), 58);
    EXPECT_EQ(label(59)->geometry().topLeft(), QPoint(286, 270));
}

TEST_F(Widget, TicksCycleThroughTheListAndFillTheRows) {
    watch({"600519", "000002", "300059"});
    form->N13Click();
    for (int tick = 0; tick < 4; ++tick)
        widget->Timer1Timer();
    EXPECT_EQ(fetched(), (QStringList{"600519", "000002", "300059"}));
    EXPECT_EQ(widget->widgetindex, 0) << "n + 1 ticks a cycle";
    EXPECT_EQ(server.lastRequest().header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");

    const QStringList risingRow{QStringLiteral("贵州茅台"), "1688.00", "1.25%", "1690.00", "1665.50",
                                QStringLiteral("23456手")};
    const int lefts[] = {8, 75, 129, 185, 238, 286};
    for (int role = 0; role < 6; ++role) {
        EXPECT_EQ(label(role)->text(), risingRow[role]);
        EXPECT_EQ(label(role)->x(), lefts[role]);
        EXPECT_EQ(label(role)->y(), 90);
        EXPECT_FALSE(label(role)->isHidden());
    }
    for (int role = 1; role < 6; ++role) {
        EXPECT_EQ(Colours::background(label(role)), Colours::red);
        EXPECT_EQ(Colours::background(label(6 + role)), Colours::green);
        EXPECT_EQ(Colours::fontColour(label(6 + role)), Colours::white);
    }
    EXPECT_EQ(label(8)->text(), "-5.00%");
    EXPECT_EQ(label(7)->y(), 110);

    // The short record leaves the high and low as they were; "0" is a rise.
    label(15)->setText("old high");
    records["300059"] = shortRecord;
    widget->widgetindex = 2;
    widget->Timer1Timer();
    EXPECT_EQ(label(15)->text(), "old high");
    EXPECT_EQ(label(14)->text(), "0");
    EXPECT_EQ(Colours::background(label(14)), Colours::red);
}

TEST_F(Widget, FailedFetchAdvancesTheIndexAndKeepsTheTexts) {
    watch({"600001", "600519"});
    form->N13Click();
    widget->Timer1Timer();
    EXPECT_EQ(widget->widgetindex, 1);
    EXPECT_TRUE(widget->Timer1->isActive());
    EXPECT_EQ(label(0)->text(), QString());
    widget->Timer1Timer();
    EXPECT_EQ(label(6)->text(), QStringLiteral("贵州茅台"));
}

TEST_F(Widget, HiddenWidgetNeverFetches) {
    watch({"600519"});
    form->N13Click();
    form->N13Click();
    // As a save of the settings could do while the widget is hidden.
    widget->Timer1->start();
    widget->Timer1Timer();
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_FALSE(widget->Timer1->isActive());
}

TEST_F(Widget, LabelsFollowTheWatchList) {
    watch({"600519", "000002"});
    form->N13Click();
    ASSERT_EQ(widget->stockLabels().size(), 12);
    const qsizetype fixedLabels = widget->findChildren<QLabel*>().size() - 12;

    // A save rebuilds them for the saved list, 15 pixels a stock.
    watch({"300059"});
    widget->rebuildStockLabels();
    EXPECT_EQ(widget->stockLabels().size(), 18);
    EXPECT_EQ(widget->height(), 165);
    EXPECT_EQ(widget->findChildren<QLabel*>().size(), fixedLabels + 18) << "the old labels are gone";

    // Left without saving: the list changed under the labels; the next tick rebuilds before reading them.
    form->state.watchcodes = QStringList{"000002"};
    widget->widgetindex = 0;
    widget->Timer1Timer();
    EXPECT_EQ(widget->stockLabels().size(), 6);
    EXPECT_EQ(label(0)->text(), QStringLiteral("万科A"));

    form->state.watchcodes.clear();
    widget->Timer1Timer();
    EXPECT_TRUE(widget->stockLabels().isEmpty());
}
