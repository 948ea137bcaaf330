// The ranking site, reached by the program over a raw socket: its request line carries no site key, so the
// registry finds the site by the Host line. Its page "/sort.asp" ranks every stock of the simulated market by
// one fund-flow measure on one day: GBK, each row with the mouse-over marker and 36 cells, sent in pieces as
// the live site's is.
#include "sites.h"

#include "market.h"
#include "platform/gbk.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using Market::mix;

const QTime kAuction(9, 25, 0);
const QTime kMorningOpen(9, 30, 0);
const QTime kMorningClose(11, 30, 0);
const QTime kAfternoonOpen(13, 0, 0);
const QTime kClose(15, 0, 0);

const QString kPageHead = QStringLiteral(
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
    "<title>个股资金流向排名</title></head>\n<body bgcolor=\"#FFFFFF\">\n<table width=\"100%\" border=\"0\">\n"
    "<tr class=\"head\"><td>序号</td><td>日期</td><td>时间</td><td>代码</td><td>最新价</td><td>涨跌额</td>"
    "<td>涨跌幅</td><td>DDX</td><td>DDY</td><td>DDZ</td><td>换手率</td><td>量比</td><td>特大买入</td>"
    "<td>特大卖出</td><td>大单买入</td><td>大单卖出</td><td>特大净额</td><td>大单净额</td><td>中单净额</td>"
    "<td>散户净额</td><td>5日DDX</td><td>10日DDX</td><td>5日DDY</td><td>10日DDY</td><td>DDX连红</td>"
    "<td>DDX飘红</td><td>成交额</td><td>成交量</td><td>最高</td><td>最低</td><td>开盘</td><td>昨收</td>"
    "<td>振幅</td><td>流通盘</td><td>名称</td><td>操作</td></tr>\n");
const QString kPageTail = QStringLiteral("</table>\n<div class=\"pages\">共1页 第1页</div>\n</body></html>\n");
const QString kNoRows = QStringLiteral("<tr><td colspan=\"36\">没有数据</td></tr>\n");
// Two markers: the row's mouse-over and mouse-out handlers.
const QString kRowHead = QStringLiteral("<tr onmouseover=\"this.style.backgroundColor='#FFFFCC'\" "
                                        "onmouseout=\"this.style.backgroundColor=''\" bgcolor=\"#FFFFFF\">");

const QString kSortLargestFirst = QStringLiteral("asc");
const QString kSortSmallestFirst = QStringLiteral("desc");

