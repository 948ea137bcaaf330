#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The holdings-analysis data page: one line per trading day with the shares that the main force and the retail
// investors hold, which the hover window draws as two 30-day lines. Plain functions from bytes to data.
namespace Holdings {

// Path and query of the page for a stock (`act=ccx`, `stockCode`). Anything but a six-digit code throws
// Failure, so no unchecked text reaches the address.
QString holdingsPath(const QString& code);

// One day of the page, as the charts take it.
struct HoldingPoint {
    int day;       // day of the month: the point's label
    double main;   // f1, the main force's holding
    double retail; // f5, the retail investors' holding

    bool operator==(const HoldingPoint&) const = default;
};

// The page's lines in the order the charts take them, last line first. A line is "date time,f1,f2,f3,f4,f5"
// (f5 the rest of the line) and ends at a line feed; the text after the last line feed is ignored and a line
// without a comma gives nothing. The date before the first blank is read as year-month-day. A date or an f1
// or f5 that does not read, or a line with fewer than five values, throws Failure.
QList<HoldingPoint> readHoldingLines(QByteArrayView page);

} // namespace Holdings
