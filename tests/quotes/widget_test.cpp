// The desktop price widget: what a record writes on a row, the switch on the main window, the
// one-stock-per-second tick against a quote service on 127.0.0.1, and room for the widest texts.
#include "app/colours.h"
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "platform/formats.h"
#include "platform/screen.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/widgetlayout.h"
#include "support/quoteservice.h"
#include "support/windows.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const Quote moutai{.code = "600519",
                   .name = u"贵州茅台"_s,
                   .price = "1688.00",
                   .percent = "1.25%",
                   .volume = "23456",
                   .high = "1690.00",
                   .low = "1665.50"};
const Quote vanke{.code = "000002", .name = u"万科A"_s, .price = "9.50", .percent = "-5.00%"};

} // namespace

TEST(WidgetLayout, RecordFillsTheLabelsItHoldsColouredByTheChange) {
    struct Case {
        QString record;
        QStringList texts; // "" where the label keeps its text
        std::optional<QColor> background;
    };
    const Case cases[] = {
        {moutai.text(), {u"贵州茅台"_s, "1688.00", "1.25%", "1690.00", "1665.50", u"23456手"_s}, Colours::red},
        {vanke.text(), {u"万科A"_s, "9.50", "-5.00%", "10.96", "10.05", u"88000手"_s}, Colours::green},
        // Ends after the volume: no high, low, side or last trade; "0" is a rise.
        {u"2,300059,东方财富,15.20,0,0.00,15.19,300,15.20,210,880000,133760.00,15.30,"_s,
         {u"东方财富"_s, "15.20", "0", "", "", u"880000手"_s},
         Colours::red},
        {"1,600519,贵州茅台,", {u"贵州茅台"_s, "", "", "", "", ""}, std::nullopt},
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
        service.records = {{"600519", moutai.bytes()}, {"000002", vanke.bytes()}};
    }

    void watch(const QStringList& codes) { form->state.watchcodes << codes; }
    QLabel* label(int index) const { return widget->stockLabels().at(index); }

    QuoteService service;
    Registered<RecordingForm1, TForm1> form{Form1};
    Registered<TForm15> widget{Form15};
};

} // namespace

// Label41 names what the next click does: showing the widget while it is hidden, hiding it while it shows.
TEST_F(Widget, SwitchShowsAndHidesWithTheIndicatorAndTickMark) {
    watch({"600519", "000002"});
    QLabel* indicator = form->ui->Label41;
    EXPECT_EQ(indicator->text(), u"在桌面显示股价"_s);
    for (int round = 0; round < 2; ++round) {
        form->N13Click();
        EXPECT_TRUE(widget->isVisible() && widget->Timer1->isActive() && form->N13->isChecked());
        EXPECT_EQ(indicator->text(), u"不在桌面显示股价"_s);
        EXPECT_EQ(Colours::fontColour(indicator), Colours::green);
        form->N13Click();
        EXPECT_FALSE(widget->isVisible() || widget->Timer1->isActive() || form->N13->isChecked());
        EXPECT_EQ(indicator->text(), u"在桌面显示股价"_s);
        EXPECT_EQ(Colours::fontColour(indicator), Colours::blue);
    }
    // Made once, at the first show, 18 pixels a stock, at the top right.
    EXPECT_EQ(widget->height(), 2 * 18 + 120);
    EXPECT_EQ(widget->stockLabels().size(), 12);
    form->N13Click();
    EXPECT_EQ(widget->frameGeometry().topRight(), QPoint(screenRect().right(), 30));

    // The tool button does the same.
    form->ui->ToolButton12->click();
    EXPECT_FALSE(widget->isVisible());
    EXPECT_EQ(indicator->text(), u"在桌面显示股价"_s);
}

TEST_F(Widget, ToolButtonsFirstShowSaysWhatTheNextClickDoes) {
    form->ToolButton12Click();
    EXPECT_TRUE(widget->isVisible() && form->N13->isChecked());
    EXPECT_EQ(form->ui->Label41->text(), u"不在桌面显示股价"_s);
    EXPECT_EQ(widget->height(), 120);
}

