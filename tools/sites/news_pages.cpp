// The information panel's outside pages for every stock of the simulated market, all GBK: the company news
// page with the newest rumour item and research report, the investor comment, the announcement list and the
// forum topic list. Announcements and forum topics of the day appear as the market clock passes their time,
// and every link of the pages leads to a small page of its own, so the panel's links open.
#include "sites.h"

#include "app/hosts.h"
#include "market.h"
#include "platform/gbk.h"

#include <QStringList>

#include <algorithm>

namespace {

using Market::mix;

// ----- Drawing: every text of a page is a function of (stock, day, what, index) -----

enum class Draw : quint64 {
    Rumour = 1,
    Report,
    Comment,
    NoticeCount,
    NoticeKind,
    NoticeTime,
    TopicCount,
    TopicMinute,
    TopicTitle,
    TopicAuthor,
    TopicClicks
};

// A number in [0, range) for one stock and day.
int pick(const Market::Listing& listing, const QDate& day, Draw what, int index, int range) {
    const quint64 key = mix(listing.code.toULongLong() ^ mix(static_cast<quint64>(day.toJulianDay()) << 16) ^
                            mix((static_cast<quint64>(what) << 32) ^ static_cast<quint64>(index)));
    return static_cast<int>(key % static_cast<quint64>(range));
}

QString marketOf(const QString& code) {
    return code.startsWith(u'6') ? QStringLiteral("sh") : QStringLiteral("sz");
}

// The address a link of the page needs to reach this site again: the sample sites serve each site under its
// key on the host the program asked.
QString siteBase(const Loopback::HttpRequest& request, const char* key) {
    return QStringLiteral("http://") + QString::fromLatin1(request.header("Host")) + u'/' + QLatin1String(key);
}

Loopback::HttpReply page(const QString& title, const QString& body) {
    const QString html = QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                        "charset=gb2312\"><title>%1</title></head><body>\n%2\n</body></html>")
                             .arg(title.toHtmlEscaped(), body);
    return Sites::gbkPage(Gbk::encode(html));
}

Loopback::HttpReply notFound() {
    return Loopback::HttpReply::error(404);
}

// ----- Company news: "/realstock/company/sh600519/nc.shtml" and the pages its links lead to -----

const QStringList rumourTitles = {
    QStringLiteral("%1：市场传闻公司将获大股东优质资产注入"),
    QStringLiteral("%1回应传闻：生产经营一切正常"),
    QStringLiteral("传%1拟推出新一期股权激励计划，公司称以公告为准"),
    QStringLiteral("%1澄清：未有应披露而未披露的重大事项"),
    QStringLiteral("%1被传将参与行业并购"),
};
const QStringList reportTitles = {
    QStringLiteral("%1：业绩稳健增长，维持买入评级"),
    QStringLiteral("%1深度报告：龙头地位稳固，估值具备吸引力"),
    QStringLiteral("%1季报点评：收入符合预期"),
    QStringLiteral("%1调研纪要：新产能逐步释放"),
};

QString rumourTitle(const Market::Listing& listing, const QDate& day) {
    return rumourTitles.at(pick(listing, day, Draw::Rumour, 0, static_cast<int>(rumourTitles.size())))
        .arg(listing.name);
}

QString reportTitle(const Market::Listing& listing, const QDate& day) {
    return reportTitles.at(pick(listing, day, Draw::Report, 0, static_cast<int>(reportTitles.size())))
        .arg(listing.name);
}

