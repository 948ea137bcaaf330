#include "rankings/ndayquery.h"

#include "rankpages.h"

#include <gtest/gtest.h>

using namespace Rankings;

TEST(NdayQuery, RoundsToTheColumnAndPassesOverShortRowsAndValuesTooBigForIt) {
    const QByteArray page = rankRow("600001", QStringLiteral(" 浦发银行 "), "1.234") +
                            rankRow("600003", QStringLiteral("短行"), "2.00", 34) +
                            rankRow("600004", QStringLiteral("巨额"), "1e6") + rankRow("600005", "X", "-0.005");
    const QList<NdayRow> taken = readNdayRows(rankpage(page), *ndayCategory(QStringLiteral("累计涨幅靠前的")));
    ASSERT_EQ(taken.size(), 2);
    EXPECT_EQ(taken.at(0).name, QStringLiteral("浦发银行"));
    EXPECT_EQ(taken.at(0).value, 1.23);
    EXPECT_EQ(taken.at(1).value, -0.01);
}

TEST(NdayQuery, OnlyTheChangeCategoriesLeaveOutNewListings) {
    const QList<NdayStock> stocks{{QStringLiteral("301001"), QStringLiteral("N新股 ")},
                                  {QStringLiteral("600000 "), QStringLiteral(" 浦发银行")}};
    for (const NdayCategory& category : ndayCategories()) {
        const QStringList captions = ndayCaptions(stocks, category);
        EXPECT_EQ(captions.last(), QStringLiteral("600000浦发银行"));
        EXPECT_EQ(captions.size(), category.text.startsWith(QStringLiteral("累计")) ? 1 : 2);
    }
}
