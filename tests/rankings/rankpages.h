#pragma once

// Small ranking pages written for the tests, in the site's layout: rows opened by the mouse-over marker, 36
// cells, GBK text.
#include "platform/gbk.h"
#include "rankings/rankpage.h"

#include <QByteArrayList>
#include <QString>

// One row with the stock in cells 4, 7 and 35 and the update's date and time in 2 and 3; with fewer than 35
// cells it has no name.
inline QByteArray rankRow(const QString& code, const QString& name, const QString& change, int cells = 36) {
    QStringList values;
    for (int cell = 1; cell <= cells; ++cell)
        values << QString::number(cell);
    const QStringList stock{QStringLiteral("2026-12-07"), QStringLiteral("10:0%1:00").arg(code.right(1)), code};
    for (int cell = 2; cell <= 4; ++cell)
        values[cell - 1] = stock.at(cell - 2);
    values[6] = change;
    if (cells >= 35)
        values[34] = name;
    return "<tr onmouseover=\"this.style.backgroundColor='#FFC'\"><td align=\"center\">" +
           Gbk::encode(values.join(QStringLiteral("</td><td>"))) + "</td></tr>\n";
}

// A whole reply, header lines included.
inline QByteArray rankReply(const QByteArrayList& rows) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=GBK\r\n\r\n<html><body><table>" + rows.join() +
           "</table></body></html>";
}