// "/realstock/company/" + market + code + "/nc.shtml", or "/news/yyyyMMdd.shtml" or "/report/yyyyMMdd.shtml"
// under the same folder.
Loopback::HttpReply companyPages(const Loopback::HttpRequest& request) {
    const QString rest = QString::fromLatin1(request.path.mid(QByteArrayLiteral("/realstock/company/").size()));
    const QString folder = rest.section(u'/', 0, 0);
    const Market::Listing* listing = Market::find(folder.mid(2));
    if (!listing || folder != marketOf(listing->code) + listing->code)
        return notFound();
    const QString file = rest.section(u'/', 1);
    const QDate today = Market::now().date();
    const QString folderUrl =
        siteBase(request, Hosts::companyNews.key) + QStringLiteral("/realstock/company/") + folder;
    if (file == QStringLiteral("nc.shtml")) {
        const QString stamp = today.toString(QStringLiteral("yyyyMMdd"));
        QString body =
            QStringLiteral("<h2>%1(%2) 公司资讯</h2>\n<div class=\"news\"><ul>\n").arg(listing->name, listing->code);
        for (int back = 0; back < 3; ++back) {
            const QDate day = today.addDays(-back);
            const QString title = rumourTitle(*listing, day);
            body +=
                QStringLiteral("<li>[<a href=\"/realstock/company/%1/nc.shtml\">资讯</a>] <span><a href=\"%2/news/"
                               "%3.shtml\" title=\"%4\" target=\"_blank\">%4</a></span> <em>%5</em></li>\n")
                    .arg(folder, folderUrl, day.toString(QStringLiteral("yyyyMMdd")), title, day.toString(Qt::ISODate));
        }
        body +=
            QStringLiteral("</ul></div>\n<div class=\"report\"><h3><span>研究报告</span></h3><ul>\n<li><a title=\"%1\" "
                           "target=\"_blank\" href=\"%2/report/%3.shtml\">%1</a></li>\n</ul></div>")
                .arg(reportTitle(*listing, today), folderUrl, stamp);
        return page(listing->name + QStringLiteral(" 公司资讯"), body);
    }
    const QString suffix = QStringLiteral(".shtml");
    if (!file.endsWith(suffix))
        return notFound();
    const QDate day = QDate::fromString(file.section(u'/', 1).chopped(suffix.size()), QStringLiteral("yyyyMMdd"));
    if (!day.isValid())
        return notFound();
    if (file.startsWith(QStringLiteral("news/")))
        return page(rumourTitle(*listing, day),
                    QStringLiteral("<h1>%1</h1><p>本文为示例资讯，内容仅供演示。</p>").arg(rumourTitle(*listing, day)));
    if (file.startsWith(QStringLiteral("report/")))
        return page(
            reportTitle(*listing, day),
            QStringLiteral("<h1>%1</h1><p>本报告为示例研究报告，内容仅供演示。</p>").arg(reportTitle(*listing, day)));
    return notFound();
}

// ----- Investor comment: "/data/qgqp.asp?zqdm=600519" -----

const QStringList risingComments = {
    QStringLiteral("短线走势偏强，资金持续流入，注意追高风险。"),
    QStringLiteral("股价放量上攻，上方仍有一定压力，可逢低关注。"),
};
const QStringList fallingComments = {
    QStringLiteral("短线走势偏弱，主力资金流出，建议观望为主。"),
    QStringLiteral("股价回落至支撑位附近，关注能否企稳。"),
};
const QStringList flatComments = {
    QStringLiteral("股价窄幅震荡，多空双方暂处平衡，等待方向选择。"),
};

Loopback::HttpReply comment(const Loopback::HttpRequest& request) {
    const Market::Listing* listing = Market::find(QString::fromLatin1(request.queryValue("zqdm")));
    if (!listing)
        return page(QStringLiteral("千股千评"), QStringLiteral("<p>没有找到该股票的评论。</p>"));
    const QDateTime now = Market::now();
    const double change = Market::quote(*listing, now).changePercent();
    const QStringList& comments = change > 0.5 ? risingComments : change < -0.5 ? fallingComments : flatComments;
    const QString text = comments.at(pick(*listing, now.date(), Draw::Comment, 0, static_cast<int>(comments.size())));
    return page(QStringLiteral("千股千评"),
                QStringLiteral("<table><tr><td width=\"80\">%1</td><td width=\"156\">&nbsp;<font color=\"#CC0000\">"
                               "%2</font></td></tr></table>")
                    .arg(listing->code, text));
}

// ----- Announcements: "/Notice/Notice_List.aspx?code=600519&date=&type=" and "/Notice/Notice_Detail.aspx" -----

const QStringList noticeKinds = {
    QStringLiteral("关于召开临时股东大会的通知"),
    QStringLiteral("年度报告摘要"),
    QStringLiteral("关于回购公司股份的进展公告"),
    QStringLiteral("董事会决议公告"),
    QStringLiteral("关于控股股东增持公司股份的公告"),
    QStringLiteral("关于获得政府补助的公告"),
    QStringLiteral("业绩预告"),
    QStringLiteral("关于为子公司提供担保的公告"),
    QStringLiteral("监事会决议公告"),
    QStringLiteral("关于股票交易异常波动的公告"),
};

struct Notice {
    QDate day;
    int index = 0; // the stock's announcements of that day, 0 first
    QTime published;
    QString title;
};

// The stock's announcements of one day: most days none, some one or two.
QList<Notice> noticesOf(const Market::Listing& listing, const QDate& day) {
    const int count = std::max(0, pick(listing, day, Draw::NoticeCount, 0, 6) - 3);
    QList<Notice> notices;
    for (int i = 0; i < count; ++i) {
        Notice notice;
        notice.day = day;
        notice.index = i;
        notice.published = QTime(7, 30).addSecs(60 * pick(listing, day, Draw::NoticeTime, i, 12 * 60));
        notice.title =
            QStringLiteral("%1(%2)%3")
                .arg(listing.name, listing.code,
                     noticeKinds.at(pick(listing, day, Draw::NoticeKind, i, static_cast<int>(noticeKinds.size()))));
        notices << notice;
    }
    return notices;
}

