// The news flash and notice pages: the finance portal's news list with a headline every ten minutes, the
// back-end's news record (a new one each hour), its stock picks (arriving through the trading day) and its
// late-day picks (published at 14:55), the watched list page (a new item each half hour of trading), and the
// simple pages behind the main window's page shortcuts. Everything follows the simulated market's clock.
#include "sites.h"

#include "app/backend.h"
#include "app/hosts.h"
#include "market.h"
#include "platform/formats.h"
#include "platform/gbk.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace {

const char16_t* const headlines[] = {
    u"央行开展逆回购操作，市场流动性保持合理充裕",
    u"两市成交额连续三日突破万亿元",
    u"新能源汽车产销数据超预期，产业链公司受关注",
    u"证监会：进一步提高上市公司质量",
    u"北向资金午后加速流入，全天净买入超50亿元",
    u"多家券商上调全年经济增长预期",
    u"半导体板块午后异动拉升，多股涨停",
    u"统计局发布最新物价数据，CPI同比温和上涨",
    u"银行板块集体走强，估值修复行情延续",
    u"机构：市场风格有望向价值板块切换",
    u"沪深交易所发布融资融券业务新规",
    u"消费电子旺季来临，龙头公司订单饱满",
};
constexpr int headlineCount = static_cast<int>(std::size(headlines));
constexpr int listedHeadlines = 8;
constexpr int headlineMinutes = 10;

// The subject of the back-end's news by the hour it starts: before the open, the open, ... the evening.
const std::pair<int, const char16_t*> newsSubjects[] = {
    {0, u"早盘前瞻"},  {9, u"开盘综述"},  {10, u"盘中异动"}, {11, u"午间点评"},
    {13, u"午后提示"}, {15, u"收盘点评"}, {18, u"晚间要闻"}, {21, u"明日策略"},
};

// Times of the picks published each trading day, in minutes after midnight.
constexpr int pickMinutes[] = {9 * 60 + 45, 10 * 60 + 30, 11 * 60 + 15, 13 * 60 + 40, 14 * 60 + 20};
const QTime latePicksTime(14, 55);
constexpr int letterMinutes = 30;
constexpr int listedLetters = 20;

QDate previousWeekday(QDate day) {
    do
        day = day.addDays(-1);
    while (day.dayOfWeek() > 5);
    return day;
}

int minuteOfDay(const QTime& time) {
    return time.hour() * 60 + time.minute();
}

// A stock of the market chosen by a number, the same for the same number.
const Market::Listing& stockOf(qint64 number) {
    const QList<Market::Listing>& all = Market::listings();
    return all.at(static_cast<qsizetype>(number % all.size()));
}

Loopback::HttpReply htmlPage(const QString& title, const QString& body) {
    return Sites::gbkPage(
        Gbk::encode(QStringLiteral("<html><head><title>%1</title></head><body><h3>%1</h3>%2</body></html>")
                        .arg(title.toHtmlEscaped(), body)));
}

// "/news/cgszb.html": the newest headlines first, one more every ten minutes.
Loopback::HttpReply newsList(const Loopback::HttpRequest& request) {
    const QDateTime now = Market::now();
    const int newest = minuteOfDay(now.time()) / headlineMinutes;
    const QByteArray site = "http://" + request.header("Host") + '/' + Hosts::newsList.key;
    QString items;
    for (int i = newest; i > newest - listedHeadlines; --i) {
        const int number = (i % headlineCount + headlineCount) % headlineCount;
        const QString title = QString::fromUtf16(headlines[number]);
        const QTime at = QTime(0, 0).addSecs(std::max(i, 0) * headlineMinutes * 60);
        items += QStringLiteral(
                     "<li><span>[%1]</span><a href=\"%2/news/%3/%4.html\" title=\"%5\" target=\"_blank\">%5</a></li>\n")
                     .arg(at.toString(QStringLiteral("HH:mm")), QString::fromLatin1(site),
                          now.date().toString(QStringLiteral("yyyyMMdd")), QString::number(i), title);
    }
    return htmlPage(QStringLiteral("财经快讯"), QStringLiteral("<ul>\n") + items + QStringLiteral("</ul>"));
}

