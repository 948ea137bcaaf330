// The fund-flow screening form against a back-end on 127.0.0.1: the request, the grid and its links.
#include "app/form1_fixture.h"
#include "app/stringgrid.h"
#include "app/tform1_ui.h"
#include "loopback/httpserver.h"
#include "platform/gbk.h"
#include "platform/httpclient.h"

#include <QLabel>
#include <QTest>

namespace {

class ScreeningForm1 : public TForm1 {
public:
    void getgpzj(const QString& code) override { opened << code; }
    QStringList opened;
};

class ScreeningForm : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        server.route("/gpzjcx2.asp", [this](const Loopback::HttpRequest&) {
            fetchesOff = !form->ui->BitBtn8->isEnabled() && !form->ui->Label21->isEnabled();
            return Loopback::HttpReply::html(R"(<body text="#000000">)" + Gbk::encode(payload) + "</body>")
                .withDelivery(stall ? Loopback::Delivery::stalled(0) : Loopback::Delivery());
        });
        form = std::make_unique<ScreeningForm1>();
        form->state.serverurl = server.url(QString());
    }

    QStringList row(int row) {
        QStringList cells;
        for (int column = 0; column < 9; ++column)
            cells << form->ui->StringGrid2->cell(column, row);
        return cells;
    }

    Loopback::HttpServer server;
    QString payload = QStringLiteral("2024-07-01&&&012&13&2-4&3-11&41.25&515&6浦发银行&7600000&8"
                                     "&0&1&2&3&4&5&6万科A&7000002&8&07&17&27&37&47&57&6比亚迪&7002594&8");
    bool fetchesOff = false;
    bool stall = false;
    std::unique_ptr<ScreeningForm1> form;
};

} // namespace

TEST_F(ScreeningForm, FillsTheGridWhileBothFetchesOfItsClientAreOffAndOpensTheSelectedStock) {
    form->BitBtn8Click();
    EXPECT_TRUE(fetchesOff);
    EXPECT_TRUE(form->ui->BitBtn8->isEnabled() && form->ui->Label21->isEnabled());
    EXPECT_TRUE(form->ui->Panel5->isHidden() && form->ui->Panel23->isHidden());
    EXPECT_EQ(form->ui->Label55->text(), QStringLiteral("最后更新日期:2024-07-01"));
    EXPECT_EQ(form->ui->StringGrid2->rowCount(), 5);
    EXPECT_EQ(row(0).at(3), QStringLiteral("净 流 入"));
    EXPECT_EQ(row(1), QStringList({"1", "浦发银行", "600000", "15", "12", "3", "-4", "-11", "1.25"}));
    EXPECT_EQ(row(4), QStringList(9));

    form->ui->StringGrid2->setCurrentCell(3, 1);
    form->ui->StringGrid2->setCurrentCell(4, 0);
    form->ui->StringGrid2->setCurrentCell(1, 0);
    EXPECT_EQ(form->opened, QStringList({"002594", "600000"}));
}

TEST_F(ScreeningForm, StopsAtAnEmptyBoxAndEndsInANoticeOrTheErrorKeepingTheGrid) {
    form->ui->Edit3->clear();
    form->BitBtn8Click();
    form->ui->Edit3->setText(QStringLiteral("1"));
    form->BitBtn8Click();
    payload = QStringLiteral("&01&12&23&8");
    form->BitBtn8Click();
    stall = true;
    form->IdHTTP7->setReadTimeout(200);
    form->BitBtn8Click();
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_EQ(messageTexts(), QStringList({"必须输入特大资金量", "读取查询数据时发生错误，请重试！",
                                           "读取查询数据时发生错误，请重试！"}));
    EXPECT_EQ(form->ui->StringGrid2->rowCount(), 5);
    EXPECT_TRUE(form->ui->BitBtn8->isEnabled() && form->ui->Label21->isEnabled());

    payload = QStringLiteral("2024-07-01&&");
    stall = false;
    form->BitBtn8Click();
    EXPECT_EQ(services->messages.back().text, QStringLiteral("没有找到符合条件的数据！"));
    EXPECT_EQ(services->messages.back().caption, noticeCaption);
    EXPECT_EQ(form->ui->StringGrid2->rowCount(), 2);
}

TEST_F(ScreeningForm, APickLabelOpensOnlyACaptionThatStartsWithACodeAndOnlyWhenEnabled) {
    form->ui->Label18->setText(QStringLiteral(" 600000浦发银行"));
    form->ui->Label20->setText(QStringLiteral("XXXX"));
    QTest::mouseClick(form->ui->Label18, Qt::LeftButton);
    QTest::mouseClick(form->ui->Label20, Qt::LeftButton);
    form->ui->Label18->setEnabled(false);
    QTest::mouseClick(form->ui->Label18, Qt::LeftButton);
    EXPECT_EQ(form->opened, QStringList{"600000"});
}
