#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The sample sites' simulated market: a few dozen real Shanghai and Shenzhen stocks whose prices move through
// the trading day. Everything is a function of (stock, date, time of day) drawn from one fixed seed, so the
// same moment always gives the same quote and a page fetched twice in one 3-second snapshot is the same page.
//
// The trading day: before the opening auction (9:25) every stock stands at its previous close with nothing
// traded; the auction sets the open, which holds until 9:30; prices move 9:30-11:30 and 13:00-15:00 in
// 3-second snapshots, stand still over lunch and after the close. Saturday and Sunday show Friday's close.
// Prices stay within 10% of the previous close.
namespace Market {

// splitmix64's finaliser: a well-spread 64-bit hash of a 64-bit value, from which every page draws its numbers.
inline quint64 mix(quint64 x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// What a stock does through the day besides its own random path. The scripted roles make sure the watch-list
// monitor's alerts can be seen on any trading day.
enum class Role {
    Ordinary,
    LimitUp,   // climbs through the morning past +9.01% to its upper limit and stays there
    Slide,     // falls through the morning past -5.01% and stays down
    BigTrades, // some minutes' last trades are 1000 手 or more
    BigOrders, // some minutes show 10000 手 or more at both the best bid and the best ask
    Rally,     // holds near its previous close, then climbs about 4.5% within ten minutes; the rally stocks take
               // turns through the day (10:00, 10:50, 13:30, 14:30), so the strong-stock tracker sees rallies
};

struct Listing {
    QString code;
    QString name;
    qint64 typicalPrice; // 分, around which each day's previous close is drawn
    int typicalTurnover; // 亿元 on an ordinary day
    Role role;
};

// One stock at one moment. Prices in 分, volumes in 手 (100 shares), turnover in 万元.
struct Quote {
    const Listing* listing = nullptr;
    qint64 previousClose = 0;
    qint64 limitUp = 0;
    qint64 limitDown = 0;
    bool auctioned = false; // the opening auction has run; before it open, high and low are 0
    qint64 open = 0;
    qint64 price = 0;
    qint64 high = 0;
    qint64 low = 0;
    qint64 bidPrice = 0; // 0 when nobody bids (at the lower limit)
    qint64 bidVolume = 0;
    qint64 askPrice = 0; // 0 when nobody offers (at the upper limit)
    qint64 askVolume = 0;
    qint64 volume = 0;
    double turnover = 0;
    bool lastSell = false; // the last trade hit the bid
    qint64 lastVolume = 0;

    // Change against the previous close in percent.
    double changePercent() const;
};

// A market index at one moment.
struct IndexQuote {
    QString name;
    double previousClose = 0;
    double value = 0;
    double turnover = 0; // 万元 today
};

// Every listed stock, Shanghai first.
const QList<Listing>& listings();
// The listing of a code, or nullptr.
const Listing* find(const QString& code);
// The stock that plays a scripted role.
const Listing& withRole(Role role);

// The stock at `moment` (local time).
Quote quote(const Listing& listing, const QDateTime& moment);
IndexQuote shanghaiIndex(const QDateTime& moment);
IndexQuote shenzhenIndex(const QDateTime& moment);

// The quote service's record line for a stock: field 1 the market (1 Shanghai, 2 Shenzhen), 2 code, 3 name,
// 4 price, 5 change percentage ("0" when unchanged), 6 change, 7/8 best bid and its 手, 9/10 best ask and its
// 手, 11 volume, 12 turnover, 13 open, 14 previous close, 15 high, 16 low, 17 side of the last trade ("-1"
// a sell, "1" a buy), 18 its 手, then the amplitude and the moment of the snapshot.
QString recordLine(const Quote& quote, const QDateTime& moment);
// The record of a code the service does not list: the code and empty fields, no name.
QString unknownRecordLine(const QString& code);

// Bodies of the quote service's two pages, UTF-8. A `fav` that is not six digits gets an empty page.
QByteArray quotePage(const QString& fav, const QDateTime& moment);
QByteArray indexPage(const QDateTime& moment);

// The market's clock: the server's own clock, unless BRENNOC_MARKET_START ("yyyy-MM-dd HH:mm:ss", or
// "HH:mm:ss" for today) or startAt() set a demo start, from which the clock runs on at normal speed.
QDateTime now();
void startAt(const QDateTime& moment);

} // namespace Market