// Uniform in [0, 1), the same for the same stock, day and draw.
double draw(const QString& code, const QDate& date, quint64 what) {
    const quint64 bits = mix(code.toULongLong() ^ mix(static_cast<quint64>(date.toJulianDay()) ^ mix(what)));
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

// Weekdays on which the exchanges stay closed: New Year's Day, the first days of May and of October.
bool isHoliday(const QDate& date) {
    const int monthDay = date.month() * 100 + date.day();
    return monthDay == 101 || (monthDay >= 501 && monthDay <= 503) || (monthDay >= 1001 && monthDay <= 1007);
}

// The moment the day's ranking stands at, or nothing when the day has no trading (yet).
std::optional<QDateTime> rankingMoment(const QDate& day, const QDateTime& now) {
    if (!day.isValid() || day.dayOfWeek() > 5 || isHoliday(day) || day > now.date())
        return std::nullopt;
    if (day < now.date())
        return QDateTime(day, kClose);
    if (now.time() < kAuction)
        return std::nullopt;
    // Updated once a minute.
    const QTime time = now.time();
    return QDateTime(day, QTime(time.hour(), time.minute(), 0));
}

// The share of the day's four trading hours gone by at `time`.
double tradedShare(const QTime& time) {
    const auto minutesIn = [&](const QTime& from, const QTime& to) {
        const int seconds = std::clamp(from.secsTo(time), 0, from.secsTo(to));
        return seconds / 60.0;
    };
    return (minutesIn(kMorningOpen, kMorningClose) + minutesIn(kAfternoonOpen, kClose)) / 240.0;
}

// One stock's row on one day, with the value it is ranked by under each key.
struct Entry {
    QStringList cells; // 1 to 36
    double tdc = 0, ddc = 0, xdc = 0, ddx = 0, zf = 0;
};

QString fixed(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    // No "-0.00": a change that rounds to nothing reads as none.
    if (text.startsWith(QLatin1Char('-')) && text.mid(1).toDouble() == 0)
        text.remove(0, 1);
    return text;
}

QString yuan(qint64 cents) {
    return fixed(static_cast<double>(cents) / 100.0, 2);
}

Entry entryOf(const Market::Listing& listing, const QDateTime& moment) {
    const Market::Quote quote = Market::quote(listing, moment);
    const QDate day = moment.date();
    const auto noise = [&](quint64 what) { return draw(listing.code, day, what) - 0.5; };
    const double change = quote.changePercent();
    // The day's amount so far in 万元: the stock's typical day, in the share of the trading time gone by.
    const double typical = listing.typicalTurnover * 10000.0;
    const double turnover = typical * tradedShare(moment.time()) * (1.0 + 0.4 * noise(16));

    Entry entry;
    entry.zf = change;
    entry.tdc = turnover * (0.02 * change + 0.08 * (noise(1) + 0.1));
    // Big money buys the rally stocks ahead of their climb, so they stand high in the DDX ranking while their
    // change is still small and the strong-stock tracker takes them from the board.
    if (listing.role == Market::Role::Rally)
        entry.tdc += turnover * 0.12;
    entry.ddc = turnover * (0.015 * change + 0.06 * noise(2));
    const double zdc = turnover * 0.04 * noise(3);
    entry.xdc = -(entry.tdc + entry.ddc + zdc);
    entry.ddx = entry.tdc / typical * 10.0;
    // Extra-large buying and selling in percent of the amount; their difference is the net flow.
    const double netShare = entry.tdc * 100.0 / std::max(turnover, 1.0);
    const double buyShare = 10.0 + std::max(0.0, netShare) + 4.0 * (noise(4) + 0.5);
    const double freeFloat = typical * 5000.0 / static_cast<double>(quote.previousClose); // 万股

    entry.cells = QStringList{
        QString(), // the rank, set once sorted
        day.toString(QStringLiteral("yyyy-MM-dd")),
        moment.time().toString(QStringLiteral("HH:mm:ss")),
        listing.code,
        yuan(quote.price),
        yuan(quote.price - quote.previousClose),
        fixed(change, 2),
        fixed(entry.ddx, 3),
        fixed(entry.ddx * 0.6 + 0.1 * noise(5), 3),
        fixed(entry.ddx * 8.0 + noise(6), 2),
        fixed(turnover * 10000.0 / (freeFloat * static_cast<double>(quote.previousClose)), 2),
        fixed(0.8 + 1.2 * (noise(7) + 0.5), 2),
        fixed(buyShare, 2),
        fixed(buyShare - netShare, 2),
        fixed(15.0 + 5.0 * noise(8), 2),
        fixed(15.0 + 5.0 * noise(9), 2),
        fixed(entry.tdc, 2),
        fixed(entry.ddc, 2),
        fixed(zdc, 2),
        fixed(entry.xdc, 2),
        fixed(entry.ddx * 3.5 + noise(10), 3),
        fixed(entry.ddx * 6.0 + noise(11), 3),
        fixed(entry.ddx * 2.0 + noise(12), 3),
        fixed(entry.ddx * 4.0 + noise(13), 3),
        QString::number(static_cast<int>((noise(14) + 0.5) * 6)),
        QString::number(static_cast<int>((noise(15) + 0.5) * 10)),
        fixed(turnover, 2),
        QString::number(quote.volume),
        yuan(quote.high),
        yuan(quote.low),
        yuan(quote.open),
        yuan(quote.previousClose),
        fixed(quote.previousClose == 0 ? 0.0 : (quote.high - quote.low) * 100.0 / quote.previousClose, 2),
        fixed(freeFloat, 0),
        listing.name,
        QString(), // the link, set with the rank
    };
    return entry;
}

std::optional<double Entry::*> rankedBy(const QString& key) {
    if (key == QLatin1String("tdc"))
        return &Entry::tdc;
    if (key == QLatin1String("ddc"))
        return &Entry::ddc;
    if (key == QLatin1String("xdc"))
        return &Entry::xdc;
    if (key == QLatin1String("ddx"))
        return &Entry::ddx;
    if (key == QLatin1String("zf"))
        return &Entry::zf;
    return std::nullopt;
}

QString rowText(const QStringList& cells) {
    QString row = kRowHead;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const qsizetype number = i + 1;
        if (number == 35)
            row += QStringLiteral("<td class=\"name\">%1</td>").arg(cells.at(i));
        else if (number == 36)
            row +=
                QStringLiteral("<td><a href=\"/stock.asp?code=%1\" target=\"_blank\">详细</a></td>").arg(cells.at(3));
        else
            row += QStringLiteral("<td align=\"center\">%1</td>").arg(cells.at(i));
    }
    return row + QStringLiteral("</tr>\n");
}

// The ranking `key` of the day `date` ("yyyy-MM-dd") as it stands at the market's moment `now`: "asc" lists the
// largest value first, "desc" the smallest. A day without trading (a weekend, a holiday, a day still to come,
// today before the opening auction) and an unknown key or sort give the page without rows.
QByteArray rankingPage(const QString& key, const QString& sort, const QString& date, const QDateTime& now) {
    const std::optional<double Entry::*> value = rankedBy(key);
    const bool largestFirst = sort == kSortLargestFirst;
    const std::optional<QDateTime> moment = rankingMoment(QDate::fromString(date, QStringLiteral("yyyy-MM-dd")), now);
    if (!value || !moment || (!largestFirst && sort != kSortSmallestFirst))
        return Gbk::encode(kPageHead + kNoRows + kPageTail);

    QList<Entry> entries;
    for (const Market::Listing& listing : Market::listings())
        entries << entryOf(listing, *moment);
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        return largestFirst ? a.*(*value) > b.*(*value) : a.*(*value) < b.*(*value);
    });
    QString rows;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        entries[i].cells[0] = QString::number(i + 1);
        rows += rowText(entries[i].cells);
    }
    return Gbk::encode(kPageHead + rows + kPageTail);
}

constexpr qsizetype kPieceBytes = 2048;
constexpr int kPiecePauseMs = 15;

// "/sort.asp?sortname=KEY&cxrq=yyyy-MM-dd&sort=asc|desc"
Loopback::HttpReply sortPage(const Loopback::HttpRequest& request) {
    const QByteArray page = rankingPage(QString::fromLatin1(request.queryValue("sortname")),
                                        QString::fromLatin1(request.queryValue("sort")),
                                        QString::fromLatin1(request.queryValue("cxrq")), Market::now());
    return Sites::gbkPage(page).withDelivery(Loopback::Delivery::split(kPieceBytes, kPiecePauseMs));
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Sites::rankingKey, "/sort.asp", sortPage);
});

} // namespace
