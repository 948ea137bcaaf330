// The back-end's fund-flow screening "/gpzjcx2.asp": the stocks of the simulated market whose flows over the
// last `rq` trading days pass the thresholds, from the same daily flows as the fund-flow site's pages.
#include "sites.h"

#include "app/backend.h"
#include "app/hosts.h"
#include "flowmarket.h"
#include "market.h"
#include "platform/gbk.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

constexpr int kMostDays = 30;
// A stock's float turns over about this share of itself on an ordinary day.
constexpr double kDailyTurnoverShare = 0.03;

struct Screened {
    qint64 xl = 0, large = 0, medium = 0, small = 0, net = 0; // 万元 over the days
    double rise = 0;                                          // % from the first day's previous close
    double freeFloat = 0;                                     // 亿股
    const Market::Listing* listing = nullptr;
};

std::optional<double> number(const QByteArray& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

Screened screen(const Market::Listing& listing, const QList<QDate>& days, const QDateTime& now) {
    Screened sums;
    sums.listing = &listing;
    qint64 firstPreviousClose = 0;
    qint64 lastPrice = 0;
    for (const QDate& day : days) {
        const FlowMarket::DayFlow flow = FlowMarket::dayFlow(listing, day, now);
        sums.xl += flow.xl;
        sums.large += flow.large;
        sums.medium += flow.medium;
        sums.small += flow.small;
        sums.net += flow.net;
        firstPreviousClose = flow.quote.previousClose; // the days run newest first
        if (lastPrice == 0)
            lastPrice = flow.quote.price;
    }
    if (firstPreviousClose > 0)
        sums.rise = (static_cast<double>(lastPrice) / firstPreviousClose - 1.0) * 100.0;
    if (lastPrice > 0)
        sums.freeFloat = listing.typicalTurnover / kDailyTurnoverShare / (lastPrice / 100.0);
    return sums;
}

QString record(const Screened& s) {
    const QStringList fields{
        QString::number(s.xl),           QString::number(s.large), QString::number(s.medium), QString::number(s.small),
        QString::number(s.rise, 'f', 2), QString::number(s.net),   s.listing->name,           s.listing->code};
    QString text = QStringLiteral("&0");
    for (qsizetype i = 0; i < fields.size(); ++i)
        text += (i == 0 ? QString() : QStringLiteral("&%1").arg(i)) + fields.at(i);
    return text + QStringLiteral("&8\r\n");
}

// "/gpzjcx2.asp?rq=3&tdzj=1000&ddzj=1000&zf=5&ltp=9999": the update date (the newest trading day), "&&", and
// the passing stocks by net inflow, largest first. Values that are not numbers find nothing.
Loopback::HttpReply screeningPage(const Loopback::HttpRequest& request) {
    const QDateTime now = Market::now();
    const QList<QDate> newest = FlowMarket::tradingDays(now, 1);
    QString payload = newest.first().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("&&");
    const std::optional<double> days = number(request.queryValue("rq"));
    const std::optional<double> xl = number(request.queryValue("tdzj"));
    const std::optional<double> large = number(request.queryValue("ddzj"));
    const std::optional<double> rise = number(request.queryValue("zf"));
    const std::optional<double> freeFloat = number(request.queryValue("ltp"));
    if (days && xl && large && rise && freeFloat) {
        const QList<QDate> span = FlowMarket::tradingDays(now, std::clamp(static_cast<int>(*days), 1, kMostDays));
        QList<Screened> passing;
        for (const Market::Listing& listing : Market::listings()) {
            const Screened s = screen(listing, span, now);
            if (s.xl >= *xl && s.large >= *large && s.rise <= *rise && s.freeFloat <= *freeFloat)
                passing << s;
        }
        std::stable_sort(passing.begin(), passing.end(),
                         [](const Screened& a, const Screened& b) { return a.net > b.net; });
        for (const Screened& s : passing)
            payload += record(s);
    }
    return Sites::gbkPage(Sites::envelope(payload));
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::backend.key, Backend::screeningPage.toLatin1(), screeningPage);
});

} // namespace
