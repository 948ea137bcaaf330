#include "rankings/rankrequest.h"

namespace {

const QTime kCutOff(9, 35, 0);

// Sent as they stand: the site answers only what an old desktop browser would have asked.
const QByteArray kAccept = "Accept: */*";
const QByteArray kAcceptLanguage = "Accept-Language: zh-cn";
const QByteArray kAcceptEncoding = "Accept-Encoding: gzip, deflate";
const QByteArray kUserAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; GTB6.5; Mozilla/4.0 "
                              "(compatible; MSIE 6.0; Windows NT 5.1; SV1) ; (R1 1.6); .NET CLR 2.0.50727)";
const QByteArray kConnection = "Connection: Keep-Alive";
const QByteArray kLineEnd = "\r\n";

} // namespace

namespace Rankings {

QDate lasttradingday(const QDateTime& now) {
    const QDate today = now.date();
    switch (today.dayOfWeek()) {
    case Qt::Sunday:
        return today.addDays(-2);
    case Qt::Saturday:
        return today.addDays(-1);
    default:
        break;
    }
    if (now.time() >= kCutOff)
        return today;
    return today.addDays(today.dayOfWeek() == Qt::Monday ? -3 : -1);
}

QString rankDateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QList<QByteArray> rankrequest(const QString& key, const QString& date, const QString& sort, const QString& host) {
    const QByteArray query = "sortname=" + key.toLatin1() + "&cxrq=" + date.toLatin1() + "&sort=" + sort.toLatin1();
    const QByteArray hostName = host.toLatin1();
    const QList<QByteArray> lines{
        "GET /sort.asp?" + query + " HTTP/1.1",
        kAccept,
        "Referer: http://" + hostName + "/sort.asp?" + query + "&page=1",
        kAcceptLanguage,
        kAcceptEncoding,
        kUserAgent,
        "Host: " + hostName,
        kConnection,
        QByteArray(),
    };
    QList<QByteArray> pieces;
    for (const QByteArray& line : lines)
        pieces << line + kLineEnd;
    return pieces;
}

} // namespace Rankings
