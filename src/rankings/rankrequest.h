#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// The ranking site's request (`rankrequest`) and the date it asks for (`lasttradingday`). Plain functions: the
// moment and the host name are arguments.
namespace Rankings {

// Ranking keys (`sortname`) and sort values of the site's ranking page "/sort.asp".
inline const QString keyTdc = QStringLiteral("tdc"); // extra-large-order flow
inline const QString keyDdc = QStringLiteral("ddc"); // large-order flow
inline const QString keyXdc = QStringLiteral("xdc"); // small-order flow
inline const QString keyDdx = QStringLiteral("ddx"); // extra-large buying against the free float
inline const QString keyZf = QStringLiteral("zf");   // price change
// On the site "asc" lists the largest value first and "desc" the smallest.
inline const QString sortAsc = QStringLiteral("asc");
inline const QString sortDesc = QStringLiteral("desc");

// The day whose ranking is asked for at `now`: Friday on Saturday and Sunday; before 9:35:00 the weekday
// before (Friday on a Monday); from 9:35:00 on, today. There is no holiday list: a holiday's page has no rows.
QDate lasttradingday(const QDateTime& now);

// The request's date text: four-digit year, two-digit month and day, joined by "-".
QString rankDateText(const QDate& date);

// The request for the ranking `key` of `date` (as rankDateText writes it) in the order `sort`, naming `host`:
// nine pieces, each one send on the socket: eight header lines with their CR LF, then the CR LF that ends the
// header. Nothing else is sent.
QList<QByteArray> rankrequest(const QString& key, const QString& date, const QString& sort, const QString& host);

} // namespace Rankings
