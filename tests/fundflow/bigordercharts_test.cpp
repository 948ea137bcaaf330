// The main window's big-order charts and the windows opened from them, drawn from pages completed by the fake
// page loaders; the one-minute reload tick.
#include "bigorder_fixture.h"

#include "app/colours.h"

#include <QAction>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineF>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace {

// A day page of n days: day i buys (i + 1) * 100 shares, sells 100, and is labelled "d<i>".
QString dayPage(int days) {
    QStringList buys, sells, labels;
    for (int i = 0; i < days; ++i) {
        buys << QString::number((i + 1) * 100);
        sells << QStringLiteral("100");
        labels << QStringLiteral("d%1").arg(i);
    }
    return QStringLiteral("&values=%1&values_2=%2&x_labels=%3&")
        .arg(buys.join(u','), sells.join(u','), labels.join(u','));
}

} // namespace

TEST_F(BigOrderWindows, DayChartShowsTheLastFiveDaysAndTheWindowAll) {
    const QList<std::tuple<int, QString, QString>> cases{
        {10, "近5日", "大单买入 6 7 8 9 10|大单卖出 1 1 1 1 1|d5 d6 d7 d8 d9"},
        {7, "近5日", "大单买入 3 4 5 6 7|大单卖出 1 1 1 1 1|d2 d3 d4 d5 d6"},
        {3, "近3日", "大单买入 1 2 3|大单卖出 1 1 1|d0 d1 d2"},
    };
    for (const auto& [days, caption, chart] : cases) {
        complete(form->WebBrowser3, dayPage(days));
        EXPECT_EQ(form->ui->GroupBox3->title(), QStringLiteral("平安银行(000001)%1大单成交分布图").arg(caption));
        EXPECT_EQ(barsOf(form->ui->Chart2), chart);

        form->ui->CheckBox1->click();
        EXPECT_TRUE(Form13->isVisible() && !form->isEnabled());
        QChartView* tenDays = widgetNamed<QChartView>(Form13, "Chart2");
        EXPECT_EQ(tenDays->chart()->title(), QStringLiteral("平安银行(000001)近%1日大单成交分布图").arg(days));
        EXPECT_EQ(barsOf(tenDays).count(u' '), 3 * days - 1); // every day drawn
        EXPECT_TRUE(widgetNamed<QLabel>(Form13, "Label1")->text().startsWith(QStringLiteral("近10日 大单流入:")));
        Form13->close();
        EXPECT_TRUE(!form->ui->CheckBox1->isChecked() && form->isEnabled());
    }
}

TEST_F(BigOrderWindows, TenDaySumsDivideEachDayOnItsOwn) {
    complete(form->WebBrowser3, QStringLiteral("&values=250,-150&values_2=99,100&x_labels=<i>a</i>,b&"));
    // The charts draw rich text: a label is escaped to show as written.
    EXPECT_EQ(barsOf(form->ui->Chart2), "大单买入 2.5 -1.5|大单卖出 0.99 1|&lt;i&gt;a&lt;/i&gt; b");
    form->CheckBox1Click();
    // 250 adds 2 and -150 adds -1; 99 adds 0: equal sums are an outflow of 0.
    QLabel* sums = widgetNamed<QLabel>(Form13, "Label1");
    EXPECT_EQ(sums->text(), QStringLiteral("近10日 大单流入:1手  大单流出:1手  合计流出:0手"));
    EXPECT_EQ(Colours::fontColour(sums), Colours::green);
    // 150 and 150 add 1 each, where their sum would give 3.
    complete(form->WebBrowser3, QStringLiteral("&values=150,150&values_2=0,0&x_labels=a,b&"));
    form->CheckBox1Click();
    EXPECT_EQ(sums->text(), QStringLiteral("近10日 大单流入:2手  大单流出:0手  合计流入:2手"));
}

