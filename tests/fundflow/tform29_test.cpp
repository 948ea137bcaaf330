// The period query: its openers, its checks and its grid, against a fund-flow site and a quote service on
// 127.0.0.1.
#include "windows_fixture.h"

#include "app/stringgrid.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

namespace {

const QDate kMonday(2024, 1, 8);

// Monday the 8th and the trading days before it, newest first, each with its day of the month as every amount.
QByteArray weekPage() {
    QList<QStringList> days;
    const QList<int> dates{8, 5, 4, 3, 2};
    for (int i = 0; i < dates.size(); ++i) {
        const QString n = QString::number(dates[i]);
        days << FlowPages::day(FlowPages::date(2024, 1, dates[i]), i == 0, {n, n, n, "-" + n, n});
    }
    return FlowPages::page(FlowPages::summary(), days);
}

class PeriodQuery29 : public FundFlowWindows {
protected:
    void SetUp() override {
        FundFlowWindows::SetUp();
        Clock::setForTests(QDateTime(kMonday, QTime(10, 0)));
        pages.insert("000001", weekPage());
        pages.insert("600789", weekPage());
        names.insert("000001", QStringLiteral("平安银行"));
        names.insert("600789", QStringLiteral("鲁抗医药"));
    }

    template <typename Widget = QLabel> Widget* w29(const char* name) {
        return widgetNamed<Widget>(form29.get(), name);
    }
    StringGrid* grid() { return w29<StringGrid>("StringGrid1"); }
    QStringList gridRow(int row) {
        QStringList cells;
        for (int column = 0; column < 6; ++column)
            cells << grid()->cell(column, row);
        return cells;
    }
    void query(const QString& code, const QDate& start) {
        w29<QLineEdit>("Edit1")->setText(code);
        w29<QDateEdit>("DateTimePicker1")->setDate(start);
        w29<QDateEdit>("DateTimePicker2")->setDate(kMonday);
        form29->Button1Click();
    }
};

} // namespace

TEST_F(PeriodQuery29, OpenersQueryTheLastFiveCalendarDaysAndShowTheWindow) {
    form1->Label72Click(); // the current stock, 000001
    EXPECT_TRUE(form29->isVisible());
    EXPECT_EQ(w29<QDateEdit>("DateTimePicker1")->date(), QDate(2024, 1, 3));
    EXPECT_EQ(w29<QLineEdit>("Edit1")->text(), QStringLiteral("000001"));
    EXPECT_EQ(w29("Label4")->text(), QStringLiteral("平安银行"));
    ASSERT_EQ(grid()->rowCount(), 6);
    EXPECT_EQ(gridRow(0)[1], QStringLiteral("净    额"));
    EXPECT_EQ(gridRow(1), (QStringList{"2024-1-8", "8", "8", "8", "-8", "8"}));
    EXPECT_EQ(gridRow(5), (QStringList{"", "20", "20", "20", "-20", "20"}));

    // The stock fund page's link does the same for the stock it shows.
    form24->flowcode = QStringLiteral("600789");
    form24->Label44Click();
    EXPECT_EQ(w29("Label4")->text(), QStringLiteral("鲁抗医药"));
    EXPECT_EQ(pageRequests(), (QList<QByteArray>{"/fundflow/gpdm.asp?gpdm=000001", "/fundflow/gpdm.asp?gpdm=600789"}));
    const Loopback::HttpRequest& request = server.requests().last();
    EXPECT_EQ(request.header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(request.header("Accept"), "text/html, */*");
}

TEST_F(PeriodQuery29, ChecksInTheirOrderAndNoPageRequestForABadCodeOrRange) {
    const QList<std::tuple<QString, QDate, QString>> cases{
        {"6000a1", kMonday.addDays(1), QStringLiteral("结束日期必须大于开始日期！")},
        {"6000a1", kMonday, QStringLiteral("必须输入六位股票代码!")},
        {"900001", kMonday, QStringLiteral("必须输入沪深股票及创业板代码")},
        {"600999", kMonday, QStringLiteral("您输入的股票不存在")},
    };
    for (const auto& [code, start, message] : cases) {
        services->messages.clear();
        query(code, start);
        EXPECT_EQ(messageTexts(), QStringList{message}) << code.toStdString();
    }
    EXPECT_TRUE(pageRequests().isEmpty());
    EXPECT_EQ(server.requests().size(), 1); // the look-up of the unknown stock
}

TEST_F(PeriodQuery29, AFailedReadKeepsTheGridAndAFailedLookUpStillQueries) {
    query(QStringLiteral("600789"), QDate(2024, 1, 1));
    const PeriodQuery::Rows before = form29->rows;
    QByteArray spoiled = weekPage();
    spoiled.replace("<td>-3</td>", "<td>-3x</td>");
    auto stalled = Loopback::HttpReply::html(weekPage());
    stalled.withDelivery(Loopback::Delivery::stalled(100)); // fails after the read time-out
    for (const Loopback::HttpReply& reply :
         {Loopback::HttpReply::html(spoiled), Loopback::HttpReply::error(500), stalled}) {
        services->messages.clear();
        pageReply = reply;
        EXPECT_THROW(query(QStringLiteral("600789"), QDate(2024, 1, 1)), SilentAbort);
        EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("读取数据错误，请重试")});
        EXPECT_EQ(form29->rows, before);
        EXPECT_EQ(gridRow(6), (QStringList{"", "22", "22", "22", "-22", "22"}));
        EXPECT_FALSE(w29("Panel1")->isVisible());
    }

    pageReply.reset();
    quoteReply = Loopback::HttpReply::error(500);
    query(QStringLiteral("600789"), QDate(2024, 1, 5));
    EXPECT_EQ(w29("Label4")->text(), QStringLiteral("获取股票名称失败..."));
    EXPECT_EQ(form29->rows.periodnet, (QStringList{"8", "5"}));
}

// The pickers' drop-down calendar names the month and the days in Chinese, whatever locale the tests run in.
TEST_F(PeriodQuery29, PickersCalendarNamesMonthAndDaysInChinese) {
    auto* picker = w29<QDateEdit>("DateTimePicker1");
    picker->setDate(QDate(2024, 12, 2));
    const QCalendarWidget* calendar = picker->calendarWidget();
    EXPECT_EQ(calendar->findChild<QToolButton*>("qt_calendar_monthbutton")->text(), QStringLiteral("十二月"));
    const int monday = (Qt::Monday - calendar->firstDayOfWeek() + 7) % 7; // the heading row starts with that day
    EXPECT_EQ(calendar->findChild<QTableView*>()->model()->index(0, monday).data(), QStringLiteral("周一"));
}
