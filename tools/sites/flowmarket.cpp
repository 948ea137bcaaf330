#include "flowmarket.h"

#include "platform/gbk.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

using Market::mix;

using Market::Listing;

// The flows' own seed, apart from the market's, so the flows never echo a price draw.
constexpr quint64 flowSeed = 0x666c6f77736974ULL;

const QTime auctionTime(9, 25);
const QTime closeTime(15, 0);

// Pictures, in pixels.
constexpr int klineWidth = 560;
constexpr int klineHeight = 300;
constexpr int klineDays = 60;
constexpr int realtimeWidth = 560;
constexpr int realtimeHeight = 300;
constexpr int realtimeStepMinutes = 5;

const QColor background(0, 0, 0);
const QColor gridColour(96, 0, 0);
const QColor riseColour(255, 64, 64);
const QColor fallColour(0, 200, 120);
const QColor priceColour(255, 255, 255);
const QColor averageColour(255, 220, 0);
const QColor volumeColour(0, 160, 255);

// The separate things a stock's day draws.
enum class Draw : quint64 { MainShare = 1, ExtraLargeShare, RetailShare, RetailNoise, FloatShares, Earnings, Activity };

// Uniform in [0, 1) for one stock, one day and one draw; a null date draws what does not change by day.
double uniform(const Listing& listing, const QDate& date, Draw what) {
    const quint64 day = date.isValid() ? static_cast<quint64>(date.toJulianDay()) : 0;
    const quint64 bits = mix(flowSeed ^ mix(listing.code.toULongLong()) ^ mix((day << 8) ^ static_cast<quint64>(what)));
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

QString yuan(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

// Circulating shares in 万股, fixed per stock: a typical day turns over about one percent of them.
double floatShares(const Listing& listing) {
    const double dailyShares = listing.typicalTurnover * 1e6 / static_cast<double>(listing.typicalPrice);
    return dailyShares * (60 + 80 * uniform(listing, QDate(), Draw::FloatShares));
}

double earningsPerShare(const Listing& listing) {
    return listing.typicalPrice / 100.0 / (8 + 40 * uniform(listing, QDate(), Draw::Earnings));
}

// An amount cell: red class for an inflow, green for an outflow, the amount right after the opening tag.
QString amountCell(qint64 amount) {
    return QStringLiteral("<td class=\"%1\">%2</td>")
        .arg(amount < 0 ? QStringLiteral("dn") : QStringLiteral("up"))
        .arg(amount);
}

QString cell(const QString& text) {
    return QStringLiteral("<td>") + text + QStringLiteral("</td>");
}

QString headings(const QStringList& names) {
    QString row = QStringLiteral("<tr>");
    for (const QString& name : names)
        row += QStringLiteral("<th>") + name + QStringLiteral("</th>");
    return row + QStringLiteral("</tr>\n");
}

double turnoverRate(const FlowMarket::DayFlow& flow) {
    const double value = floatShares(*flow.quote.listing) * flow.quote.price / 100.0;
    return value > 0 ? flow.turnover * 100.0 / value : 0.0;
}

QString ddx(const FlowMarket::DayFlow& flow) {
    return fixed(flow.turnover > 0 ? flow.net * 5.0 / flow.turnover : 0.0, 3);
}

qint64 sumOver(const QList<FlowMarket::DayFlow>& flows, int days, qint64 FlowMarket::DayFlow::*member) {
    qint64 sum = 0;
    for (int i = 0; i < std::min<qsizetype>(days, flows.size()); ++i)
        sum += flows[i].*member;
    return sum;
}

const QStringList summaryHeadings{
    QStringLiteral("更新日期"), QStringLiteral("更新时间"), QStringLiteral("股票代码"), QStringLiteral("股票名称"),
    QStringLiteral("最新价"),   QStringLiteral("涨跌幅"),   QStringLiteral("实时DDX"),  QStringLiteral("实时DDY"),
    QStringLiteral("实时DDZ"),  QStringLiteral("当日资金"), QStringLiteral("特大资金"), QStringLiteral("大单资金"),
    QStringLiteral("中单资金"), QStringLiteral("散户资金"), QStringLiteral("开盘价"),   QStringLiteral("最高价"),
    QStringLiteral("最低价"),   QStringLiteral("昨收盘"),   QStringLiteral("成交量"),   QStringLiteral("成交额"),
    QStringLiteral("振幅"),     QStringLiteral("换手率"),   QStringLiteral("委买"),     QStringLiteral("委卖"),
    QStringLiteral("外盘"),     QStringLiteral("内盘"),     QStringLiteral("5日资金"),  QStringLiteral("10日资金"),
    QStringLiteral("20日资金"), QStringLiteral("5日特大"),  QStringLiteral("10日特大"), QStringLiteral("5日大单"),
    QStringLiteral("10日大单"), QStringLiteral("5日散户"),  QStringLiteral("10日散户"), QStringLiteral("特大占比"),
    QStringLiteral("大单占比"), QStringLiteral("中单占比"), QStringLiteral("散户占比"), QStringLiteral("流通股本"),
    QStringLiteral("流通市值"), QStringLiteral("总股本"),   QStringLiteral("总市值"),   QStringLiteral("市盈率"),
    QStringLiteral("每股收益"), QStringLiteral("数据来源"),
};

const QStringList dayHeadings{QStringLiteral("日期"),   QString(),
                              QStringLiteral("收盘价"), QStringLiteral("涨跌幅"),
                              QStringLiteral("换手率"), QStringLiteral("成交额"),
                              QStringLiteral("DDX"),    QStringLiteral("DDY"),
                              QStringLiteral("DDZ"),    QStringLiteral("净额"),
                              QStringLiteral("特大"),   QStringLiteral("大单"),
                              QStringLiteral("中单"),   QStringLiteral("小单")};

QString share(qint64 part, double whole) {
    return fixed(whole > 0 ? std::abs(static_cast<double>(part)) * 100.0 / whole : 0.0, 2) + QLatin1Char('%');
}

QString summaryRow(const Listing& listing, const QList<FlowMarket::DayFlow>& flows, const QDateTime& moment) {
    const FlowMarket::DayFlow& today = flows.first();
    const Market::Quote& q = today.quote;
    const QTime time = today.date == moment.date() ? std::min(moment.time(), closeTime) : closeTime;
    const double shares = floatShares(listing);
    const double allShares = shares * 1.6;
    const double eps = earningsPerShare(listing);
    const double price = q.price / 100.0;
    const double amplitude = q.previousClose > 0 ? (q.high - q.low) * 100.0 / q.previousClose : 0.0;
    using F = FlowMarket::DayFlow;
    const QStringList cells{
        today.date.toString(QStringLiteral("yyyy-MM-dd")),
        time.toString(QStringLiteral("HH:mm:ss")),
        listing.code,
        listing.name,
        yuan(q.price),
        fixed(q.changePercent(), 2) + QLatin1Char('%'),
        ddx(today),
        fixed(today.xl * 3.0 / std::max(1.0, today.turnover), 3),
        fixed(today.large * 9.0 / std::max(1.0, today.turnover), 3),
        QString::number(today.net),
        QString::number(today.xl),
        QString::number(today.large),
        QString::number(today.medium),
        QString::number(today.small),
        yuan(q.open),
        yuan(q.high),
        yuan(q.low),
        yuan(q.previousClose),
        QString::number(q.volume),
        fixed(today.turnover, 0),
        fixed(amplitude, 2) + QLatin1Char('%'),
        fixed(turnoverRate(today), 2) + QLatin1Char('%'),
        QString::number(q.bidVolume),
        QString::number(q.askVolume),
        QString::number(q.volume / 2 + today.net % 97),
        QString::number(q.volume - q.volume / 2 - today.net % 97),
        QString::number(sumOver(flows, 5, &F::net)),
        QString::number(sumOver(flows, 10, &F::net)),
        QString::number(sumOver(flows, 20, &F::net)),
        QString::number(sumOver(flows, 5, &F::xl)),
        QString::number(sumOver(flows, 10, &F::xl)),
        QString::number(sumOver(flows, 5, &F::large)),
        QString::number(sumOver(flows, 10, &F::large)),
        QString::number(sumOver(flows, 5, &F::small)),
        QString::number(sumOver(flows, 10, &F::small)),
        share(today.xl, today.turnover),
        share(today.large, today.turnover),
        share(today.medium, today.turnover),
        share(today.small, today.turnover),
        fixed(shares, 0),
        fixed(shares * price, 0),
        fixed(allShares, 0),
        fixed(allShares * price, 0),
        fixed(eps > 0 ? price / eps : 0.0, 2),
        fixed(eps, 3),
        QStringLiteral("模拟行情"),
    };
    QString row = QStringLiteral("<tr>");
    for (const QString& text : cells)
        row += cell(text);
    return row + QStringLiteral("</tr>\n");
}

// A daily row; the newest one opens the column that spans every daily row, so it holds one cell more.
QString dayRow(const FlowMarket::DayFlow& flow, bool newest) {
    QString row = QStringLiteral("<tr onmouseover=\"this.style.backgroundColor='#FFFFCC'\" "
                                 "onmouseout=\"this.style.backgroundColor=''\">");
    row += cell(QStringLiteral("%1年%2月%3日").arg(flow.date.year()).arg(flow.date.month()).arg(flow.date.day()));
    if (newest)
        row += QStringLiteral("<td rowspan=\"%1\" class=\"side\">日线资金</td>").arg(FlowMarket::pageDays);
    row += cell(yuan(flow.quote.price));
    row += cell(fixed(flow.quote.changePercent(), 2) + QLatin1Char('%'));
    row += cell(fixed(turnoverRate(flow), 2) + QLatin1Char('%'));
    row += cell(fixed(flow.turnover, 0));
    row += cell(ddx(flow));
    row += cell(fixed(flow.xl * 3.0 / std::max(1.0, flow.turnover), 3));
    row += cell(fixed(flow.large * 9.0 / std::max(1.0, flow.turnover), 3));
    for (const qint64 amount : {flow.net, flow.xl, flow.large, flow.medium, flow.small})
        row += amountCell(amount);
    return row + QStringLiteral("</tr>\n");
}

QString pageHead(const QString& title) {
    return QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                          "<title>%1</title><style>td{text-align:right}.up{color:red}.dn{color:green}"
                          ".side{writing-mode:vertical-rl}</style></head><body>\n<h3>%1</h3>\n")
        .arg(title);
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void drawGrid(QPainter& painter, const QRect& area, int rows, int columns) {
    painter.setPen(QPen(gridColour, 1, Qt::DotLine));
    for (int i = 0; i <= rows; ++i) {
        const int y = area.top() + area.height() * i / rows;
        painter.drawLine(area.left(), y, area.right(), y);
    }
    for (int i = 0; i <= columns; ++i) {
        const int x = area.left() + area.width() * i / columns;
        painter.drawLine(x, area.top(), x, area.bottom());
    }
}

// Maps a price range onto the rows of an area, the highest price at the top.
struct Scale {
    double low;
    double high;
    QRect area;
    int y(double price) const {
        const double span = high > low ? high - low : 1.0;
        return area.bottom() - static_cast<int>(std::lround((price - low) / span * area.height()));
    }
};

} // namespace

namespace FlowMarket {

QList<QDate> tradingDays(const QDateTime& moment, int count) {
    QList<QDate> days;
    QDate day = moment.date();
    const bool tradingToday = day.dayOfWeek() <= 5 && moment.time() >= auctionTime;
    if (!tradingToday)
        day = day.addDays(-1);
    while (days.size() < count) {
        if (day.dayOfWeek() <= 5)
            days.append(day);
        day = day.addDays(-1);
    }
    return days;
}

DayFlow dayFlow(const Listing& listing, const QDate& date, const QDateTime& moment) {
    const QDateTime at = date == moment.date() ? moment : QDateTime(date, closeTime);
    DayFlow flow{date, Market::quote(listing, at)};
    if (!flow.quote.auctioned)
        return flow;
    // The site's turnover: the stock's typical day, busier or quieter, in the share of the day traded so far.
    double traded = 1.0;
    if (at.time() < closeTime) {
        const qint64 wholeDay = Market::quote(listing, QDateTime(date, closeTime)).volume;
        traded = wholeDay > 0 ? std::min(1.0, static_cast<double>(flow.quote.volume) / wholeDay) : 0.0;
    }
    flow.turnover =
        std::round(listing.typicalTurnover * 10000.0 * (0.7 + 0.6 * uniform(listing, date, Draw::Activity)) * traded);
    // The main funds lean with the price and retail against them, with noise enough that every verdict occurs.
    const double mainShare = std::clamp(
        0.015 * flow.quote.changePercent() + 0.06 * (uniform(listing, date, Draw::MainShare) - 0.5), -0.12, 0.12);
    const qint64 main = std::llround(flow.turnover * mainShare);
    flow.xl = std::llround(main * (0.3 + 0.4 * uniform(listing, date, Draw::ExtraLargeShare)));
    flow.large = main - flow.xl;
    flow.net = main;
    flow.small = std::llround(-main * (0.4 + 0.5 * uniform(listing, date, Draw::RetailShare)) +
                              flow.turnover * 0.03 * (uniform(listing, date, Draw::RetailNoise) - 0.5));
    flow.medium = -main - flow.small;
    return flow;
}

QByteArray detailPage(const QString& code, const QDateTime& moment) {
    const Listing* listing = Market::find(code);
    if (!listing) {
        return Gbk::encode(pageHead(QStringLiteral("资金流向明细")) +
                           QStringLiteral("<p>没有找到该股票的资金数据</p></body></html>"));
    }
    QList<DayFlow> flows;
    for (const QDate& day : tradingDays(moment, pageDays))
        flows.append(dayFlow(*listing, day, moment));

    QString page = pageHead(QStringLiteral("%1(%2) 资金流向明细").arg(listing->name, listing->code));
    page += QStringLiteral("<table class=\"summary\" border=\"1\"><thead>") + headings(summaryHeadings) +
            QStringLiteral("</thead>\n") + summaryRow(*listing, flows, moment) + QStringLiteral("</table>\n");
    page += QStringLiteral("<table class=\"days\" border=\"1\">\n") + headings(dayHeadings);
    for (qsizetype i = 0; i < flows.size(); ++i)
        page += dayRow(flows[i], i == 0);
    page += QStringLiteral("</table>\n<p>金额单位：万元。数据来自模拟行情，仅供演示。</p></body></html>\n");
    return Gbk::encode(page);
}

QByteArray klinePicture(const Listing& listing, const QDateTime& moment) {
    QList<Market::Quote> candles;
    const QList<QDate> days = tradingDays(moment, klineDays);
    for (auto day = days.crbegin(); day != days.crend(); ++day)
        candles.append(dayFlow(listing, *day, moment).quote);

    QImage image(klineWidth, klineHeight, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    const QRect area(8, 8, klineWidth - 16, klineHeight - 16);
    drawGrid(painter, area, 6, 6);
    Scale scale{1e18, 0, area};
    for (const Market::Quote& q : candles) {
        if (!q.auctioned)
            continue;
        scale.low = std::min(scale.low, q.low / 100.0);
        scale.high = std::max(scale.high, q.high / 100.0);
    }
    const int slot = area.width() / klineDays;
    for (int i = 0; i < candles.size(); ++i) {
        const Market::Quote& q = candles[i];
        if (!q.auctioned)
            continue;
        const QColor colour = q.price >= q.open ? riseColour : fallColour;
        const int x = area.left() + i * slot + slot / 2;
        painter.setPen(colour);
        painter.drawLine(x, scale.y(q.high / 100.0), x, scale.y(q.low / 100.0));
        const int top = scale.y(std::max(q.open, q.price) / 100.0);
        const int bottom = scale.y(std::min(q.open, q.price) / 100.0);
        painter.fillRect(QRect(x - slot / 3, top, 2 * (slot / 3) + 1, std::max(1, bottom - top)), colour);
    }
    painter.end();
    return png(image);
}

QByteArray realtimePicture(const Listing& listing, const QDateTime& moment) {
    const QDate day = tradingDays(moment, 1).first();
    const QDateTime last =
        day == moment.date() ? std::min(moment, QDateTime(day, closeTime)) : QDateTime(day, closeTime);
    QList<Market::Quote> samples;
    for (QTime t(9, 30); t <= closeTime; t = t.addSecs(realtimeStepMinutes * 60)) {
        if (t > QTime(11, 30) && t < QTime(13, 0))
            continue;
        if (QDateTime(day, t) > last)
            break;
        samples.append(Market::quote(listing, QDateTime(day, t)));
    }

    QImage image(realtimeWidth, realtimeHeight, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    const QRect priceArea(8, 8, realtimeWidth - 16, realtimeHeight * 2 / 3 - 8);
    const QRect volumeArea(8, priceArea.bottom() + 8, realtimeWidth - 16, realtimeHeight - priceArea.bottom() - 16);
    drawGrid(painter, priceArea, 4, 8);
    drawGrid(painter, volumeArea, 2, 8);
    const Market::Quote closing = Market::quote(listing, QDateTime(day, closeTime));
    const double previous = closing.previousClose / 100.0;
    // Symmetric about the previous close, as quote terminals draw it: up to the daily limit.
    const Scale scale{previous * 0.9, previous * 1.1, priceArea};
    painter.setPen(QPen(gridColour.lighter(200), 1, Qt::DashLine));
    painter.drawLine(priceArea.left(), scale.y(previous), priceArea.right(), scale.y(previous));

    const int sampleSlots = 2 * 120 / realtimeStepMinutes + 1;
    const double step = static_cast<double>(priceArea.width()) / sampleSlots;
    qint64 volumePeak = 1;
    for (int i = 1; i < samples.size(); ++i)
        volumePeak = std::max(volumePeak, samples[i].volume - samples[i - 1].volume);
    QPolygon line;
    QPolygon average;
    for (int i = 0; i < samples.size(); ++i) {
        const Market::Quote& q = samples[i];
        const int x = priceArea.left() + static_cast<int>(i * step);
        line << QPoint(x, scale.y(q.price / 100.0));
        if (q.volume > 0)
            average << QPoint(x, scale.y(q.turnover * 10000.0 / q.volume / 100.0));
        if (i > 0) {
            const qint64 traded = q.volume - samples[i - 1].volume;
            const int height = static_cast<int>(traded * volumeArea.height() / volumePeak);
            painter.fillRect(QRect(x - 1, volumeArea.bottom() - height, 3, height), volumeColour);
        }
    }
    painter.setPen(QPen(averageColour, 1));
    painter.drawPolyline(average);
    painter.setPen(QPen(priceColour, 1));
    painter.drawPolyline(line);
    painter.end();
    return png(image);
}

} // namespace FlowMarket