TEST_F(BigOrderWindows, TodayChart) {
    completeBars("1,2,3,4,5,6,7,8,9", "9,8");
    EXPECT_EQ(form->ui->GroupBox4->title(), QStringLiteral("平安银行(000001)今日每半小时大单成交分布图"));
    const QString nine = "大单买入 1 2 3 4 5 6 7 8 9|大单卖出 9 8|10:00 10:30 11:00 11:30 13:30 14:00 14:30 15:00 9";
    EXPECT_EQ(barsOf(form->ui->Chart1), nine);
    // No figures today: the lists empty, the chart as it was.
    complete(form->WebBrowser2, QStringLiteral("<p>&values=&values_2=&</p>"));
    EXPECT_TRUE(form->state.halfbuys.isEmpty());
    EXPECT_EQ(barsOf(form->ui->Chart1), nine);
    // A page that failed to load arrives empty: two empty series.
    complete(form->WebBrowser2, QString());
    EXPECT_EQ(barsOf(form->ui->Chart1), "大单买入|大单卖出|");
    // A figure that is not a whole number ends the drawing there.
    completeBars("4,x,6", "1");
    EXPECT_EQ(barsOf(form->ui->Chart1), "大单买入 4|大单卖出|4");
    // An oversized page draws its first 64 items: the bar after them would not convert.
    const QString many = QStringList(200, QStringLiteral("3")).join(u',') + QStringLiteral(",x");
    completeBars(many, many);
    EXPECT_EQ(form->state.halfbuys.size(), 201);
    QChart* chart = form->ui->Chart1->chart();
    ASSERT_EQ(chart->series().size(), 1);
    for (QBarSet* set : qobject_cast<QBarSeries*>(chart->series().first())->barSets())
        EXPECT_EQ(set->count(), 64);
    EXPECT_EQ(qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first())->count(), 64);
}

TEST_F(BigOrderWindows, AReadPageReleasesItsLoaderAndTheEmptyPageIsNotRead) {
    completeBars("1,2", "3,4");
    complete(form->WebBrowser3, dayPage(10));
    complete(form->WebBrowser4, QStringLiteral("&values=100&colours=#FF6666&"));
    for (const std::unique_ptr<WebBrowser>* loader : {&form->WebBrowser2, &form->WebBrowser3, &form->WebBrowser4}) {
        EXPECT_EQ(fake(*loader)->navigations, QStringList{blankPage});
        fake(*loader)->complete(blankPage, QString());
        EXPECT_EQ(fake(*loader)->navigations.size(), 1); // the empty page releases nothing more
    }
    const UnitState& state = form->state;
    EXPECT_EQ(state.halfbuys, QStringList({"1", "2"}));
    EXPECT_EQ(state.daybuys.size(), 10);
    EXPECT_EQ(state.pievalues, QStringList{"100"});
    EXPECT_EQ(barsOf(form->ui->Chart1), "大单买入 1 2|大单卖出 3 4|10:00 10:30");
    EXPECT_EQ(barsOf(form->ui->Chart2).count(u' '), 14);

    // The minute reload and the stock switch still load the chart pages.
    Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(10, 30)));
    form->Timer2Timer();
    EXPECT_TRUE(fake(form->WebBrowser2)->navigations.last().endsWith("/stock/sz/000001/single-bar.htm"));
    EXPECT_TRUE(fake(form->WebBrowser4)->navigations.last().endsWith("/stock/sz/000001/single-pie.htm"));
    form->ui->Edit1->setText(QStringLiteral("600000"));
    form->Image17Click();
    EXPECT_TRUE(fake(form->WebBrowser2)->navigations.last().endsWith("/stock/sh/600000/single-bar.htm"));
    EXPECT_TRUE(fake(form->WebBrowser3)->navigations.last().endsWith("/stock/sh/600000/single-barDay.htm"));
    EXPECT_TRUE(fake(form->WebBrowser4)->navigations.last().endsWith("/stock/sh/600000/single-pie.htm"));
    completeBars("7", "8");
    EXPECT_EQ(fake(form->WebBrowser2)->navigations.last(), blankPage);
}

