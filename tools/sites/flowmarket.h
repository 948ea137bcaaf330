#pragma once

#include "market.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>

// The fund-flow site's figures, drawn from the simulated market: each trading day's money flow of a stock split
// by order size, the stock's fund-flow detail page (GBK) and its two chart pictures (PNG). Functions of
// (stock, moment) only, like the market itself.
namespace FlowMarket {

// Rows of the detail page: the newest trading day first.
inline constexpr int pageDays = 30;

// One stock's flows on one trading day, in 万元: the main funds' net (extra-large plus large orders) and the
// four order sizes.
struct DayFlow {
    QDate date;
    Market::Quote quote; // at the close, or at the moment for a day still trading
    double turnover = 0; // 万元 traded, as the site counts it
    qint64 net = 0;
    qint64 xl = 0;
    qint64 large = 0;
    qint64 medium = 0;
    qint64 small = 0;
};

// The trading days whose figures the site shows at `moment`, newest first: today once the opening auction has
// run, then the weekdays before it.
QList<QDate> tradingDays(const QDateTime& moment, int count);
DayFlow dayFlow(const Market::Listing& listing, const QDate& date, const QDateTime& moment);

// "/gpdm.asp?gpdm=CODE": the summary row and `pageDays` daily rows, GBK. A code the site does not list gets
// a page without the table, as the live site answers.
QByteArray detailPage(const QString& code, const QDateTime& moment);

// The K-line picture (daily candles) and the real-time picture (today's price line over volume bars), PNG.
QByteArray klinePicture(const Market::Listing& listing, const QDateTime& moment);
QByteArray realtimePicture(const Market::Listing& listing, const QDateTime& moment);

} // namespace FlowMarket
