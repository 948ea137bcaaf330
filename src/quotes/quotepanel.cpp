#include "quotes/quotepanel.h"

namespace {

const QString kYuan = QStringLiteral("元");
const QString kHands = QStringLiteral("手");
const QString kTenThousandYuan = QStringLiteral("万元");
const QString kBuySide = QStringLiteral("买盘↑ ");
const QString kSellSide = QStringLiteral("卖盘↓ ");
const QString kOpenCaption = QStringLiteral("开盘价：");
const QString kHighCaption = QStringLiteral("最高价：");
const QString kLowCaption = QStringLiteral("最低价：");

const QString kShanghaiCaption = QStringLiteral("上证：");
const QString kShenzhenCaption = QStringLiteral("深成：");
const QString kChangeLead = QStringLiteral("  ");
const QString kTurnoverLead = QStringLiteral(" 成交");
const QString kYi = QStringLiteral("亿");
const QString kYiYuan = QStringLiteral("亿元");

using Quotes::LabelWrite;
using Quotes::PanelLabel;

LabelWrite text(PanelLabel label, const QString& value) {
    return {label, value, std::nullopt};
}

LabelWrite colour(PanelLabel label, const QColor& value) {
    return {label, std::nullopt, value};
}

LabelWrite textAndColour(PanelLabel label, const QString& text, const QColor& colour) {
    return {label, text, colour};
}

// "5.20元(300手)": a best price with the volume standing at it.
QString priceWithVolume(const QString& price, const QString& volume) {
    return price + kYuan + QLatin1Char('(') + volume + kHands + QLatin1Char(')');
}

} // namespace

namespace Quotes {

QList<LabelWrite> quotePanelWrites(const QuoteRecord& r) {
    QList<LabelWrite> writes;
    if (r.has(4))
        writes << text(PanelLabel::Label2, r.price + kYuan);
    if (r.has(5)) {
        // The change percentage colours the price, itself and the change amount.
        const QColor direction = signColour(r.changePercent);
        writes << colour(PanelLabel::Label2, direction);
        writes << textAndColour(PanelLabel::Label44, r.changePercent, direction);
    }
    if (r.has(6))
        writes << textAndColour(PanelLabel::Label4, r.change + kYuan, signColour(r.changePercent));
    if (r.has(8))
        writes << text(PanelLabel::Label38, priceWithVolume(r.bidPrice, r.bidVolume));
    if (r.has(10))
        writes << text(PanelLabel::Label37, priceWithVolume(r.askPrice, r.askVolume));
    if (r.has(11))
        writes << text(PanelLabel::Label8, r.volume + kHands);
    if (r.has(12))
        writes << text(PanelLabel::Label7, r.turnover + kTenThousandYuan);
    if (r.has(13))
        writes << text(PanelLabel::Label25, kOpenCaption + r.open + kYuan);
    if (r.has(15))
        writes << text(PanelLabel::Label23, kHighCaption + r.high + kYuan);
    if (r.has(16))
        writes << text(PanelLabel::Label24, kLowCaption + r.low + kYuan);
    if (r.has(18)) {
        const bool sell = isFall(r.lastSide);
        writes << textAndColour(PanelLabel::Label29, (sell ? kSellSide : kBuySide) + r.lastVolume + kHands,
                                sell ? fallColour : riseColour);
    }
    return writes;
}

IndexSummary indexSummary(const IndexSection& section) {
    IndexSummary summary;
    summary.market = section.market;
    if (!section.has(2))
        return summary;
    QString label = (section.market == IndexMarket::Shanghai ? kShanghaiCaption : kShenzhenCaption) + section.value;
    if (section.has(3)) {
        label += kChangeLead + signWord(section.change) + section.change + signArrow(section.change);
        summary.colour = signColour(section.change);
    }
    if (section.has(5)) {
        const QString yi = QString::number(section.turnoverYi);
        label += kTurnoverLead + yi + kYi;
        summary.widgetRow =
            IndexRowCells{section.value, section.change, section.range, yi + kYiYuan, isFall(section.change)};
    }
    summary.text = label;
    return summary;
}

} // namespace Quotes