TEST_F(BigOrderWindows, DistributionPieRepeatsTheClassBeforeAnUnknownColour) {
    complete(form->WebBrowser4, QStringLiteral("&values=40,10,50&colours=#FF6666,#123456,#336600&"));
    // Paused, the announcements do not open it, mirrored on the tray item; the box still does.
    widgetNamed<QCheckBox>(Form14, "CheckBox1")->click();
    EXPECT_TRUE(form->state.mutepie == 1 && !form->N6->isChecked());
    form->ui->CheckBox2->click();
    ASSERT_TRUE(Form14->isVisible());
    EXPECT_EQ(widgetNamed<QChartView>(Form14, "Chart1")->chart()->title(),
              QStringLiteral("平安银行(000001)今日(2024-1-3)大单进出成交分布图"));
    QStringList slices;
    for (QPieSlice* slice : Form14->Series1->slices()) {
        // Black text of the Song face on a maroon arm.
        slices << QTextDocumentFragment::fromHtml(slice->label()).toPlainText() + slice->color().name();
        EXPECT_TRUE(slice->label().contains(QStringLiteral("color:#000000")));
        EXPECT_EQ(slice->labelColor(), QColor(128, 0, 0));
        EXPECT_EQ(slice->labelFont().pixelSize(), 12);
        EXPECT_EQ(slice->labelFont().families().value(0), QStringLiteral("宋体"));
    }
    EXPECT_EQ(slices, QStringList({QStringLiteral("单笔买入50万以下(40%)#ff0011"),
                                   QStringLiteral("单笔买入50万以下(10%)#ff0011"),
                                   QStringLiteral("单笔卖出500万以上(50%)#008088")}));
    Form14->close();
    EXPECT_TRUE(!form->ui->CheckBox2->isChecked() && form->isEnabled());
    for (int click = 0; click < 2; ++click) { // the tray item only resumes
        form->N6->trigger();
        EXPECT_TRUE(form->state.mutepie == 0 && form->N6->isChecked());
    }
    EXPECT_FALSE(widgetNamed<QCheckBox>(Form14, "CheckBox1")->isChecked());
}

