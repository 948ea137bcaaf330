// The sample sites' back-end news, read as the news pop-up reads it.
#include "market.h"
#include "news/newsrecord.h"
#include "sites.h"

#include <gtest/gtest.h>

namespace {

BackendNews::Fields newsAt(const Sites::Registry& sites, const QDateTime& moment) {
    Market::startAt(moment);
    Loopback::HttpRequest request;
    request.method = "GET";
    request.target = request.path = "/backend/gpgetnews.asp";
    const std::optional<BackendNews::Fields> record = BackendNews::readNewsReply(sites.serve(request).body);
    return record.value_or(BackendNews::Fields{});
}

} // namespace

TEST(NewsflashPages, TheBackendNewsChangesOnlyWithTheHour) {
    Sites::Registry sites;
    Sites::Registration::addAll(sites);
    const QDate day(2024, 1, 3);
    const BackendNews::Fields first = newsAt(sites, QDateTime(day, QTime(10, 5)));
    ASSERT_FALSE(first[1].isEmpty());
    EXPECT_FALSE(BackendNews::isNews(newsAt(sites, QDateTime(day, QTime(10, 35, 30))), first));
    EXPECT_FALSE(BackendNews::isNews(newsAt(sites, QDateTime(day, QTime(10, 59, 59))), first));
    EXPECT_TRUE(BackendNews::isNews(newsAt(sites, QDateTime(day, QTime(11, 0, 1))), first));
}
