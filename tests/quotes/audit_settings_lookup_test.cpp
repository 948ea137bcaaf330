// The settings window's look-up of a code: what its name label shows when the quote service's record names no
// stock, and when the reply is too short to reach the name at all.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/tform4.h"
#include "support/servers/httpserver.h"

#include <QLabel>
#include <QLineEdit>

#include <map>

namespace {

class LookupTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        server.route("/quotes/EM_Quote2007/optional.aspx", [this](const Loopback::HttpRequest& request) {
            return Loopback::HttpReply::html(replies.at(QString::fromLatin1(request.queryValue("fav"))));
        });
        form1 = std::make_unique<RecordingForm1>();
        Form1 = form1.get();
        form1->createbase();
        Form3 = new TForm3;
        Form4 = new TForm4;
        Form15 = new TForm15;
        setWindowsCreated(true);
    }

    void TearDown() override {
        setWindowsCreated(false);
        delete Form15;
        delete Form4;
        delete Form3;
        Form15 = nullptr;
        Form4 = nullptr;
        Form3 = nullptr;
        Form1 = nullptr;
        form1.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    QString nameAfterAdding(const QString& code) {
        widgetNamed<QLineEdit>(Form3, "Edit1")->setText(code);
        Form3->BitBtn1Click();
        return widgetNamed<QLabel>(Form3, "Label12")->text();
    }

    Loopback::HttpServer server;
    std::map<QString, QByteArray> replies{
        {QStringLiteral("600000"), "1,600000,浦发银行,10.50,1.23%,0.13,"},
        {QStringLiteral("600998"), "1,600998,"},             // too short to reach the name
        {QStringLiteral("600999"), "1,600999,,,,,,,,,,,,,"}, // the service's answer for a code it does not know
    };
    std::unique_ptr<RecordingForm1> form1;
};

} // namespace

TEST_F(LookupTest, ARecordWithoutANameEmptiesTheNameLabel) {
    form1->N17Click();
    ASSERT_TRUE(Form3->isVisible());
    EXPECT_EQ(nameAfterAdding(QStringLiteral("600000")), QStringLiteral("浦发银行"));
    // The name field never closed: the label keeps what it showed.
    EXPECT_EQ(nameAfterAdding(QStringLiteral("600998")), QStringLiteral("浦发银行"));
    // The name field closed empty: the label shows that empty name beside the refusal.
    EXPECT_EQ(nameAfterAdding(QStringLiteral("600999")), QString());
    EXPECT_EQ(messageTexts(), QStringList({"输入的股票代码不存在，请重新输入!", "输入的股票代码不存在，请重新输入!"}));
    EXPECT_EQ(form1->state.watchcodes, QStringList{"600000"});
}