TEST_F(BigOrderWindows, UnreadableFigureOpensNoWindowAndUnticksTheBox) {
    complete(form->WebBrowser3, QStringLiteral("&values=100,1e3&values_2=1,1&x_labels=a,b&"));
    complete(form->WebBrowser4, QStringLiteral("&values=50,half&colours=#FF6666,#FF3333&"));
    for (QCheckBox* box : {form->ui->CheckBox1, form->ui->CheckBox2}) {
        box->click();
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_FALSE(Form13->isVisible() || Form14->isVisible());
    EXPECT_TRUE(form->isEnabled());
    ASSERT_EQ(services->messages.size(), 2u);
    EXPECT_EQ(services->messages[0].caption, errorCaption);
}

TEST_F(BigOrderWindows, MinuteTickReloadsBarAndPiePagesAfterTenOnAnyDay) {
    const QList<std::pair<QDateTime, int>> cases{
        {QDateTime(QDate(2024, 1, 3), QTime(10, 0, 0)), 0},
        {QDateTime(QDate(2024, 1, 3), QTime(10, 0, 1)), 1},
        {QDateTime(QDate(2024, 1, 6), QTime(15, 29, 59)), 2},
        {QDateTime(QDate(2024, 1, 6), QTime(15, 30, 0)), 2},
    };
    form->state.forumcounts = QStringList{"1/2"};
    form->state.forumtitles = QStringList{"t"};
    form->state.forumauthors = QStringList{"a"};
    for (const auto& [moment, reloads] : cases) {
        Clock::setForTests(moment);
        form->Timer2Timer();
        EXPECT_EQ(fake(form->WebBrowser2)->navigations.size(), reloads) << moment.toString().toStdString();
        EXPECT_EQ(fake(form->WebBrowser4)->navigations.size(), reloads);
        EXPECT_TRUE(form->Timer2->isActive());
    }
    EXPECT_TRUE(fake(form->WebBrowser3)->navigations.isEmpty());
    EXPECT_TRUE(fake(form->WebBrowser4)->navigations.last().endsWith("/stock/sz/000001/single-pie.htm"));
    EXPECT_EQ(fake(form->WebBrowser5)->refreshes, 0);
    form->Timer2Timer(); // the fifth tick refreshes the player's cover
    EXPECT_EQ(fake(form->WebBrowser5)->refreshes, 1);
    EXPECT_EQ(form->state.forumshown, 1); // the forum rows appended

    // In the tray the topics are not fetched; a failed fetch ends the tick with the timer on again.
    form->state.traymode = 1;
    form->Timer2Timer();
    EXPECT_EQ(form->calls.count(QStringLiteral("getgbdata 000001")), 5);
    form->state.traymode = 0;
    form->failing = QStringLiteral("getgbdata");
    EXPECT_FALSE(guarded([&] { form->Timer2Timer(); }));
    EXPECT_TRUE(form->Timer2->isActive());
}

TEST_F(BigOrderWindows, StockSwitchForgetsTheOldStocksFigures) {
    completeBars("1,2", "3,4");
    complete(form->WebBrowser3, dayPage(10));
    complete(form->WebBrowser4, QStringLiteral("&values=100&colours=#FF6666&"));
    form->state.halfdone = QStringList{"1", "2"};
    form->state.halfflags[1] = 1;
    form->ui->Edit1->setText(QStringLiteral("600000"));
    form->Image17Click();

    const UnitState& state = form->state;
    for (const QStringList* list : {&state.halfbuys, &state.halfsells, &state.daybuys, &state.daysells,
                                    &state.daylabels, &state.pievalues, &state.piecolours, &state.halfdone})
        EXPECT_TRUE(list->isEmpty());
    EXPECT_EQ(state.halfflags[1], 0);
    EXPECT_EQ(barsOf(form->ui->Chart1) + barsOf(form->ui->Chart2), QString());
}

TEST_F(BigOrderWindows, TodayChartKeepsHalfItsHeightForTheBarsAndEveryTextWhole) {
    form->show();
    QChartView* view = form->ui->Chart1;
    const QStringList ends{"10:00", "10:30", "11:00", "11:30", "13:30", "14:00", "14:30", "15:00"};
    QList<QString> pages = samplePages(BigOrder::Page::TodayBars);
    // Beyond the site's largest half hour: several thousand 万股 in each.
    pages << QStringLiteral("&values=9999,8000,7000,6000,5000,4000,3000,2000&values_2=1,9000,2,8000,3,7000,4,6000&");
    for (const QString& page : pages) {
        complete(form->WebBrowser2, page);
        QCoreApplication::processEvents();
        ASSERT_EQ(barsOf(view).section(u'|', 2), ends.join(u' '));
        const QRectF bars = view->chart()->mapRectToScene(view->chart()->plotArea());
        EXPECT_GE(bars.height(), view->height() / 2.0);

        QMap<QString, QRectF> shown;
        for (const ShownText& text : shownTexts(view)) {
            EXPECT_FALSE(isElided(text.text)) << text.text.toStdString();
            EXPECT_TRUE(QRectF(view->viewport()->rect()).contains(text.rect)) << text.text.toStdString();
            shown.insert(text.text, text.rect);
        }
        const qreal slot = bars.width() / 8;
        QRectF before;
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(ends[i].toStdString());
            ASSERT_TRUE(shown.contains(ends[i]));
            const QRectF text = shown[ends[i]];
            EXPECT_LT(std::abs(text.center().x() - (bars.left() + slot * (i + 0.5))), slot / 2);
            EXPECT_FALSE(text.intersects(before));
            before = text;
        }
        // Each round step of the value axis has its value.
        const auto* values = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
        ASSERT_TRUE(values);
        const qreal step = (values->max() - values->min()) / (values->tickCount() - 1);
        for (int tick = 0; tick < values->tickCount(); ++tick)
            EXPECT_TRUE(shown.contains(QString::number(values->min() + tick * step))) << tick;
        // The unit lies over the chart beside the legend, and the note and the box below it.
        QLabel* unit = form->ui->Label53;
        const QRect unitText(view->mapFrom(form->ui->GroupBox4, unit->geometry().topLeft()),
                             unit->fontMetrics().boundingRect(unit->text()).size());
        for (const QString& entry : {BigOrder::buySeriesTitle, BigOrder::sellSeriesTitle}) {
            ASSERT_TRUE(shown.contains(entry));
            const QRectF withMarker = shown[entry].adjusted(-shown[entry].height(), 0, 0, 0);
            EXPECT_FALSE(withMarker.intersects(unitText)) << entry.toStdString();
        }
        for (const QWidget* below :
             {static_cast<QWidget*>(form->ui->Label22), static_cast<QWidget*>(form->ui->CheckBox2)})
            EXPECT_GE(below->geometry().top(), view->geometry().bottom()) << below->objectName().toStdString();
    }
}

