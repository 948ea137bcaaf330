#include "news/noticelist.h"

#include <gtest/gtest.h>

using News::NoticeList;

namespace {
QString item(const QString& inner, const QString& date) {
    return QStringLiteral("<span class=\"caption\">%1</a></span><span class=\"time\">%2</span>").arg(inner, date);
}
const QString kBase = QStringLiteral("http://n/Notice/");
} // namespace

TEST(NoticeList, ItemsGiveLinkFromTheTenthCharacterAndTitleAfterTheBracket) {
    struct Case {
        const char* what;
        QString page;
        NoticeList list;
    };
    const QList<Case> cases{
        {"heading and one item",
         item(QStringLiteral("<a href=\"#\">公告标题"), QStringLiteral("公告时间")) +
             item(QStringLiteral("<a href=\"D.aspx?id=1\">茅台(600519)年报(摘要)"), QStringLiteral("2026-03-05")),
         {{QStringLiteral("公告标题"), QStringLiteral("年报(摘要)")},
          {kBase + QStringLiteral("#"), kBase + QStringLiteral("D.aspx?id=1")},
          {QStringLiteral("公告时间"), QStringLiteral("2026-03-05")}}},
        // A date span before the first item is not read; ends without their starts are ignored.
        {"date before any item",
         QStringLiteral("</span></a></span><span class=\"time\">2026-1-1</span>") +
             item(QStringLiteral("<a href=\"x\">题"), QStringLiteral("d")),
         {{QStringLiteral("题")}, {kBase + QStringLiteral("x")}, {QStringLiteral("d")}}},
        {"item without an address",
         item(QStringLiteral("纯文字)标题"), QString()),
         {{QStringLiteral("标题")}, {QString()}, {QString()}}},
        {"cut inside an item", QStringLiteral("<span class=\"caption\"><a href=\"y\">未完"), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(News::readNoticeList(c.page, kBase), c.list) << c.what;
}

TEST(NoticeList, TodayTestSkipsTheHeadingAndUnreadableDates) {
    const QDate today(2026, 3, 5);
    const auto dated = [&](QStringList dates) { return News::hasNoticeOn(dates, today); };
    EXPECT_TRUE(dated({QStringLiteral("公告时间"), QStringLiteral("2026-03-05")}));
    EXPECT_TRUE(dated({QStringLiteral("明天"), QStringLiteral("2026-13-01"), QStringLiteral(" 2026-3-5 ")}));
    EXPECT_FALSE(dated({QStringLiteral("2026-03-04"), QStringLiteral("2026-03-05 09:00"), QStringLiteral("26-3-5")}));
    EXPECT_FALSE(dated({}));
}
