#include "news/newsrecord.h"
#include "platform/gbk.h"

#include <gtest/gtest.h>

using BackendNews::Fields;

TEST(NewsRecord, OnlyAReplyWithTheMarkerAndAHeadlineHasARecord) {
    const QString body = QStringLiteral(R"(<body text="#000000">)");
    const std::vector<std::pair<QString, std::optional<Fields>>> cases = {
        {body + QStringLiteral(" <p>正文</p> &1 标题 &22024-1-3&3研究部&4tail&1x"),
         Fields{"<p>正文</p>", QStringLiteral("标题"), "2024-1-3", QStringLiteral("研究部")}},
        {body + "B&1H&2", Fields{"B", "H", "", ""}},
        {"x&1y&2" + body + "B&1H&2", Fields{"B", "H", "", ""}},
        {body + R"(junk<font color="#000000">B&1H&2)", Fields{"B", "H", "", ""}},
        {body + "B&1H&3C&4", std::nullopt},
        {body + "B&4H&2", std::nullopt},
        {"B&1H&2C&3D&4", std::nullopt},
        {body + "B&1H&", std::nullopt},
    };
    for (const auto& [reply, expected] : cases)
        EXPECT_EQ(BackendNews::readNewsReply(Gbk::encode(reply)), expected) << reply.toStdString();
}

TEST(NewsRecord, NewsIsADifferentBodyOrHeadline) {
    const Fields saved{"B", "H", "d", "s"};
    EXPECT_FALSE(BackendNews::isNews({"B", "H", "other", "fields"}, saved));
    EXPECT_TRUE(BackendNews::isNews({"B2", "H", "d", "s"}, saved));
    EXPECT_TRUE(BackendNews::isNews({"B", "H2", "d", "s"}, saved));
    EXPECT_FALSE(BackendNews::isNews({}, {}));
}
