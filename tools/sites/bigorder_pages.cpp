// The big-order site's three chart pages of a stock, "/stock/<sh|sz>/<code>/single-bar.htm", "single-barDay.htm"
// and "single-pie.htm", drawn from the simulated market at the market clock's moment. Big orders are a share of
// the volume that the market traded in each half hour, leaning to the buy side when the price rose. The bar page
// gains one item as each half hour of trading ends (none before 10:00, eight from 15:00 on); the day page holds
// the last ten trading days; the pie page splits today's big-order turnover into eight size classes. The chart
// figures travel as the parameters of the page's flash chart, as the live site sends them. GBK pages.
#include "sites.h"

#include "app/hosts.h"
#include "market.h"
#include "platform/gbk.h"

#include <QStringList>
#include <QTime>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Market::mix;

constexpr int kHalfHours = 8;
// The end of each half hour of trading, in the order of the bar page's items.
const std::array<QTime, kHalfHours> kHalfHourEnds = {QTime(10, 0),  QTime(10, 30), QTime(11, 0),  QTime(11, 30),
                                                     QTime(13, 30), QTime(14, 0),  QTime(14, 30), QTime(15, 0)};
const QTime kMorningOpen(9, 30);
const QTime kAfternoonOpen(13, 0);
constexpr int kDays = 10;
constexpr int kSharesPerLot = 100;
constexpr int kSharesPer10k = 10000;

// The size classes in the pie page's order: four buy classes, then four sell classes, by their page colours.
const QStringList kClassColours = {QStringLiteral("#FF6666"), QStringLiteral("#FF3333"), QStringLiteral("#CC3333"),
                                   QStringLiteral("#990000"), QStringLiteral("#99FF00"), QStringLiteral("#00CC33"),
                                   QStringLiteral("#009966"), QStringLiteral("#336600")};
const QStringList kClassNames = {QStringLiteral("买入50万以下"),  QStringLiteral("买入50-200万"),
                                 QStringLiteral("买入200-500万"), QStringLiteral("买入500万以上"),
                                 QStringLiteral("卖出50万以下"),  QStringLiteral("卖出50-200万"),
                                 QStringLiteral("卖出200-500万"), QStringLiteral("卖出500万以上")};

const QString kBuyTitle = QStringLiteral("大单买入");
const QString kSellTitle = QStringLiteral("大单卖出");
const QString kUnitNote = QStringLiteral("单位:万股 单笔成交在50万元以上的称为大单");
const QString kTodayTitle = QStringLiteral("今日每半小时大单成交");
const QString kDaysTitle = QStringLiteral("近10日大单成交(股)");
const QString kPieTitle = QStringLiteral("今日大单成交分布(%)");
const QString kUnknownStock = QStringLiteral("没有该股票的大单数据");

