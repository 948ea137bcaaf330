#include "news/pagescan.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

TEST(PageScan, CaptionsLongerThanSixteenCharactersAreCut) {
    const QString sixteen = QStringLiteral("一二三四五六七八九十一二三四五六");
    EXPECT_EQ(News::shortCaption(sixteen), sixteen);
    EXPECT_EQ(News::shortCaption(sixteen + u'七'), sixteen + QStringLiteral("..."));
    EXPECT_EQ(News::shortCaption(QString()), QString());
}

TEST(PageScan, OnlySixDigitCodesMakeAPath) {
    EXPECT_EQ(News::stockPagePath(QStringLiteral("/a/"), QStringLiteral("000002"), QStringLiteral(".html")),
              QStringLiteral("/a/000002.html"));
    for (const char* code : {"00002", "0000021", "00000a", "../x/1"})
        EXPECT_THROW(News::stockPagePath(QStringLiteral("/a/"), QString::fromLatin1(code), QString()), Failure) << code;
}
