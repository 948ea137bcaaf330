// The quote service's pages fetched on a caller's client, which may go away while the fetch waits.
#include "platform/httpclient.h"
#include "quotes/quoteservice.h"
#include "support/quoteservice.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <new>

// A handler that runs while the request waits deletes its client: the request fails, and nothing touches the
// client afterwards. The client lives in storage that its deletion fills with a pattern, as a later allocation
// would reuse freed memory, so that a late use of the deleted client shows in a plain build too.
TEST(QuoteServiceFetch, AClientDeletedWhileItsRequestWaitsFailsTheRequestUntouched) {
    QuoteService service;
    service.records["600519"] = Quote{.code = "600519"}.bytes();
    service.delivery = Loopback::Delivery::delayed(300);
    constexpr std::byte freed{0x7f};
    alignas(HttpClient) std::array<std::byte, sizeof(HttpClient)> storage{};
    auto* client = new (storage.data()) HttpClient;
    QTimer::singleShot(50, [&] {
        client->~HttpClient();
        storage.fill(freed);
    });
    EXPECT_THROW(Quotes::fetchQuotePage(*client, QStringLiteral("600519")), HttpError);
    EXPECT_TRUE(std::all_of(storage.begin(), storage.end(), [&](std::byte byte) { return byte == freed; }));
}