// "/news/<date>/<n>.html": one headline's article.
Loopback::HttpReply article(const Loopback::HttpRequest& request) {
    const int number = QString::fromLatin1(request.path).section(u'/', -1).section(u'.', 0, 0).toInt();
    const QString title = QString::fromUtf16(headlines[(number % headlineCount + headlineCount) % headlineCount]);
    return htmlPage(title, QStringLiteral("<p>%1。详细内容请关注后续报道。</p>").arg(title));
}

// The back-end's news record of an hour: body, headline, date and source. The figures are those of the hour's
// start, so every poll within the hour gets the same record and the program's pop-up comes once an hour.
QStringList newsRecord(const QDateTime& moment) {
    const int hour = moment.time().hour();
    const QDateTime start(moment.date(), QTime(hour, 0));
    const auto subject = QString::fromUtf16(
        std::prev(std::ranges::upper_bound(newsSubjects, hour, {}, &std::pair<int, const char16_t*>::first))->second);
    const Market::Listing& stock = stockOf(moment.date().dayOfYear() * 24 + hour);
    const Market::Quote quote = Market::quote(stock, start);
    const QString headline = QStringLiteral("%1：%2(%3)主力资金动向").arg(subject, stock.name, stock.code);
    const QString body = QStringLiteral("<h2>%1</h2><p>截至%2，%3(%4)涨跌幅<b>%5%</b>，成交%6手。</p>"
                                        "<p>本信息仅供参考，据此操作风险自负。</p>")
                             .arg(headline.toHtmlEscaped(), Formats::longTime(start.time()), stock.name, stock.code)
                             .arg(quote.changePercent(), 0, 'f', 2)
                             .arg(quote.volume);
    return {body, headline, Formats::shortDate(moment.date()), QStringLiteral("Brennoc研究部")};
}

// "/gpgetnews.asp": the record of the current hour, "&1" .. "&4" closing its fields.
Loopback::HttpReply news(const Loopback::HttpRequest&) {
    const QStringList fields = newsRecord(Market::now());
    return Sites::gbkPage(
        Sites::envelope(QStringLiteral("%1&1%2&2%3&3%4&4").arg(fields[0], fields[1], fields[2], fields[3])));
}

// "/nwes.asp": today's records so far, newest first, for the default browser.
Loopback::HttpReply allNews(const Loopback::HttpRequest&) {
    const QDateTime now = Market::now();
    QString body;
    for (int hour = now.time().hour(); hour >= 0; --hour)
        body += newsRecord(QDateTime(now.date(), QTime(hour, 0))).at(0) + QStringLiteral("<hr>");
    return htmlPage(QStringLiteral("今日信息汇总"), body);
}

// "/gpsfjgshow.asp?userid=...": yesterday's picks and today's published so far, each in its own black font.
Loopback::HttpReply picks(const Loopback::HttpRequest& request) {
    if (request.queryValue("userid").isEmpty())
        return Sites::gbkPage(Sites::envelope(QString()));
    const QDateTime now = Market::now();
    QString payload;
    for (const QDate& day : {previousWeekday(now.date()), now.date()}) {
        for (const int minute : pickMinutes) {
            const QDateTime at(day, QTime(minute / 60, minute % 60));
            if (at > now || day.dayOfWeek() > 5)
                continue;
            const Market::Listing& stock = stockOf(day.dayOfYear() * 7 + minute);
            payload +=
                QStringLiteral("<font color=\"#000000\">%1&1%2&2%3&3%4&4</font><br>\n")
                    .arg(stock.code, stock.name, Formats::shortDate(day), at.time().toString(QStringLiteral("H:mm")));
        }
    }
    return Sites::gbkPage(Sites::envelope(payload));
}

