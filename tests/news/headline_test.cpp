#include "news/headline.h"
#include "platform/gbk.h"

#include <gtest/gtest.h>

using NewsFlash::Headline;

TEST(Headline, TheFirstEntryAfterTheListStartGivesLinkAndTitle) {
    const QString entry = QStringLiteral("<li><span>");
    const std::vector<std::pair<QString, std::optional<Headline>>> cases = {
        {entry + R"([10:20]</span><a href="http://n/1.html" title="两市成交" target="_blank">)",
         Headline{"http://n/1.html", QStringLiteral("两市成交")}},
        {R"(<a href="old.html" title="Old" target=>)" + entry + R"(<a href="1.html" title="T" target>)",
         Headline{"1.html", "T"}},
        {entry + R"(<a href="a.html" target="_b" title="T" target>)", Headline{"a.html", "T"}},
        {entry + R"(<a href="a.html" title="x.html" target>)", Headline{"a.html", "x.html"}},
        {entry + R"(<a href="a.php" title="" target>)", Headline{"", ""}},
        {entry + R"(<a href="a.html" title="T)", std::nullopt},
        {entry + R"(<a href="a.html" title=")" + QString(5000, u'x') + R"(<i>" target>)",
         Headline{"a.html", QString(5000, u'x') + "<i>"}},
        {R"(<a href="a.html" title="T" target>)", std::nullopt},
        {QString(), std::nullopt},
    };
    for (const auto& [page, expected] : cases) {
        EXPECT_EQ(NewsFlash::readHeadline(page), expected) << page.toStdString();
        EXPECT_EQ(NewsFlash::readHeadlineReply(Gbk::encode(page)), expected) << page.toStdString();
    }
}