// Uniform in [0, 1), the same for the same stock, day and index.
double draw(const Market::Listing& listing, const QDate& date, quint64 index) {
    const quint64 bits = mix(mix(listing.code.toULongLong()) ^ mix(static_cast<quint64>(date.toJulianDay()) << 8) ^
                             mix(index + 0x6269676f72646572ULL));
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

// The trading day a moment shows: Saturday and Sunday show Friday.
QDate tradingDay(const QDate& date) {
    const int weekday = date.dayOfWeek();
    return weekday > 5 ? date.addDays(5 - weekday) : date;
}

QDate previousTradingDay(const QDate& date) {
    return tradingDay(date.addDays(-1));
}

// Big-order buys and sells of one half hour, in shares.
struct Flow {
    qint64 buys = 0;
    qint64 sells = 0;
};

// The half hours of a day that have ended by `upTo` (all eight on an earlier day).
QList<Flow> halfHourFlows(const Market::Listing& listing, const QDate& day, const QDateTime& upTo) {
    QList<Flow> flows;
    Market::Quote before = Market::quote(listing, QDateTime(day, kMorningOpen));
    for (int k = 0; k < kHalfHours; ++k) {
        const QDateTime end(day, kHalfHourEnds[k]);
        if (end > upTo)
            break;
        const Market::Quote after = Market::quote(listing, end);
        const double shares = static_cast<double>(after.volume - before.volume) * kSharesPerLot;
        const double move = before.price == 0 ? 0.0 : static_cast<double>(after.price - before.price) / before.price;
        const double bigShare = 0.22 + 0.18 * draw(listing, day, 2 * k);
        const double lean = std::clamp(0.5 + 8.0 * move + 0.2 * (draw(listing, day, 2 * k + 1) - 0.5), 0.15, 0.85);
        flows.append({std::llround(shares * bigShare * lean), std::llround(shares * bigShare * (1.0 - lean))});
        before = after;
        // The lunch break trades nothing: the afternoon's first half hour counts from 13:00.
        if (kHalfHourEnds[k] == QTime(11, 30))
            before = Market::quote(listing, QDateTime(day, kAfternoonOpen));
    }
    return flows;
}

QString joined(const QStringList& items) {
    return items.join(QLatin1Char(','));
}

// A GBK page with the flash chart whose parameters carry the figures.
Loopback::HttpReply chartPage(const QString& title, const QString& parameters, const QString& note) {
    const QString html =
        QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                       "<title>%1</title></head><body style=\"margin:0\">\n"
                       "<object classid=\"clsid:d27cdb6e-ae6d-11cf-96b8-444553540000\" width=\"100%\" height=\"100%\" "
                       "id=\"chart\"><param name=\"movie\" value=\"/swf/open-flash-chart.swf\">"
                       "<param name=\"FlashVars\" value=\"%2\"></object>\n<p class=\"note\">%3</p>\n</body></html>")
            .arg(title.toHtmlEscaped(), parameters.toHtmlEscaped(), note.toHtmlEscaped());
    return Sites::gbkPage(Gbk::encode(html));
}

Loopback::HttpReply todayBars(const Market::Listing& listing, const QDateTime& now) {
    const QDate day = tradingDay(now.date());
    const QDateTime upTo = day == now.date() ? now : QDateTime(day, QTime(23, 59));
    QStringList buys;
    QStringList sells;
    QStringList ends;
    const QList<Flow> flows = halfHourFlows(listing, day, upTo);
    for (qsizetype k = 0; k < flows.size(); ++k) {
        buys << QString::number(std::llround(static_cast<double>(flows[k].buys) / kSharesPer10k));
        sells << QString::number(std::llround(static_cast<double>(flows[k].sells) / kSharesPer10k));
        ends << kHalfHourEnds[k].toString(QStringLiteral("H:mm"));
    }
    // Before the first half hour ends the site has no figures for the day and sends empty lists.
    const QString parameters = QStringLiteral("&title=%1&y_legend=万股&bar=50,#FF3333,%2,10&values=%3&"
                                              "bar_2=50,#33CC33,%4,10&values_2=%5&x_labels=%6&")
                                   .arg(kTodayTitle, kBuyTitle, joined(buys), kSellTitle, joined(sells), joined(ends));
    return chartPage(listing.name + kTodayTitle, parameters, kUnitNote);
}

Loopback::HttpReply dayBars(const Market::Listing& listing, const QDateTime& now) {
    QList<QDate> days;
    QDate day = tradingDay(now.date());
    // Today counts once its trading has begun.
    if (day == now.date() && now.time() < kMorningOpen)
        day = previousTradingDay(day);
    for (int i = 0; i < kDays; ++i, day = previousTradingDay(day))
        days.prepend(day);
    QStringList buys;
    QStringList sells;
    QStringList labels;
    for (const QDate& date : days) {
        Flow total;
        for (const Flow& flow :
             halfHourFlows(listing, date, date == now.date() ? now : QDateTime(date, QTime(23, 59)))) {
            total.buys += flow.buys;
            total.sells += flow.sells;
        }
        buys << QString::number(total.buys);
        sells << QString::number(total.sells);
        labels << date.toString(QStringLiteral("MM-dd"));
    }
    const QString parameters = QStringLiteral("&title=%1&bar=50,#FF3333,%2,10&values=%3&bar_2=50,#33CC33,%4,10&"
                                              "values_2=%5&x_labels=%6&")
                                   .arg(kDaysTitle, kBuyTitle, joined(buys), kSellTitle, joined(sells), joined(labels));
    return chartPage(listing.name + kDaysTitle, parameters, QString());
}