QString noticeId(const Notice& notice) {
    return notice.day.toString(QStringLiteral("yyyyMMdd")) + u'-' + QString::number(notice.index);
}

Loopback::HttpReply noticeList(const Loopback::HttpRequest& request) {
    const QString code = QString::fromLatin1(request.queryValue("code"));
    const Market::Listing* listing = Market::find(code);
    if (!listing)
        return page(QStringLiteral("公告列表"), QStringLiteral("<p>没有找到该股票的公告。</p>"));
    const QDateTime now = Market::now();
    QString rows = QStringLiteral("<tr><td><span class=\"caption\"><a href=\"Notice_List.aspx?code=%1\">公告标题</a>"
                                  "</span></td><td><span class=\"time\">公告时间</span></td></tr>\n")
                       .arg(code);
    // Newest first, over the last two months; today's only once published.
    for (int back = 0; back < 60; ++back) {
        const QDate day = now.date().addDays(-back);
        for (const Notice& notice : noticesOf(*listing, day)) {
            if (back == 0 && notice.published > now.time())
                continue;
            rows += QStringLiteral("<tr><td><span class=\"caption\"><a href=\"Notice_Detail.aspx?code=%1&id=%2\">"
                                   "%3</a></span></td><td><span class=\"time\">%4</span></td></tr>\n")
                        .arg(code, noticeId(notice), notice.title, day.toString(Qt::ISODate));
        }
    }
    return page(listing->name + QStringLiteral("公告列表"),
                QStringLiteral("<table class=\"list\">\n") + rows + QStringLiteral("</table>"));
}

Loopback::HttpReply noticeDetail(const Loopback::HttpRequest& request) {
    const Market::Listing* listing = Market::find(QString::fromLatin1(request.queryValue("code")));
    const QString id = QString::fromLatin1(request.queryValue("id"));
    const QDate day = QDate::fromString(id.section(u'-', 0, 0), QStringLiteral("yyyyMMdd"));
    if (!listing || !day.isValid())
        return notFound();
    for (const Notice& notice : noticesOf(*listing, day)) {
        if (noticeId(notice) == id)
            return page(notice.title, QStringLiteral("<h1>%1</h1><p>%2</p><p>本公告为示例公告，内容仅供演示。</p>")
                                          .arg(notice.title, day.toString(Qt::ISODate)));
    }
    return notFound();
}

// ----- Forum: "/topic,600519.html" and the topics "/news,600519,ID.html" -----

const QStringList topicTitles = {
    QStringLiteral("今天这走势，主力是在洗盘吗？"),
    QStringLiteral("%1明天怎么走？大家说说看法"),
    QStringLiteral("持有%1三年了，谈谈我对公司基本面的理解和后市的判断"),
    QStringLiteral("大家觉得%1还能拿吗"),
    QStringLiteral("%1近五日资金流向分析"),
    QStringLiteral("尾盘突然放量，有消息？"),
    QStringLiteral("公告出来了，利好还是利空？"),
    QStringLiteral("这个位置可以加仓吗"),
    QStringLiteral("%1分红方案解读"),
    QStringLiteral("早盘跟风买入，现在被套了"),
};
const QStringList authors = {
    QStringLiteral("价值投资者"), QStringLiteral("短线高手"), QStringLiteral("老股民2008"), QStringLiteral("趋势猎人"),
    QStringLiteral("稳健派"),     QStringLiteral("股海小舟"), QStringLiteral("游客"),
};

struct Topic {
    QDateTime posted;
    qint64 id = 0;
    QString title;
    QString author;
    bool guest = false; // a guest's name carries no link
};

// The stock's topics of one day, at random minutes, busier in trading hours.
QList<Topic> topicsOf(const Market::Listing& listing, const QDate& day) {
    const int count = 12 + pick(listing, day, Draw::TopicCount, 0, 18);
    QList<Topic> topics;
    for (int i = 0; i < count; ++i) {
        Topic topic;
        const bool trading = i % 3 != 0;
        const int minute = trading ? 9 * 60 + 15 + pick(listing, day, Draw::TopicMinute, i, 6 * 60)
                                   : pick(listing, day, Draw::TopicMinute, i, 24 * 60);
        topic.posted = QDateTime(day, QTime(minute / 60, minute % 60));
        topic.id = day.toString(QStringLiteral("yyyyMMdd")).toLongLong() * 1000 + i;
        topic.title = topicTitles.at(pick(listing, day, Draw::TopicTitle, i, static_cast<int>(topicTitles.size())));
        if (topic.title.contains(QStringLiteral("%1")))
            topic.title = topic.title.arg(listing.name);
        const int who = pick(listing, day, Draw::TopicAuthor, i, static_cast<int>(authors.size()));
        topic.author = authors.at(who);
        topic.guest = who == authors.size() - 1;
        topics << topic;
    }
    return topics;
}

