#include "quotes/indexpage.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

using namespace Quotes;
using namespace Qt::StringLiterals;

TEST(IndexPage, ReadsBothSectionsAndANameMetAgainRestartsItsSection) {
    const IndexPage page = readIndexReply(u"var data=\"上证指数,3245.67,-12.34,-0.38%,42345678.90,2026-12-07,\";\n"
                                          u"var data2=\"深证成指,10245.67,0.00,0.00%,55000.5,x,\";"_s.toUtf8());
    ASSERT_EQ(page.sections.size(), 2);
    const IndexSection shanghai = *page.latest(IndexMarket::Shanghai);
    EXPECT_EQ(QStringList({shanghai.value, shanghai.change, shanghai.range}),
              QStringList({"3245.67", "-12.34", "-0.38%"}));
    EXPECT_EQ(std::pair(shanghai.present, shanghai.turnoverYi), std::pair(5, qint64(4235)));
    EXPECT_EQ(page.latest(IndexMarket::Shenzhen)->turnoverYi, 6);

    const IndexPage twice = parseIndexPage(u"上证指数,1,2,3,10000,上证指数,7, 8 ,深证成指,9,8,7,6,5,上证指数"_s);
    ASSERT_EQ(twice.sections.size(), 4);
    EXPECT_EQ(std::pair(twice.sections[1].change, twice.sections[1].present), std::pair(u" 8 "_s, 3));
    EXPECT_EQ(twice.sections[2].turnover, QStringLiteral("6"));
    // The trailing name closes no field at all.
    EXPECT_EQ(twice.latest(IndexMarket::Shanghai)->present, 0);
}

TEST(IndexPage, NameInsideAFieldEndsTheSectionThere) {
    const IndexPage page = parseIndexPage(QStringLiteral("上证指数,3200.1,1.2深证成指,9,8,"));
    ASSERT_EQ(page.sections.size(), 2);
    EXPECT_EQ(page.sections[0].present, 2);
    EXPECT_EQ(page.sections[0].change, QString());
    EXPECT_EQ(page.sections[1].value, QStringLiteral("9"));
    EXPECT_EQ(page.sections[1].change, QStringLiteral("8"));

    // A name's first character alone is field text.
    const IndexPage alike = parseIndexPage(QStringLiteral("上证指数,深圳,上海,深证成,上证指"));
    ASSERT_EQ(alike.sections.size(), 1);
    EXPECT_EQ(QStringList({alike.sections[0].value, alike.sections[0].change, alike.sections[0].range}),
              QStringList({"深圳", "上海", "深证成"}));
    EXPECT_EQ(alike.sections[0].present, 4);
}

TEST(IndexPage, TurnoverRoundsHalfToEven) {
    const std::pair<QString, qint64> cases[] = {
        {"12345", 1},   {"15000", 2}, {"25000", 2},   {"35000", 4},         {"4999.99", 0},
        {"-15000", -2}, {"0", 0},     {"  25001", 3}, {"42345678.9", 4235},
    };
    for (const auto& [field5, yi] : cases)
        EXPECT_EQ(turnoverInYi(field5), yi) << field5.toStdString();
    const QString refused[] = {"", "abc", "1,000", u"12亿"_s, "1e30", "inf", "nan"};
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
