#include "fundflow/bigorderplans.h"

#include "platform/failures.h"

#include <algorithm>
#include <limits>

namespace BigOrder {

namespace {

// The end of each half hour of trading, under today's first eight buy bars.
const QStringList kHalfHourEnds = {QStringLiteral("10:00"), QStringLiteral("10:30"), QStringLiteral("11:00"),
                                   QStringLiteral("11:30"), QStringLiteral("13:30"), QStringLiteral("14:00"),
                                   QStringLiteral("14:30"), QStringLiteral("15:00")};

const QString kTodayWords = QStringLiteral(")今日每半小时大单成交分布图");
const QString kDaysBefore = QStringLiteral(")近");
const QString kDaysAfter = QStringLiteral("日大单成交分布图");
const QString kSizeClassBefore = QStringLiteral(")今日(");
const QString kSizeClassAfter = QStringLiteral(")大单进出成交分布图");

const QString kTenDayIn = QStringLiteral("近10日 大单流入:");
const QString kTenDayOut = QStringLiteral("手  大单流出:");
const QString kTenDayNetIn = QStringLiteral("手  合计流入:");
const QString kTenDayNetOut = QStringLiteral("手  合计流出:");
const QString kLots = QStringLiteral("手");

constexpr qsizetype kShownDays = 5;
// Shares in one 手.
constexpr int kSharesPerLot = 100;

// The slice colour of a first slice whose page colour names no class.
const QColor kUnknownClassColour(128, 128, 128);

QString stockOf(const QString& name, const QString& code) {
    return name + QLatin1Char('(') + code;
}

// Adds one bar per item from `first` on, at most `most` of them; `label(i, value)` names bar i. Returns false
// at an item that does not convert (or a label that is missing), with the bars before it added.
template <typename Label>
bool addBars(QList<BarPoint>& bars, const QStringList& items, qsizetype first, qsizetype most, double divisor,
             Label label) {
    try {
        const qsizetype end = first + std::min(most, items.size() - first);
        for (qsizetype i = first; i < end; ++i) {
            const int value = toInt(items[i]);
            bars.append({value / divisor, label(i, value)});
        }
        return true;
    } catch (const Failure&) {
        return false;
    }
}

} // namespace

QStringList BarPlan::categories() const {
    QStringList texts;
    for (qsizetype i = 0; i < std::max(buys.size(), sells.size()); ++i)
        texts << (i < buys.size() ? buys[i].label : sells[i].label);
    return texts;
}

BarPlan todayBars(const QStringList& halfbuys, const QStringList& halfsells) {
    const auto figure = [](qsizetype, int value) { return QString::number(value); };
    BarPlan plan;
    if (!addBars(plan.buys, halfbuys, 0, mostTodayBars, 1.0, figure)) {
        plan.complete = false;
        return plan;
    }
    for (qsizetype i = 0; i < std::min(plan.buys.size(), kHalfHourEnds.size()); ++i)
        plan.buys[i].label = kHalfHourEnds[i];
    plan.complete = addBars(plan.sells, halfsells, 0, mostTodayBars, 1.0, figure);
    return plan;
}

BarPlan dayBars(const QStringList& daybuys, const QStringList& daysells, const QStringList& daylabels,
                qsizetype first) {
    const auto dayLabel = [&daylabels](qsizetype i, int) { return at(daylabels, i); };
    BarPlan plan;
    constexpr qsizetype every = std::numeric_limits<qsizetype>::max();
    plan.complete = addBars(plan.buys, daybuys, first, every, kSharesPerLot, dayLabel) &&
                    addBars(plan.sells, daysells, first, every, kSharesPerLot, dayLabel);
    return plan;
}

qsizetype lastFiveDaysStart(qsizetype days) {
    return days >= kShownDays ? days - kShownDays : 0;
}

QString todayCaption(const QString& name, const QString& code) {
    return stockOf(name, code) + kTodayWords;
}

QString dayCaption(const QString& name, const QString& code, qsizetype days) {
    return stockOf(name, code) + kDaysBefore + QString::number(std::min(days, kShownDays)) + kDaysAfter;
}

QString tenDayTitle(const QString& name, const QString& code, qsizetype days) {
    return stockOf(name, code) + kDaysBefore + QString::number(days) + kDaysAfter;
}

QString sizeClassTitle(const QString& name, const QString& code, const QString& shortDate) {
    return stockOf(name, code) + kSizeClassBefore + shortDate + kSizeClassAfter;
}

TenDaySums tenDaySums(const QStringList& daybuys, const QStringList& daysells) {
    TenDaySums sums;
    for (const QString& item : daybuys)
        sums.in += toInt(item) / kSharesPerLot;
    for (const QString& item : daysells)
        sums.out += toInt(item) / kSharesPerLot;
    return sums;
}

QString tenDayText(const TenDaySums& sums) {
    const QString& netWords = sums.net() > 0 ? kTenDayNetIn : kTenDayNetOut;
    return kTenDayIn + QString::number(sums.in) + kTenDayOut + QString::number(sums.out) + netWords +
           QString::number(sums.net()) + kLots;
}

const std::array<SizeClass, 8>& sizeClasses() {
    static const std::array<SizeClass, 8> table{{
        {QStringLiteral("#FF6666"), QStringLiteral("单笔买入50万以下"), QColor(255, 0, 17)},
        {QStringLiteral("#FF3333"), QStringLiteral("单笔买入50-200万"), QColor(255, 0, 68)},
        {QStringLiteral("#CC3333"), QStringLiteral("单笔买入200-500万"), QColor(255, 0, 136)},
        {QStringLiteral("#990000"), QStringLiteral("单笔买入500万以上"), QColor(255, 0, 153)},
        {QStringLiteral("#99FF00"), QStringLiteral("单笔卖出50万以下"), QColor(0, 128, 0)},
        {QStringLiteral("#00CC33"), QStringLiteral("单笔卖出50-200万"), QColor(0, 128, 51)},
        {QStringLiteral("#009966"), QStringLiteral("单笔卖出200-500万"), QColor(0, 128, 102)},
        {QStringLiteral("#336600"), QStringLiteral("单笔卖出500万以上"), QColor(0, 128, 136)},
    }};
    return table;
}

PiePlan sizeClassSlices(const QStringList& pievalues, const QStringList& piecolours) {
    PiePlan plan;
    QString legend;
    QColor colour = kUnknownClassColour;
    try {
        for (qsizetype i = 0; i < pievalues.size(); ++i) {
            const QString& pageColour = at(piecolours, i);
            for (const SizeClass& sizeClass : sizeClasses()) {
                if (sizeClass.pageColour == pageColour) {
                    legend = sizeClass.legend;
                    colour = sizeClass.colour;
                    break;
                }
            }
            const int value = toInt(pievalues[i]);
            plan.slices.append({value, legend + QLatin1Char('(') + pievalues[i] + QStringLiteral("%)"), colour});
        }
    } catch (const Failure&) {
        plan.complete = false;
    }
    return plan;
}

} // namespace BigOrder
