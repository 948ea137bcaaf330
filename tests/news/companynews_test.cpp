#include "news/companynews.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

using News::CompanyNews;

TEST(CompanyNews, PathTakesTheMarketFromTheFirstDigit) {
    EXPECT_EQ(News::companyNewsPath(QStringLiteral("600519")), QStringLiteral("/realstock/company/sh600519/nc.shtml"));
    EXPECT_EQ(News::companyNewsPath(QStringLiteral("300059")), QStringLiteral("/realstock/company/sz300059/nc.shtml"));
    EXPECT_THROW(News::companyNewsPath(QStringLiteral("60051/")), Failure);
}

TEST(CompanyNews, BothScansTakeTheirFieldsAtTheirOffsets) {
    const QString rumour = QStringLiteral("[<a href=\"/z.shtml\">资讯</a>] <span><a href=\" http://c/n/1.shtml \" "
                                          "title=\"T\" x>  传闻标题 </a></span>");
    const QString report =
        QStringLiteral("<span>研究报告</span><a title=\" 报告 \" target=\"_b\" href=\"http://c/r/2\">");
    struct Case {
        const char* what;
        QString page;
        CompanyNews news;
    };
    const QList<Case> cases{
        {"whole page",
         rumour + report,
         {QStringLiteral("http://c/n/1.shtml"), QStringLiteral("传闻标题"), QStringLiteral(" 报告 "),
          QStringLiteral("http://c/r/2")}},
        {"nothing before the section marker", QStringLiteral("<a href=\"x.shtml\" title=\"t\">t</a></span>"), {}},
        // Ends met before their starts are ignored; the pairs after them count.
        {"ends before starts",
         QStringLiteral("资讯</a>] .shtml </a></span> href=\"a/b.shtml\" title=\"x\">题</a></span>"),
         {QStringLiteral("a/b.shtml"), QStringLiteral("题"), std::nullopt, std::nullopt}},
        {"report end before start",
         QStringLiteral("<span>研究报告</span>\" target= title=\"R\" target=\">"),
         {std::nullopt, std::nullopt, QStringLiteral("R"), std::nullopt}},
        // The report link ends the scan: a rumour item after it is never read.
        {"report first",
         report + rumour,
         {std::nullopt, std::nullopt, QStringLiteral(" 报告 "), QStringLiteral("http://c/r/2")}},
        {"second item ignored",
         rumour + QStringLiteral("资讯</a>] href=\"y.shtml\" title=\">新</a></span>"),
         {QStringLiteral("http://c/n/1.shtml"), QStringLiteral("传闻标题"), std::nullopt, std::nullopt}},
        {"cut after the start", QStringLiteral("资讯</a>] href="), {}},
        {"title without a tag",
         QStringLiteral("资讯</a>]title=\"无标签</a></span>"),
         {std::nullopt, QStringLiteral("无标签"), std::nullopt, std::nullopt}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(News::readCompanyNews(c.page), c.news) << c.what;
}
