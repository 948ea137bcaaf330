#include "fundflow/halfhour.h"

#include "platform/failures.h"

namespace HalfHour {

namespace {

const QStringList kWindows = {QStringLiteral("9:30-10:00"),  QStringLiteral("10:00-10:30"),
                              QStringLiteral("10:30-11:00"), QStringLiteral("11:00-11:30"),
                              QStringLiteral("13:00-13:30"), QStringLiteral("13:30-14:00"),
                              QStringLiteral("14:00-14:30"), QStringLiteral("14:30-15:00")};
const QString kWindowBefore = QStringLiteral("在 ");
const QString kInflowWords = QStringLiteral(" 之间大单净流入");
const QString kOutflowWords = QStringLiteral(" 之间大单净流出");
const QString kTenThousandShares = QStringLiteral("万股");

const QString kTotalsBuys = QStringLiteral("今日大单流入:");
const QString kTotalsSells = QStringLiteral("万股 大单流出:");
const QString kTotalsNetIn = QStringLiteral("万股 总计净流入");
const QString kTotalsNetOut = QStringLiteral("万股 总计净流出");

qint64 sum(const QStringList& items) {
    qint64 total = 0;
    for (const QString& item : items)
        total += toInt(item);
    return total;
}

} // namespace

DayTotals dayTotals(const QStringList& halfbuys, const QStringList& halfsells) {
    return {sum(halfbuys), sum(halfsells)};
}

QString totalsText(const DayTotals& totals) {
    const QString& netWords = totals.net() > 0 ? kTotalsNetIn : kTotalsNetOut;
    return kTotalsBuys + QString::number(totals.buys) + kTotalsSells + QString::number(totals.sells) + netWords +
           QString::number(totals.net()) + kTenThousandShares;
}

Announcement announcement(int window, const QStringList& halfbuys, const QStringList& halfsells) {
    const qint64 buy = toInt(at(halfbuys, window - 1));
    const qint64 sell = toInt(at(halfsells, window - 1));
    const QString& span = at(kWindows, window - 1);
    if (buy > sell)
        return {kWindowBefore + span + kInflowWords + QString::number(buy - sell) + kTenThousandShares, true};
    return {kWindowBefore + span + kOutflowWords + QString::number(sell - buy) + kTenThousandShares, false};
}

} // namespace HalfHour
