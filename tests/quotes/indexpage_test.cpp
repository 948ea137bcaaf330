#include "quotes/indexpage.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

using namespace Quotes;

TEST(IndexPage, ReadsBothSections) {
    const QByteArray reply = QStringLiteral("var data=\"上证指数,3245.67,-12.34,-0.38%,42345678.90,2026-12-07,\";\n"
                                            "var data2=\"深证成指,10245.67,0.00,0.00%,55000.5,x,\";")
                                 .toUtf8();
    const IndexPage page = readIndexReply(reply);
    ASSERT_EQ(page.sections.size(), 2);
    const IndexSection shanghai = *page.latest(IndexMarket::Shanghai);
    EXPECT_EQ(shanghai.present, 5);
    EXPECT_EQ(shanghai.value, QStringLiteral("3245.67"));
    EXPECT_EQ(shanghai.change, QStringLiteral("-12.34"));
    EXPECT_EQ(shanghai.range, QStringLiteral("-0.38%"));
    EXPECT_EQ(shanghai.turnoverYi, 4235);
    const IndexSection shenzhen = *page.latest(IndexMarket::Shenzhen);
    EXPECT_EQ(shenzhen.value, QStringLiteral("10245.67"));
    EXPECT_EQ(shenzhen.change, QStringLiteral("0.00"));
    EXPECT_EQ(shenzhen.turnoverYi, 6);
}

TEST(IndexPage, NameMetAgainRestartsItsSection) {
    const IndexPage page =
        parseIndexPage(QStringLiteral("上证指数,1,2,3,10000,上证指数,7, 8 ,深证成指,9,8,7,6,5,上证指数"));
    ASSERT_EQ(page.sections.size(), 4);
    EXPECT_EQ(page.sections[0].present, 5);
    EXPECT_EQ(page.sections[0].turnover, QStringLiteral("10000"));
    EXPECT_EQ(page.sections[1].value, QStringLiteral("7"));
    EXPECT_EQ(page.sections[1].change, QStringLiteral(" 8 "));
    EXPECT_EQ(page.sections[1].present, 3);
    EXPECT_EQ(page.sections[2].turnover, QStringLiteral("6"));
    // The trailing name closes no field at all.
    EXPECT_EQ(page.latest(IndexMarket::Shanghai)->present, 0);
}

TEST(IndexPage, NameInsideAFieldEndsTheSectionThere) {
    const IndexPage page = parseIndexPage(QStringLiteral("上证指数,3200.1,1.2深证成指,9,8,"));
    ASSERT_EQ(page.sections.size(), 2);
    EXPECT_EQ(page.sections[0].present, 2);
    EXPECT_EQ(page.sections[0].change, QString());
    EXPECT_EQ(page.sections[1].value, QStringLiteral("9"));
    EXPECT_EQ(page.sections[1].change, QStringLiteral("8"));
}

TEST(IndexPage, TurnoverRoundsHalfToEven) {
    struct Case {
        QString field5;
        qint64 yi;
    };
    const QList<Case> cases{
        {QStringLiteral("12345"), 1}, {QStringLiteral("15000"), 2},   {QStringLiteral("25000"), 2},
        {QStringLiteral("35000"), 4}, {QStringLiteral("4999.99"), 0}, {QStringLiteral("-15000"), -2},
        {QStringLiteral("0"), 0},     {QStringLiteral("  25001"), 3}, {QStringLiteral("42345678.9"), 4235},
    };
    for (const Case& c : cases)
        EXPECT_EQ(turnoverInYi(c.field5), c.yi) << c.field5.toStdString();

    const QStringList refused{QString(),
                              QStringLiteral("abc"),
                              QStringLiteral("1,000"),
                              QStringLiteral("12亿"),
                              QStringLiteral("1e30"),
                              QStringLiteral("inf"),
                              QStringLiteral("nan")};
    for (const QString& text : refused)
        EXPECT_THROW(turnoverInYi(text), Failure) << text.toStdString();
}

TEST(IndexPage, UnreadableTurnoverFailsThePage) {
    EXPECT_THROW(parseIndexPage(QStringLiteral("上证指数,3200,1,0.1%,--,")), Failure);
    EXPECT_THROW(parseIndexPage(QStringLiteral("上证指数,3200,1,0.1%,1,深证成指,1,2,3,,")), Failure);
    // A turnover that never closes is never converted.
    EXPECT_NO_THROW(parseIndexPage(QStringLiteral("上证指数,3200,1,0.1%,--")));
}

TEST(IndexPage, HostilePagesGiveNoSections) {
    EXPECT_TRUE(readIndexReply(QByteArray()).sections.isEmpty());
    EXPECT_TRUE(parseIndexPage(QStringLiteral("3200,1,0.1%,12345,上证指,深证成")).sections.isEmpty());
    EXPECT_TRUE(readIndexReply(QByteArray(4 * 1024 * 1024, ',')).sections.isEmpty());
    EXPECT_FALSE(parseIndexPage(QString()).latest(IndexMarket::Shenzhen).has_value());
}