// Percentages of the eight size classes that add up to 100.
QStringList classPercents(const Market::Listing& listing, const QDateTime& now) {
    QDate day = tradingDay(now.date());
    QDateTime upTo = day == now.date() ? now : QDateTime(day, QTime(23, 59));
    // Before today's first half hour ends the pie still shows the last day with figures.
    if (upTo.time() < kHalfHourEnds[0]) {
        day = previousTradingDay(day);
        upTo = QDateTime(day, QTime(23, 59));
    }
    Flow total;
    for (const Flow& flow : halfHourFlows(listing, day, upTo)) {
        total.buys += flow.buys;
        total.sells += flow.sells;
    }
    const double all = std::max<double>(1.0, static_cast<double>(total.buys + total.sells));
    std::array<double, kHalfHours> weights{};
    for (int side = 0; side < 2; ++side) {
        const double sideShare = static_cast<double>(side == 0 ? total.buys : total.sells) / all;
        double sum = 0;
        for (int c = 0; c < 4; ++c)
            sum += weights[side * 4 + c] = 0.3 + draw(listing, day, 100 + side * 4 + c);
        for (int c = 0; c < 4; ++c)
            weights[side * 4 + c] *= sideShare / sum;
    }
    // Whole percents; what rounding lost or added goes to the largest class.
    QList<int> percents;
    int given = 0;
    for (double weight : weights) {
        percents << static_cast<int>(std::lround(weight * 100));
        given += percents.back();
    }
    const auto largest = std::max_element(percents.begin(), percents.end());
    *largest += 100 - given;
    QStringList texts;
    for (int percent : percents)
        texts << QString::number(percent);
    return texts;
}

Loopback::HttpReply sizeClasses(const Market::Listing& listing, const QDateTime& now) {
    const QString parameters =
        QStringLiteral("&title=%1&pie=60,#505050,{font-size: 12px; color: #404040;}&"
                       "values=%2&pie_labels=%3&colours=%4&")
            .arg(kPieTitle, joined(classPercents(listing, now)), joined(kClassNames), joined(kClassColours));
    return chartPage(listing.name + kPieTitle, parameters, QString());
}

// "/stock/<market>/<code>/<page>": the market must be the code's own.
Loopback::HttpReply stockPage(const Loopback::HttpRequest& request) {
    const QStringList parts = QString::fromLatin1(request.path).split(QLatin1Char('/'));
    // "", "stock", market, code, page
    if (parts.size() != 5)
        return Loopback::HttpReply::error(404);
    const Market::Listing* listing = Market::find(parts[3]);
    const QString market = parts[3].startsWith(QLatin1Char('6')) ? QStringLiteral("sh") : QStringLiteral("sz");
    if (parts[2] != market)
        return Loopback::HttpReply::error(404);
    if (!listing)
        return chartPage(kUnknownStock, QStringLiteral("&values=&values_2=&"), kUnknownStock);
    const QDateTime now = Market::now();
    if (parts[4] == QLatin1String("single-bar.htm"))
        return todayBars(*listing, now);
    if (parts[4] == QLatin1String("single-barDay.htm"))
        return dayBars(*listing, now);
    if (parts[4] == QLatin1String("single-pie.htm"))
        return sizeClasses(*listing, now);
    return Loopback::HttpReply::error(404);
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPagePrefix(Hosts::bigorder.key, "/stock/", stockPage);
});

} // namespace
