#include "news/shortcuts.h"

#include <gtest/gtest.h>

TEST(Shortcuts, TheDigestIsYesterdaysCalendarDate) {
    const std::vector<std::pair<QDate, QString>> cases = {
        {QDate(2011, 1, 1), "/a/20101231/"},
        {QDate(2012, 3, 1), "/a/20120229/"},
        {QDate(2024, 3, 15), "/a/20240314/"},
        {QDate(2024, 10, 10), "/a/20241009/"},
    };
    for (const auto& [today, path] : cases)
        EXPECT_EQ(Shortcuts::digestPath(today), path) << today.toString().toStdString();
}
