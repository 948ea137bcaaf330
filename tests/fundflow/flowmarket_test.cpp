// The sample sites' fund-flow pages, read back through the program's own readers: the pages must keep the layout
// the readers expect.
#include "flowmarket.h"

#include "fundflow/fundpage.h"
#include "fundflow/periodquery.h"
#include "platform/failures.h"

#include <gtest/gtest.h>

TEST(SimulatedFlowPage, EveryStocksPageReadsBackThroughBothReaders) {
    const QDateTime moment(QDate(2026, 12, 7), QTime(10, 30)); // a Monday, trading
    const QList<QDate> days = FlowMarket::tradingDays(moment, FlowMarket::pageDays);
    EXPECT_EQ(days.first(), moment.date());
    EXPECT_EQ(FlowMarket::tradingDays(QDateTime(moment.date(), QTime(9, 0)), 1).first(), QDate(2026, 12, 4));
    for (const Market::Listing& listing : Market::listings()) {
        const QByteArray page = FlowMarket::detailPage(listing.code, moment);
        const FundPage::Read read = FundPage::readPage(page, {});
        EXPECT_EQ(read.summary.summaryname, listing.name) << listing.code.toStdString();
        ASSERT_EQ(read.days.dailynet.size(), FlowMarket::pageDays) << listing.code.toStdString();
        EXPECT_EQ(read.days.dailynet.first(), read.summary.summarynet) << listing.code.toStdString();
        EXPECT_NO_THROW(FundPage::sums(read.days, FlowMarket::pageDays)) << listing.code.toStdString();
        EXPECT_EQ(PeriodQuery::readTable(page, days.last(), days.first()).rows.periodnet, read.days.dailynet);
    }
    EXPECT_THROW(FundPage::readPage(FlowMarket::detailPage(QStringLiteral("600999"), moment), {}), Failure);
}
