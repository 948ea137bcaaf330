#include "news/watchedlist.h"
#include "platform/gbk.h"

#include <gtest/gtest.h>

using WatchedList::Scan;

TEST(WatchedList, ItemsRunFromTheMarkersTwoToTheNextBlank) {
    const QByteArray start = R"(<span style="color:#FF3300">)";
    const QByteArray gbk = Gbk::encode(QStringLiteral("2024-01-03 私募"));
    const std::vector<std::pair<QByteArray, QList<QByteArray>>> cases = {
        {start + "2024-01-03 10:30&nbsp;</span>" + start + gbk + "&nbsp;", {"2024-01-03 10:30", gbk}},
        {start + "2a" + start + "2b&nbsp;" + start + "2c", {"2b"}},
        {start + "1999&nbsp;" + start + "2&nbsp;", {"2"}},
        {"color:#FF3300\"2&nbsp;&nbsp;", {}},
        {QByteArray(), {}},
    };
    for (const auto& [page, expected] : cases)
        EXPECT_EQ(WatchedList::readItems(page), expected) << page.toStdString();
}

TEST(WatchedList, OnlyAScanWithItemsBecomesTheBaselineAndOnlyADifferenceChangesIt) {
    const QList<QByteArray> ab = {"a", "b"};
    const std::vector<std::tuple<QList<QByteArray>, QList<QByteArray>, Scan>> cases = {
        {{}, {}, Scan::Unchanged},       {{}, ab, Scan::Baseline},  {ab, {"a", "b", "c"}, Scan::Unchanged},
        {ab, {"a"}, Scan::Unchanged},    {ab, {}, Scan::Unchanged}, {ab, {"c", "a", "b"}, Scan::Changed},
        {ab, {"a", "c"}, Scan::Changed},
    };
    for (const auto& [saved, scanned, expected] : cases)
        EXPECT_EQ(WatchedList::compare(saved, scanned), expected) << saved.size() << " " << scanned.size();
}
