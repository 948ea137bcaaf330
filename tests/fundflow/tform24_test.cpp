// The stock fund page: getgpzj, its own look-up and the choice of N, against a fund-flow site on 127.0.0.1.
#include "windows_fixture.h"

#include "app/colours.h"
#include "app/tform1_ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kReadFailed = QStringLiteral("读取数据错误，请重试");

// A stock's page: twelve days of the given extra-large, large and retail amounts.
QByteArray stockPage(const QString& code, const QString& name, const QString& xl, const QString& large,
                     const QString& retail) {
    const QMap<int, QString> summary{{1, "2024-01-05"}, {2, "15:00:00"}, {3, code}, {4, name}, {10, "-120"}, {14, "0"}};
    QList<QStringList> days;
    for (int row = 0; row < 12; ++row)
        days << FlowPages::day(FlowPages::date(2024, 1, 20 - row), row == 0, {"1", xl, large, "7", retail});
    return FlowPages::page(FlowPages::summary(summary), days);
}

class FundPage24 : public FundFlowWindows {
protected:
    void SetUp() override {
        FundFlowWindows::SetUp();
        pages.insert("000001", stockPage("000001", QStringLiteral("平安银行"), "10", "5", "-3"));
        pages.insert("600789", stockPage("600789", QStringLiteral("鲁抗医药"), "10", "5", "3"));
        pages.insert("300059", stockPage("300059", QStringLiteral("东方财富"), "5", "-5", "3"));
    }

    template <typename Widget = QLabel> Widget* w24(const char* name) {
        return widgetNamed<Widget>(form24.get(), name);
    }
    QString text(const char* name) { return w24(name)->text(); }
    FakeWebBrowser* picture() { return static_cast<FakeWebBrowser*>(form24->WebBrowser1.get()); }
    void typeAndConfirm(const QString& code) {
        w24<QLineEdit>("Edit1")->setText(code);
        form24->Button1Click();
    }
};

} // namespace

