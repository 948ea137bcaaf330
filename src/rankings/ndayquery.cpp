#include "rankings/ndayquery.h"

#include "app/calendar.h"
#include "platform/failures.h"
#include "rankings/rankrequest.h"

#include <cmath>

namespace {

const QString kSaturday = QStringLiteral("星期六");
const QString kSunday = QStringLiteral("星期日");
const QString kNewListing = QStringLiteral("N");

// The table column `数值` is numeric(8,2): six digits before the point.
constexpr double kColumnLimit = 1e6;

std::optional<double> number(const QString& text) {
    try {
        return toDouble(text);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

} // namespace

namespace Rankings {

bool NdayCategory::smallestFirst() const {
    return sort == sortDesc;
}

const QList<NdayCategory>& ndayCategories() {
    static const QList<NdayCategory> categories{
        {QStringLiteral("特大资金买入靠前的"), keyTdc, sortAsc, tdcCell, false},
        {QStringLiteral("大单资金买入靠前的"), keyDdc, sortAsc, ddcCell, false},
        {QStringLiteral("散户资金减仓靠前的"), keyXdc, sortDesc, xdcCell, false},
        {QStringLiteral("DDX排名一直靠前的"), keyDdx, sortAsc, ddxCell, false},
        {QStringLiteral("累计跌幅靠前的"), keyZf, sortDesc, changeCell, true},
        {QStringLiteral("累计涨幅靠前的"), keyZf, sortAsc, changeCell, true},
    };
    return categories;
}

const NdayCategory* ndayCategory(const QString& text) {
    for (const NdayCategory& category : ndayCategories()) {
        if (category.text == text)
            return &category;
    }
    return nullptr;
}

bool passedOver(const QDate& day) {
    const QString weekday = dateweekday(day);
    return weekday == kSaturday || weekday == kSunday;
}

std::optional<double> columnValue(double value) {
    const double rounded = std::round(value * 100.0) / 100.0;
    if (!std::isfinite(rounded) || std::abs(rounded) >= kColumnLimit)
        return std::nullopt;
    return rounded;
}

QList<NdayRow> readNdayRows(const QList<RankRow>& rows, const NdayCategory& category) {
    QList<NdayRow> taken;
    for (const RankRow& row : rows) {
        if (row.number > rowsTakenPerDay)
            break;
        if (!row.has(nameCell))
            continue;
        const std::optional<double> read = number(row.text(category.valueCell));
        const std::optional<double> value = read ? columnValue(*read) : std::nullopt;
        if (value)
            taken << NdayRow{row.text(nameCell).trimmed(), row.text(codeCell), *value};
    }
    return taken;
}

QStringList ndayCaptions(const QList<NdayStock>& ordered, const NdayCategory& category) {
    QStringList captions;
    for (const NdayStock& stock : ordered) {
        const QString name = stock.name.trimmed();
        if (category.skipsNewListings && name.startsWith(kNewListing))
            continue;
        captions << stock.code.trimmed() + name;
    }
    return captions;
}

QString leadingStockCode(const QString& caption) {
    const QString head = caption.left(6);
    if (head.size() < 6)
        return QString();
    for (const QChar c : head) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QString();
    }
    return head;
}

} // namespace Rankings