TEST_F(BigOrderWindows, DayChartsWriteEveryTextWholeWithTheSitesLargestFigures) {
    form->show();
    QChartView* tenDays = widgetNamed<QChartView>(Form13, "Chart2");
    for (const QString& page : samplePages(BigOrder::Page::DayBars)) {
        complete(form->WebBrowser3, page);
        form->ui->CheckBox1->click();
        QCoreApplication::processEvents();
        for (QChartView* view : {form->ui->Chart2, tenDays}) {
            SCOPED_TRACE(view->window()->objectName().toStdString());
            QStringList shown;
            for (const ShownText& text : shownTexts(view)) {
                EXPECT_FALSE(isElided(text.text)) << text.text.toStdString();
                EXPECT_TRUE(QRectF(view->viewport()->rect()).contains(text.rect)) << text.text.toStdString();
                shown << text.text;
            }
            const auto* values = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
            ASSERT_TRUE(values);
            const qreal step = (values->max() - values->min()) / (values->tickCount() - 1);
            for (int tick = 0; tick < values->tickCount(); ++tick) // in full, never as "1.5e+06"
                EXPECT_TRUE(shown.contains(QString::number(qint64(values->min() + tick * step)))) << tick;
            for (const QString& day :
                 qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0))->categories())
                EXPECT_TRUE(shown.contains(day)) << day.toStdString();
        }
        Form13->close();
    }
}

TEST_F(BigOrderWindows, DistributionPieKeepsEveryLabelWholeApartAndOffThePie) {
    QChartView* view = widgetNamed<QChartView>(Form14, "Chart1");
    QList<QString> pages;
    // Early in the day one side's small classes crowd the pie's top; the week gives every stock five such days.
    for (int day = 3; day <= 7; ++day) {
        for (const QTime& time : {QTime(10, 5), QTime(16, 0)})
            pages << samplePages(BigOrder::Page::SizeClasses, QDateTime(QDate(2024, 6, day), time));
    }
    for (const QString& page : pages) {
        complete(form->WebBrowser4, page);
        form->ui->CheckBox2->click();
        ASSERT_TRUE(Form14->isVisible());
        QCoreApplication::processEvents();
        QList<ShownText> labels;
        for (const ShownText& text : shownTexts(view)) {
            EXPECT_FALSE(isElided(text.text)) << text.text.toStdString();
            EXPECT_TRUE(QRectF(view->viewport()->rect()).contains(text.rect)) << text.text.toStdString();
            if (text.text.endsWith(QStringLiteral("%)")))
                labels << text;
        }
        ASSERT_EQ(labels.size(), Form14->Series1->count());
        // The pie as the chart lays it out: centred in the plot area, its share of the smaller side.
        const QRectF plot = view->chart()->plotArea();
        const QPointF centre = view->mapFromScene(view->chart()->mapToScene(plot.center()));
        const qreal radius = Form14->Series1->pieSize() * std::min(plot.width(), plot.height()) / 2;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const QRectF& text = labels[i].rect;
            const QPointF nearest(std::clamp(centre.x(), text.left(), text.right()),
                                  std::clamp(centre.y(), text.top(), text.bottom()));
            EXPECT_GE(QLineF(centre, nearest).length(), radius) << labels[i].text.toStdString();
            for (qsizetype j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect))
                    << labels[i].text.toStdString() << " " << labels[j].text.toStdString();
        }
        Form14->close();
    }
}