// "/gpwpg.asp": the latest late-day picks, "publication moment:code name&code name".
Loopback::HttpReply latePicks(const Loopback::HttpRequest&) {
    const QDateTime now = Market::now();
    QDate day = now.date();
    if (day.dayOfWeek() > 5 || now.time() < latePicksTime)
        day = previousWeekday(day);
    const Market::Listing& first = stockOf(day.dayOfYear() * 3);
    const Market::Listing& second = stockOf(day.dayOfYear() * 3 + 1);
    return Sites::gbkPage(
        Sites::envelope(QStringLiteral("%1 %2:%3 %4&%5 %6")
                            .arg(Formats::shortDate(day), latePicksTime.toString(QStringLiteral("H:mm")), first.code,
                                 first.name, second.code, second.name)));
}

// "/plus/list.php": the watched site's letters, newest first, one more each half hour of trading.
Loopback::HttpReply letterList(const Loopback::HttpRequest&) {
    const QDateTime now = Market::now();
    QList<QDateTime> published;
    for (QDate day = now.date(); published.size() < listedLetters; day = previousWeekday(day)) {
        for (QTime at(15, 0); at >= QTime(9, 30) && published.size() < listedLetters;
             at = at.addSecs(-60 * letterMinutes)) {
            if (day.dayOfWeek() <= 5 && QDateTime(day, at) <= now)
                published.append(QDateTime(day, at));
        }
    }
    QString items;
    for (const QDateTime& at : published) {
        const Market::Listing& stock = stockOf(at.date().dayOfYear() * 48 + minuteOfDay(at.time()) / letterMinutes);
        items += QStringLiteral("<li><span style=\"color:#FF3300\">%1&nbsp;</span><a href=\"view.php?aid=%2\">"
                                "私募密函：关注%3(%4)的资金动向</a></li>\n")
                     .arg(at.toString(QStringLiteral("yyyy-MM-dd HH:mm")), QString::number(at.toSecsSinceEpoch() / 60),
                          stock.name, stock.code);
    }
    return htmlPage(QStringLiteral("私募密函"), QStringLiteral("<ul>\n") + items + QStringLiteral("</ul>"));
}

Loopback::HttpReply letter(const Loopback::HttpRequest&) {
    return htmlPage(QStringLiteral("私募密函"), QStringLiteral("<p>本文仅供会员参考。</p>"));
}

// "/a/<yyyyMMdd>/": the portal's digest of one day.
Loopback::HttpReply digest(const Loopback::HttpRequest& request) {
    const QDate day = QDate::fromString(QString::fromLatin1(request.path.mid(3, 8)), QStringLiteral("yyyyMMdd"));
    if (!day.isValid())
        return Loopback::HttpReply::error(404);
    QString items;
    for (int i = 0; i < 6; ++i)
        items +=
            QStringLiteral("<li>%1</li>").arg(QString::fromUtf16(headlines[(day.dayOfYear() + i) % headlineCount]));
    return htmlPage(QStringLiteral("%1 财经大全").arg(Formats::shortDate(day)),
                    QStringLiteral("<ul>") + items + QStringLiteral("</ul>"));
}

// A table of market stocks with their price and change, the highest change first.
QString stockTable(QList<Market::Listing> stocks) {
    const QDateTime now = Market::now();
    std::sort(stocks.begin(), stocks.end(), [&now](const Market::Listing& a, const Market::Listing& b) {
        return Market::quote(a, now).changePercent() > Market::quote(b, now).changePercent();
    });
    QString rows = QStringLiteral("<table border=1><tr><th>代码</th><th>名称</th><th>最新</th><th>涨跌幅</th></tr>");
    for (const Market::Listing& stock : stocks) {
        const Market::Quote quote = Market::quote(stock, now);
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4%</td></tr>")
                    .arg(stock.code, stock.name)
                    .arg(static_cast<double>(quote.price) / 100, 0, 'f', 2)
                    .arg(quote.changePercent(), 0, 'f', 2);
    }
    return rows + QStringLiteral("</table>");
}