TEST_F(Widget, ShownWhileTheSettingsWindowIsOpenItWaitsForItToClose) {
    Registered<TForm3> settings(Form3);
    settings->show();
    form->N13Click();
    EXPECT_TRUE(widget->isVisible());
    EXPECT_FALSE(widget->Timer1->isActive());
}

TEST_F(Widget, EmptyWatchListShowsTheDateOnly) {
    form->N13Click();
    widget->Timer1Timer();
    EXPECT_EQ(widgetNamed<QLabel>(widget.get(), "Label20")->text(), Formats::dateTime(Clock::now()));
    EXPECT_EQ(widget->widgetindex, 0);
    EXPECT_TRUE(service.asked().isEmpty());
    EXPECT_TRUE(widget->Timer1->isActive());
}

TEST_F(Widget, TicksCycleThroughTheListAndFillTheRows) {
    watch({"600519", "000002"});
    form->N13Click();
    for (int tick = 0; tick < 3; ++tick)
        widget->Timer1Timer();
    EXPECT_EQ(service.asked(), QStringList({"600519", "000002"}));
    EXPECT_EQ(widget->widgetindex, 0) << "n + 1 ticks a cycle";
    EXPECT_EQ(service.http.lastRequest().header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");

    const int lefts[] = {8, 75, 129, 185, 238, 286};
    for (int role = 0; role < 6; ++role) {
        EXPECT_EQ(label(6 + role)->geometry().topLeft(), QPoint(lefts[role], 110));
        EXPECT_EQ(label(role)->y(), 90);
        EXPECT_FALSE(label(role)->isHidden());
    }
    EXPECT_EQ(label(0)->width(), 58);
    EXPECT_EQ(label(5)->text(), u"23456手"_s);
    // The volume keeps room to the widget's right edge, as the names keep to its left.
    EXPECT_GE(widget->width() - label(5)->geometry().right() - 1, 8);
    EXPECT_EQ(Colours::background(label(1)), Colours::red);
    EXPECT_EQ(Colours::background(label(7)), Colours::green);
    EXPECT_EQ(Colours::fontColour(label(7)), Colours::white);

    // Values longer than the design allows for push the later labels right and widen the widget to the left.
    const int right = widget->frameGeometry().right();
    service.records["600519"] = Quote{.code = "600519", .volume = "123456789", .low = "1665.50"}.bytes();
    widget->Timer1Timer();
    EXPECT_GT(label(5)->x(), label(4)->geometry().right());
    EXPECT_TRUE(widget->rect().contains(label(5)->geometry()));
    EXPECT_GE(widget->width() - label(5)->geometry().right() - 1, 8);
    EXPECT_EQ(widget->frameGeometry().right(), right);

    // A failed fetch moves on and keeps the row's texts.
    service.reply = Loopback::HttpReply::error(500);
    widget->Timer1Timer();
    EXPECT_EQ(widget->widgetindex, 2);
    EXPECT_TRUE(widget->Timer1->isActive());
    EXPECT_EQ(label(7)->text(), u"9.50"_s);
}

// A record that ends after the volume leaves the row's high and low as they were; "0" is a rise.
TEST_F(Widget, AShortRecordKeepsTheRowsHighAndLow) {
    service.records["300059"] =
        u"2,300059,东方财富,15.20,0,0.00,15.19,300,15.20,210,880000,133760.00,15.30,"_s.toUtf8();
    watch({"300059"});
    form->N13Click();
    label(3)->setText("old high");
    label(4)->setText("old low");
    widget->Timer1Timer();
    ASSERT_EQ(service.asked(), QStringList{"300059"});
    EXPECT_EQ(QStringList({label(0)->text(), label(1)->text(), label(2)->text(), label(3)->text(), label(4)->text(),
                           label(5)->text()}),
              QStringList({u"东方财富"_s, "15.20", "0", "old high", "old low", u"880000手"_s}));
    EXPECT_EQ(Colours::background(label(2)), Colours::red);
}

// The rows' labels are made once, at the first show: a later show keeps them and the widget's height.
TEST_F(Widget, ALaterShowKeepsTheLabels) {
    watch({"600519", "000002"});
    form->N13Click();
    const QList<QLabel*> made = widget->stockLabels();
    form->N13Click();
    widget->resize(widget->width(), 200);
    form->N13Click();
    EXPECT_EQ(widget->stockLabels(), made);
    EXPECT_EQ(widget->height(), 200);
}

TEST_F(Widget, HiddenWidgetNeverFetches) {
    watch({"600519"});
    form->N13Click();
    form->N13Click();
    // As a save of the settings could do while the widget is hidden.
    widget->Timer1->start();
    widget->Timer1Timer();
    EXPECT_TRUE(service.asked().isEmpty());
    EXPECT_FALSE(widget->Timer1->isActive());
}

TEST_F(Widget, LabelsFollowTheWatchList) {
    watch({"600519", "000002"});
    form->N13Click();
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
    EXPECT_EQ(label(0)->text(), u"万科A"_s);
    form->state.watchcodes.clear();
    widget->Timer1Timer();
    EXPECT_TRUE(widget->stockLabels().isEmpty());
}

namespace {

class WidestTexts : public Form1Test {
protected:
    QuoteService service;
    Registered<RecordingForm1, TForm1> form{Form1};
};

} // namespace

// The widest texts the widget shows, under the test's own font and under the face that draws them in zh_CN: each
// label holds its whole text, every label lies inside the widget, and in zh_CN the widget holds them from its
// first show, under headings that line up with their columns.
TEST_F(WidestTexts, FitTheirLabelsInsideTheWidgetUnderTheHeadings) {
    service.records["600519"] = Quote{.code = "600519",
                                      .name = u"中国石油化"_s,
                                      .price = "1234.56",
                                      .percent = "-10.02%",
                                      .volume = "6747224",
                                      .high = "1234.56",
                                      .low = "1234.56"}
                                    .bytes();
    service.records["000002"] = Quote{.code = "000002",
                                      .name = u"*ST深华发"_s,
                                      .price = "1234.56",
                                      .percent = "10.02%",
                                      .volume = "9999999",
                                      .high = "1234.56",
                                      .low = "1234.56"}
                                    .bytes();
    form->state.watchcodes = QStringList{"600519", "000002"};
    const QFont font = QApplication::font();
    QFont chinese = font;
    chinese.setFamily(u"Noto Sans CJK SC"_s);
    const auto restoreFont = qScopeGuard([&] { QApplication::setFont(font); });
    for (const QFont& face : {font, chinese}) {
        SCOPED_TRACE(face.family().toStdString());
        QApplication::setFont(face);
        Registered<TForm15> widget{Form15};
        form->N13Click();
        const int shownWidth = widget->width();
        const qsizetype asked = service.asked().size();
        widget->showIndexRow(0, "3410.98", "-123.45", "-10.00%", u"12345亿元"_s, true);
        widget->showIndexRow(1, "10389.40", "-327.33", "-0.26%", u"2151亿元"_s, false);
        for (int tick = 0; tick < 3; ++tick)
            widget->Timer1Timer();
        ASSERT_EQ(service.asked().mid(asked), QStringList({"600519", "000002"}));

        for (const QLabel* label : widget->findChildren<QLabel*>()) {
            const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
            EXPECT_LE(needed, label->contentsRect().width()) << label->text().toStdString();
            EXPECT_TRUE(widget->rect().contains(label->geometry())) << label->text().toStdString();
        }
        EXPECT_EQ(widgetNamed<QFrame>(widget.get(), "Shape1")->width(), widget->width());
        if (face == chinese) {
            EXPECT_EQ(widget->width(), shownWidth);
            const char* headings[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
            for (int role = 0; role < WidgetLayout::labelsPerStock; ++role) {
                const int left = widgetNamed<QLabel>(widget.get(), headings[role])->x();
                EXPECT_EQ(widget->stockLabels().at(role)->x(), left) << headings[role];
                EXPECT_EQ(widget->stockLabels().at(WidgetLayout::labelsPerStock + role)->x(), left) << headings[role];
            }
            const std::pair<const char*, const char*> indexColumns[] = {
                {"Label13", "Label9"}, {"Label14", "Label11"}, {"Label15", "Label12"}};
            for (const auto& [heading, value] : indexColumns)
                EXPECT_EQ(widgetNamed<QLabel>(widget.get(), heading)->x(),
                          widgetNamed<QLabel>(widget.get(), value)->x());
        }
        form->N13Click();
    }
}