QString topicLink(const Market::Listing& listing, const Topic& topic) {
    return QStringLiteral("news,%1,%2.html").arg(listing.code).arg(topic.id);
}

constexpr int topicsPerPage = 40;

// The text between a page path's prefix and its ".html", or nothing when the path does not end so.
QString pathMiddle(const QByteArray& path, qsizetype prefixSize) {
    const QByteArray suffix = ".html";
    if (!path.endsWith(suffix) || path.size() < prefixSize + suffix.size())
        return QString();
    return QString::fromLatin1(path.mid(prefixSize, path.size() - prefixSize - suffix.size()));
}

Loopback::HttpReply topicList(const Loopback::HttpRequest& request) {
    const Market::Listing* listing = Market::find(pathMiddle(request.path, QByteArrayLiteral("/topic,").size()));
    if (!listing)
        return notFound();
    const QDateTime now = Market::now();
    QList<Topic> shown;
    for (int back = 0; back < 3; ++back) {
        for (const Topic& topic : topicsOf(*listing, now.date().addDays(-back))) {
            if (topic.posted <= now)
                shown << topic;
        }
    }
    std::sort(shown.begin(), shown.end(), [](const Topic& a, const Topic& b) { return a.posted > b.posted; });
    if (shown.size() > topicsPerPage)
        shown.resize(topicsPerPage);

    QString rows = QStringLiteral("<ul class=\"head\"><li class=l1>点击</li><li class=l2>回复</li><li class=l3>标题"
                                  "</li><li class=l4>作者</li><li class=l5>发表日期</li><li class=l6>最后更新</li>"
                                  "</ul>\n");
    for (const Topic& topic : shown) {
        const int minutes = static_cast<int>(topic.posted.secsTo(now) / 60);
        const int clicks =
            20 + pick(*listing, topic.posted.date(), Draw::TopicClicks, static_cast<int>(topic.id % 1000), 200) +
            std::min(minutes, 600) * 3;
        const int replies = clicks / 25;
        const QString author = topic.guest ? topic.author
                                           : QStringLiteral("<a href=\"user,%1.html\" >%2</a>")
                                                 .arg(topic.author.size() * 1000 + topic.id % 97)
                                                 .arg(topic.author);
        const QString stamp = topic.posted.toString(QStringLiteral("MM-dd HH:mm"));
        rows += QStringLiteral("<ul><li class=l1>%1</li><li class=l2>%2</li><li class=l3><a href=\"%3\" >%4</a></li>"
                               "<li class=l4>%5</li><li class=l5>%6</li><li class=l6>%7</li></ul>\n")
                    .arg(clicks)
                    .arg(replies)
                    .arg(topicLink(*listing, topic), topic.title, author, stamp,
                         topic.posted.addSecs(60 * std::min(minutes, 45)).toString(QStringLiteral("MM-dd HH:mm")));
    }
    return page(listing->name + QStringLiteral("吧"),
                QStringLiteral("<div class=\"articleh\">\n") + rows + QStringLiteral("</div>"));
}

Loopback::HttpReply topicPage(const Loopback::HttpRequest& request) {
    const QStringList parts = pathMiddle(request.path, 1).split(u',');
    const Market::Listing* listing = parts.size() == 3 ? Market::find(parts.at(1)) : nullptr;
    if (!listing)
        return notFound();
    const qint64 id = parts.at(2).toLongLong();
    const QDate day = QDate::fromString(QString::number(id / 1000), QStringLiteral("yyyyMMdd"));
    for (const Topic& topic : day.isValid() ? topicsOf(*listing, day) : QList<Topic>()) {
        if (topic.id == id && topic.posted <= Market::now())
            return page(topic.title,
                        QStringLiteral("<h1>%1</h1><p>作者：%2　发表于 %3</p><p>示例帖子，内容仅供演示。</p>")
                            .arg(topic.title, topic.author, topic.posted.toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    }
    return notFound();
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPagePrefix(Hosts::companyNews.key, "/realstock/company/", companyPages);
    sites.addPage(Hosts::comments.key, "/data/qgqp.asp", comment);
    sites.addPage(Hosts::announcements.key, "/Notice/Notice_List.aspx", noticeList);
    sites.addPage(Hosts::announcements.key, "/Notice/Notice_Detail.aspx", noticeDetail);
    sites.addPagePrefix(Hosts::forum.key, "/topic,", topicList);
    sites.addPagePrefix(Hosts::forum.key, "/news,", topicPage);
});

} // namespace