TEST_F(FundPage24, GetgpzjReadsThePageOnceThenFillsAndShowsTheWindow) {
    form1->ui->ToolButton16->click(); // the current stock, 000001
    ASSERT_EQ(server.requests().size(), 1);
    const Loopback::HttpRequest& request = server.requests().first();
    EXPECT_EQ(request.target, "/fundflow/gpdm.asp?gpdm=000001");
    EXPECT_EQ(request.header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(request.header("Accept"), "text/html, */*");

    EXPECT_TRUE(form24->isVisible());
    EXPECT_EQ(w24("Label10")->font().families().value(0), QStringLiteral("宋体"));
    EXPECT_EQ(text("Label8"), "2024-01-05 15:00:00");
    EXPECT_EQ(text("Label10"), QStringLiteral("平安银行"));
    EXPECT_EQ(text("Label18"), QStringLiteral("流出-120"));
    EXPECT_EQ(Colours::fontColour(w24("Label18")), Colours::green);
    EXPECT_EQ(text("Label25"), QStringLiteral("流入0"));
    EXPECT_EQ(text("Label35"), QStringLiteral("流入100"));
    EXPECT_EQ(text("Label37"), QStringLiteral("流出-30"));
    EXPECT_EQ(text("Label42"), QStringLiteral(" Brennoc结论: 平安银行 近 10 天主力增仓"));
    EXPECT_EQ(picture()->navigations, QStringList{server.url("/kline/k/0000012.png?=1")});

    // Captions that are no code never reach the site.
    for (const QString& caption : {QStringLiteral("XXXXXX"), QStringLiteral("60078"), QStringLiteral("6007891")})
        form1->getggsj(caption);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(FundPage24, AFailedReadShowsTheMessageOnceAndKeepsThePreviousStock) {
    form1->getgpzj(QStringLiteral("000001"));
    const FundPage::Days before = form24->days;
    auto stalled = Loopback::HttpReply::html(pages["600789"]);
    stalled.withDelivery(Loopback::Delivery::stalled(100)); // fails after the read time-out
    const QList<std::pair<const char*, Loopback::HttpReply>> failures{
        {"error status", Loopback::HttpReply::error(500)},
        {"stalled", stalled},
        {"no summary row", Loopback::HttpReply::html("<html><body>busy</body></html>")},
    };
    for (const auto& [what, reply] : failures) {
        services->messages.clear();
        pageReply = reply;
        EXPECT_THROW(form1->getgpzj(QStringLiteral("600789")), SilentAbort) << what;
        EXPECT_EQ(messageTexts(), QStringList{kReadFailed}) << what;
        EXPECT_EQ(text("Label10"), QStringLiteral("平安银行")) << what;
        EXPECT_EQ(form24->days, before) << what;
    }

    // The window's own look-up adds its notice; the picture and the links stay on the stock that shows.
    services->messages.clear();
    typeAndConfirm(QStringLiteral("600789"));
    EXPECT_EQ(messageTexts(), (QStringList{kReadFailed, QStringLiteral("获取数据失败，请稍后再试！")}));
    EXPECT_FALSE(w24("Panel1")->isVisible());
    EXPECT_EQ(picture()->navigations.size(), 1);
    EXPECT_EQ(form24->flowcode, QStringLiteral("000001"));
}

TEST_F(FundPage24, OwnLookUpChecksTheCodeFirstThenFillsInPlace) {
    const QList<std::tuple<QString, QString, QString>> refused{
        {"60078", "x", QStringLiteral("必须输入六位股票代码!")},
        {"6000a1", "x", QStringLiteral("必须输入六位股票代码!")},
        {"900001", "x", QStringLiteral("必须输入沪深股票及创业板代码")},
        {"600999", "", QStringLiteral("您输入的股票不存在,请重新输入！")},
    };
    for (const auto& [code, lookedUp, message] : refused) {
        services->messages.clear();
        form1->lookedUpName = lookedUp;
        typeAndConfirm(code);
        EXPECT_EQ(messageTexts(), QStringList{message}) << code.toStdString();
    }
    EXPECT_TRUE(pageRequests().isEmpty());
    EXPECT_EQ(form1->calls, QStringList{QStringLiteral("yzgp 600999")});

    // The look-up leaves the main window's current stock its name.
    form1->state.curname = QStringLiteral("平安银行");
    form1->lookedUpName = QStringLiteral("鲁抗医药");
    typeAndConfirm(QStringLiteral("600789"));
    EXPECT_EQ(form1->state.curname, QStringLiteral("平安银行"));
    EXPECT_EQ(text("Label42"), QStringLiteral(" Brennoc结论: 鲁抗医药 近 10 天主力加仓,散户加仓"));
    EXPECT_EQ(picture()->navigations.last(), server.url("/kline/k/6007891.png?=1"));

    // Picking 30 sums the 12 days there are and rewords the verdict.
    w24<QComboBox>("ComboBox1")->setCurrentText(QStringLiteral("30"));
    form24->ComboBox1Change();
    EXPECT_EQ(text("Label42"), QStringLiteral(" Brennoc结论:  鲁抗医药 近 12 天主力增仓,散户加仓"));
    EXPECT_EQ(text("Label36"), QStringLiteral("流入60"));

    // Main funds that cancel out give no verdict: the label goes back to its design text.
    typeAndConfirm(QStringLiteral("300059"));
    EXPECT_EQ(text("Label42"), QStringLiteral("Brennoc结论："));
}

TEST_F(FundPage24, AShortSummaryRowShowsNothingOfThePreviousStock) {
    form1->getgpzj(QStringLiteral("000001"));
    EXPECT_EQ(text("Label13"), "s44");
    // The same stock's page cut before its P/E and EPS keeps them; another stock's shows them empty.
    const QMap<int, QString> cut{{3, "600789"}, {4, QStringLiteral("鲁抗医药")}};
    pages.insert("000001", FlowPages::page(FlowPages::summary().mid(0, 43), {}));
    pages.insert("600789", FlowPages::page(FlowPages::summary(cut).mid(0, 43), {}));
    form1->getgpzj(QStringLiteral("000001"));
    EXPECT_EQ(text("Label13") + text("Label14"), "s44s45");
    form1->getgpzj(QStringLiteral("600789"));
    EXPECT_EQ(text("Label10"), QStringLiteral("鲁抗医药"));
    EXPECT_EQ(text("Label13") + text("Label14"), QString());
}

TEST_F(FundPage24, AReadInProgressHoldsTheEntryAndRefusesAnotherFill) {
    QList<bool> enabled;
    duringRead = [&] {
        enabled << w24<QPushButton>("Button1")->isEnabled() << w24<QLineEdit>("Edit1")->isEnabled();
        duringRead = nullptr;
        form1->getgpzj(QStringLiteral("600789"));
    };
    form1->getgpzj(QStringLiteral("000001"));
    EXPECT_EQ(enabled, (QList<bool>{false, false}));
    EXPECT_EQ(pageRequests(), QList<QByteArray>{"/fundflow/gpdm.asp?gpdm=000001"});
    EXPECT_TRUE(w24<QPushButton>("Button1")->isEnabled());
}
