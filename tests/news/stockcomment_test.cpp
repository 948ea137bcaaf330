#include "news/stockcomment.h"

#include <QList>

#include <gtest/gtest.h>

TEST(StockComment, TextAfterTheLastTagBeforeTheFontEnd) {
    EXPECT_EQ(News::stockCommentPath(QStringLiteral("000002")), QStringLiteral("/data/qgqp.asp?zqdm=000002"));
    struct Case {
        const char* what;
        QString page;
        std::optional<QString> comment;
    };
    const QList<Case> cases{
        {"font tag", QStringLiteral("<td width=\"156\">&nbsp;<font color=\"red\">走势偏强</font>"),
         QStringLiteral("走势偏强")},
        {"no inner tag", QStringLiteral("<td width=\"156\">&nbsp;震荡</font>"), QStringLiteral("&nbsp;震荡")},
        {"tags before the cell do not count", QStringLiteral("<b class=\"x\">不算</font><td width=\"156\">&nbsp;ok"),
         std::nullopt},
        {"end before any start", QStringLiteral("</font><p class=\"a\">x"), std::nullopt},
        {"cut page", QStringLiteral("<td width=\"156\">&nbsp;<font color=\"red\">未完"), std::nullopt},
        {"empty", QString(), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(News::readStockComment(c.page), c.comment) << c.what;
}