Sites::Page titled(const char16_t* title, const char16_t* text) {
    return [title, text](const Loopback::HttpRequest&) {
        return htmlPage(QString::fromUtf16(title), QStringLiteral("<p>%1</p>").arg(QString::fromUtf16(text)));
    };
}

Sites::Page ranked(const char16_t* title, bool growthOnly) {
    return [title, growthOnly](const Loopback::HttpRequest&) {
        QList<Market::Listing> stocks = Market::listings();
        if (growthOnly)
            stocks.removeIf([](const Market::Listing& stock) { return !stock.code.startsWith(u'3'); });
        return htmlPage(QString::fromUtf16(title), stockTable(stocks));
    };
}

// "/ggcx/index.asp?dm=CODE": one stock's line.
Loopback::HttpReply fundQuery(const Loopback::HttpRequest& request) {
    const Market::Listing* stock = Market::find(QString::fromLatin1(request.queryValue("dm")));
    if (!stock)
        return htmlPage(QStringLiteral("资金查询"), QStringLiteral("<p>没有找到该股票</p>"));
    return htmlPage(QStringLiteral("资金查询"), stockTable({*stock}));
}

// The stock pools: every other stock of the market, from the first or the second.
Sites::Page pool(const char16_t* title, int first) {
    return [title, first](const Loopback::HttpRequest&) {
        QList<Market::Listing> stocks;
        for (qsizetype i = first; i < Market::listings().size(); i += 2)
            stocks.append(Market::listings().at(i));
        return htmlPage(QString::fromUtf16(title), stockTable(stocks));
    };
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::newsList.key, "/news/cgszb.html", newsList);
    sites.addPagePrefix(Hosts::newsList.key, "/news/", article);
    sites.addPage(Hosts::backend.key, Backend::newsPage.toLatin1(), news);
    sites.addPage(Hosts::backend.key, Backend::newsBrowserPage.toLatin1(), allNews);
    sites.addPage(Hosts::backend.key, Backend::picksPage.toLatin1(), picks);
    sites.addPage(Hosts::backend.key, Backend::noticePage.toLatin1(), latePicks);
    sites.addPage(Hosts::watchedList.key, "/plus/list.php", letterList);
    sites.addPage(Hosts::watchedList.key, "/plus/view.php", letter);
    sites.addPagePrefix(Hosts::newsPortal.key, "/a/", digest);
    sites.addPage(Hosts::research1.key, "/sfqy/default.html",
                  titled(u"恒富内参", u"本周策略：控制仓位，关注业绩确定的蓝筹股。"));
    sites.addPage(Hosts::research2.key, "/djm/jgnc/view.asp",
                  titled(u"机构内参", u"机构调研：本周机构密集调研电子与医药板块。"));
    sites.addPage(Hosts::stockData.key, "/dpzj", ranked(u"大盘资金流向", false));
    sites.addPage(Hosts::stockData.key, "/bkzj",
                  titled(u"板块资金流向", u"今日主力资金净流入居前的板块：银行、券商、半导体。"));
    sites.addPage(Hosts::stockData.key, "/sjps/sz.html", ranked(u"沪深排行榜", false));
    sites.addPage(Hosts::stockData.key, "/cyb", ranked(u"创业板", true));
    sites.addPage(Hosts::stockData.key, "/ggcx/index.asp", fundQuery);
    sites.addPage(Hosts::stockpool.key, "/dxdf/admin/gb2312/StockList_1.asp", pool(u"股票池1", 0));
    sites.addPage(Hosts::stockpool.key, "/dxdf/admin/gb2312/StockList_2.asp", pool(u"股票池2", 1));
});

} // namespace
