#include "news/latepicks.h"
#include "platform/gbk.h"

#include <gtest/gtest.h>

TEST(LatePicks, TheLastColonBeforeTheBodyEndSplitsDateAndPicks) {
    const QString body = QStringLiteral(R"(<html><body text="#000000">)");
    struct Case {
        QString reply;
        std::optional<QString> date;
        std::optional<QString> content;
    };
    const std::vector<Case> cases = {
        {body + QStringLiteral(" 2024-1-3 14:55: 600519 贵州茅台&000858 五粮液 </body>:x"),
         QStringLiteral("2024-1-3 14:55"), QStringLiteral("600519 贵州茅台&000858 五粮液")},
        {body + "2024-1-3 600519</body>", std::nullopt, std::nullopt},
        {body + "2024-1-3 14:55:600519", "2024-1-3 14:55", std::nullopt},
        {R"(<a href="http://x">)" + body + "</body>", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const LatePicks::Notice notice = LatePicks::readNotice(Gbk::encode(c.reply));
        EXPECT_EQ(notice.date, c.date) << c.reply.toStdString();
        EXPECT_EQ(notice.content, c.content) << c.reply.toStdString();
    }
    EXPECT_EQ(LatePicks::splitPicks("a&b&c")->second, "b&c");
    EXPECT_FALSE(LatePicks::splitPicks("600519 a"));
}
