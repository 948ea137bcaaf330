// The recommendation exchange: the back-end's list of the latest recommendations, the post of a new one (two a
// day per address, then refused), and the holdings-analysis data site with each stock's 30-day holding lines,
// which follow the simulated market's closes.
#include "sites.h"

#include "app/backend.h"
#include "app/hosts.h"
#include "market.h"
#include "platform/formats.h"
#include "platform/gbk.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const QByteArray holdingsPagePath = "/Themes/2009/ccfx/LoadData.aspx";

// Replies to a post; the client looks only for "成功" and "超过".
const QString postedText = QStringLiteral("荐股成功，感谢您的参与");
const QString overLimitText = QStringLiteral("今日荐股次数已超过2次");
const QString badPostText = QStringLiteral("荐股信息不完整");

constexpr int postsPerDay = 2;
constexpr int listedTips = 20;
constexpr int holdingDays = 30;
// Every caller of the sample sites is on this machine.
const QString callerAddress = QStringLiteral("127.0.0.1");

struct Tip {
    QString ip;
    QString stock; // name and code in parentheses
    QString reason;
    QString time;
};

// The recommendations that the exchange starts with, newest first.
struct SampleTip {
    const char* ip;
    const char* code;
    const char16_t* reason;
};
const SampleTip sampleTips[] = {
    {"218.17.44.102", "600000", u"放量突破前期平台，主力资金持续流入"},
    {"61.141.8.9", "000001", u"业绩预增，估值偏低，中线持有"},
    {"123.112.7.56", "600276", u"缩量回调到位，可以逢低吸纳"},
    {"222.66.105.33", "002594", u"新能源车销量超预期"},
    {"58.60.1.2", "601288", u"站上20日均线 <看多>"},
    {"116.228.144.210", "000725", u"底部放量，短线有反弹机会"},
    {"202.96.134.133", "600519", u"消费龙头，回调就是机会"},
    {"183.14.29.77", "300059", u"券商板块启动，弹性最大"},
    {"221.4.66.66", "600585", u"年报高送转预期"},
    {"59.42.250.18", "000568", u"机构调研频繁，关注"},
    {"113.108.9.251", "601012", u"光伏回暖，量价齐升"},
    {"125.88.17.3", "000858", u"大单连续三日净买入"},
};

struct Exchange {
    QList<Tip> tips;                        // newest first
    QMap<QPair<QString, QDate>, int> posts; // successful posts per address and day
};

Exchange& exchange() {
    static Exchange all = [] {
        Exchange book;
        const QDateTime start = Market::now();
        int minutesAgo = 7;
        for (const SampleTip& sample : sampleTips) {
            const QString code = QString::fromLatin1(sample.code);
            const Market::Listing* listing = Market::find(code);
            const QString name = listing ? listing->name : code;
            book.tips.append({QString::fromLatin1(sample.ip), name + u'(' + code + u')',
                              QString::fromUtf16(sample.reason), Formats::dateTime(start.addSecs(-60 * minutesAgo))});
            minutesAgo += 37;
        }
        return book;
    }();
    return all;
}

// A stored text never holds the list's own markers.
QString withoutMarkers(QString text) {
    return text.replace(u'$', QStringLiteral("＄"));
}

Loopback::HttpReply page(const QString& text) {
    return Sites::gbkPage(Sites::envelope(text.toHtmlEscaped()));
}

// "/gpjgshow.asp": the newest recommendations, "$a0" address "$a1" stock "$a2" reason "$a3" time "$a4" each.
Loopback::HttpReply tipList(const Loopback::HttpRequest&) {
    QString payload;
    const QList<Tip>& tips = exchange().tips;
    for (qsizetype i = 0; i < std::min<qsizetype>(tips.size(), listedTips); ++i) {
        const Tip& tip = tips[i];
        payload += QStringLiteral("$a0%1$a1%2$a2%3$a3%4$a4<br>\n").arg(tip.ip, tip.stock, tip.reason, tip.time);
    }
    return Sites::gbkPage(Sites::envelope(payload));
}

bool isStockCode(const QString& code) {
    return code.size() == 6 && std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "/gpjg.asp": posts `gpdm`, `gpmc` and `tjly`; two are taken per address and day.
Loopback::HttpReply post(const Loopback::HttpRequest& request) {
    if (request.method != "POST")
        return Loopback::HttpReply::error(405);
    const QString code = Gbk::decode(request.formValue("gpdm")).trimmed();
    const QString name = withoutMarkers(Gbk::decode(request.formValue("gpmc")).trimmed());
    const QString reason = withoutMarkers(Gbk::decode(request.formValue("tjly")).trimmed());
    const QDateTime now = Market::now();
    if (!isStockCode(code) || name.isEmpty() || reason.isEmpty())
        return page(badPostText);
    int& count = exchange().posts[{callerAddress, now.date()}];
    if (count >= postsPerDay)
        return page(overLimitText);
    ++count;
    exchange().tips.prepend({callerAddress, name + u'(' + code + u')', reason, Formats::dateTime(now)});
    return page(postedText);
}

// The last `count` weekdays up to `today`, newest first.
QList<QDate> tradingDays(const QDate& today, int count) {
    QList<QDate> days;
    for (QDate day = today; days.size() < count; day = day.addDays(-1)) {
        if (day.dayOfWeek() <= 5)
            days.append(day);
    }
    return days;
}

// "/Themes/2009/ccfx/LoadData.aspx?act=ccx&stockCode=CODE": one line per trading day, newest first:
// "date time,main,large,medium,small,retail" in percent of the shares. The main force buys on the days the
// stock closes higher; the retail investors hold what the others do not.
Loopback::HttpReply holdingLines(const Loopback::HttpRequest& request) {
    const Market::Listing* listing = Market::find(QString::fromLatin1(request.queryValue("stockCode")));
    if (request.queryValue("act") != "ccx" || !listing)
        return Loopback::HttpReply::html(QByteArray());
    const QDateTime now = Market::now();
    const QList<QDate> days = tradingDays(now.date(), holdingDays);
    QList<QByteArray> lines;
    double main = 30 + static_cast<double>(listing->typicalTurnover % 17);
    for (auto day = days.crbegin(); day != days.crend(); ++day) {
        const Market::Quote close = Market::quote(*listing, std::min(now, QDateTime(*day, QTime(15, 0))));
        main = std::clamp(main + 0.8 * close.changePercent(), 5.0, 75.0);
        const double large = (100 - main) * 0.25;
        const double medium = (100 - main) * 0.2;
        const double small = (100 - main) * 0.15;
        const double retail = 100 - main - large - medium - small;
        lines.prepend(QStringLiteral("%1 0:00:00,%2,%3,%4,%5,%6\n")
                          .arg(Formats::shortDate(*day))
                          .arg(main, 0, 'f', 2)
                          .arg(large, 0, 'f', 2)
                          .arg(medium, 0, 'f', 2)
                          .arg(small, 0, 'f', 2)
                          .arg(retail, 0, 'f', 2)
                          .toLatin1());
    }
    return Loopback::HttpReply::html(lines.join(), "text/plain");
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::backend.key, Backend::recommendationsPage.toLatin1(), tipList);
    sites.addPage(Hosts::backend.key, Backend::recommendPost.toLatin1(), post);
    sites.addPage(Hosts::holdings.key, holdingsPagePath, holdingLines);
});

} // namespace
