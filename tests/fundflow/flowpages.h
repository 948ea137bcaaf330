#pragma once

// Fund-flow detail pages written for the tests, in GBK: a summary row after the table head, then daily rows
// whose opening tags carry the row marker, newest first.
#include "platform/gbk.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace FlowPages {

inline const QString dayOpen = QStringLiteral("<tr onmouseover=\"this.style.backgroundColor='#FFC'\">");

inline QString cells(const QStringList& values) {
    return values.isEmpty() ? QString() : "<td>" + values.join(QStringLiteral("</td><td>")) + "</td>";
}

// 45 summary cells reading "sN", with the given cells replaced.
inline QStringList summary(const QMap<int, QString>& set = {}) {
    QStringList values;
    for (int n = 1; n <= 45; ++n)
        values << set.value(n, QStringLiteral("s%1").arg(n));
    return values;
}

// A daily row: the date cell, the newest row's extra cell, seven other cells, then net, extra-large, large,
// medium and small.
inline QStringList day(const QString& date, bool newest, const QStringList& amounts) {
    QStringList values{date};
    if (newest)
        values << QStringLiteral("extra");
    for (int i = 0; i < 7; ++i)
        values << QStringLiteral("f");
    return values + amounts;
}

inline QString date(int year, int month, int day) {
    return QStringLiteral("%1年%2月%3日").arg(year).arg(month).arg(day);
}

// The whole page: summary and daily rows as given (days already complete, see day()).
inline QByteArray page(const QStringList& summaryCells, const QList<QStringList>& days) {
    QString text = QStringLiteral("<html><body><table><thead><tr><th>更新日期</th><th>名称</th></tr></thead><tr>") +
                   cells(summaryCells) + QStringLiteral("</tr></table>\n<table><tr><th>日期</th></tr>");
    for (const QStringList& row : days)
        text += dayOpen + cells(row) + QStringLiteral("</tr>\n");
    return Gbk::encode(text + QStringLiteral("</table><p>end</p></body></html>"));
}

} // namespace FlowPages
