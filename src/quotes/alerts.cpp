#include "quotes/alerts.h"

#include "platform/failures.h"

#include <algorithm>

namespace Alerts {

namespace {

// Bounds of the two trading sessions.
const QTime morningOpen(9, 30, 0);
const QTime morningClose(11, 30, 0);
const QTime afternoonOpen(13, 0, 0);
const QTime afternoonClose(15, 0, 0);

const QString saturday = QStringLiteral("星期六");
const QString sunday = QStringLiteral("星期天");

// Broadcast titles: "现在(" + time + ...
const QString titleStart = QStringLiteral("现在(");
const QString openingTitleEnd = QStringLiteral(")播报开盘价");
const QString middayTitleEnd = QStringLiteral(")播报午间收盘价");
const QString closingTitleEnd = QStringLiteral(")播报收盘价");
const QString openingPriceHeading = QStringLiteral("开盘价");
const QString closingPriceHeading = QStringLiteral("收盘价");
const QString nameHeading = QStringLiteral("股票名称及代码");
const QString changeHeading = QStringLiteral("涨跌幅");
const QString volumeHeading = QStringLiteral("成交量");

// Quote record fields of the broadcast's price column.
constexpr int openField = 13;
constexpr int priceField = 4;

// Alert headlines: "注意:" + name + "(" + code + ")" + ...
const QString headlineStart = QStringLiteral("注意:");
const QString limitUpEnd = QStringLiteral(" 股价接近涨停或已涨停");
const QString limitDownEnd = QStringLiteral(" 股价接近跌停或已跌停");
const QString tradeAt = QStringLiteral("在");
const QString tradeHas = QStringLiteral("有");
const QString bigSellEnd = QStringLiteral("手大卖单成交");
const QString bigBuyEnd = QStringLiteral("手大买单成交");
const QString bidOrderAt = QStringLiteral("在买①出现");
const QString bidOrderEnd = QStringLiteral("手买单");
const QString askOrderAt = QStringLiteral("在卖①出现");
const QString askOrderEnd = QStringLiteral("手卖单");
const QString riseBeyond = QStringLiteral(" 涨幅超过");
const QString fallBeyond = QStringLiteral(" 跌幅超过");

// Detail lines: "最新价:" + price + " 涨:" + change + "元 幅度:" + percent + arrow + " 成交量:" + volume + "手".
const QString detailPrice = QStringLiteral("最新价:");
const QString detailRise = QStringLiteral(" 涨:");
const QString detailFall = QStringLiteral(" 跌:");
const QString detailRange = QStringLiteral("元 幅度:");
const QString detailRiseArrow = QStringLiteral(" ↑");
const QString detailFallArrowSpaced = QStringLiteral(" ↓"); // the limit and change windows
const QString detailFallArrowTight = QStringLiteral("↓");   // the big-trade and large-order windows
const QString detailVolume = QStringLiteral(" 成交量:");
const QString detailVolumeUnit = QStringLiteral("手");

const QString armed = QStringLiteral("-1");
const QString justFired = QStringLiteral("0");
const QString limitArmed = QStringLiteral("0");
const QString limitFired = QStringLiteral("1");

// Character `position` (1-based) of the four-character switch string is "1".
bool switchOn(const QString& flags, int position) {
    return flags.size() >= position && flags[position - 1] == u'1';
}

// A field that a check cannot do without: an empty one (a short record) skips the stock.
const QString& needed(const QString& field) {
    if (field.isEmpty())
        throw Failure(QStringLiteral("quote field missing"));
    return field;
}

// The change percentage as a number: the field without its last character ("9.01%" -> 9.01).
double percentOf(const QString& changePercent) {
    return toDouble(needed(changePercent).chopped(1));
}

QString stockTag(const QuoteEntry& quote) {
    return headlineStart + quote.name + u'(' + quote.code + u')';
}

QString riseDetail(const QuoteEntry& quote) {
    return detailPrice + quote.price + detailRise + quote.change + detailRange + quote.changePercent + detailRiseArrow +
           detailVolume + quote.volume + detailVolumeUnit;
}

QString fallDetail(const QuoteEntry& quote, const QString& arrow) {
    return detailPrice + quote.price + detailFall + quote.change + detailRange + quote.changePercent + arrow +
           detailVolume + quote.volume + detailVolumeUnit;
}

// The big-trade and large-order windows take the direction from the change amount.
Alert tradeAlert(AlertWindow window, const QString& headline, const QuoteEntry& quote) {
    const bool fall = Quotes::isFall(quote.change);
    return {window, headline, fall ? fallDetail(quote, detailFallArrowTight) : riseDetail(quote), fall};
}

} // namespace

bool insideSession(const QTime& time) {
    return (time > morningOpen && time < morningClose) || (time > afternoonOpen && time < afternoonClose);
}

bool isWeekend(const QString& weekdayName) {
    return weekdayName == sunday || weekdayName == saturday;
}

Branch branchAt(int hour, int minute, const BroadcastsDone& done) {
    if (hour == 9 && minute >= 28 && minute <= 30 && !done.opening)
        return Branch::OpeningBroadcast;
    if (hour == 11 && minute >= 33 && minute <= 44 && !done.midday)
        return Branch::MiddayBroadcast;
    if (hour == 15 && minute >= 3 && minute <= 9 && !done.closing)
        return Branch::ClosingBroadcast;
    return Branch::AlertChecks;
}

Broadcast broadcastOf(Branch branch, const QString& time) {
    switch (branch) {
    case Branch::OpeningBroadcast:
        return {titleStart + time + openingTitleEnd, openingPriceHeading, openField};
    case Branch::MiddayBroadcast:
        return {titleStart + time + middayTitleEnd, closingPriceHeading, priceField};
    case Branch::ClosingBroadcast:
    case Branch::AlertChecks:
        break;
    }
    return {titleStart + time + closingTitleEnd, closingPriceHeading, priceField};
}

QStringList broadcastHeadings(const Broadcast& broadcast) {
    return {QString(), nameHeading, broadcast.priceHeading, changeHeading, volumeHeading};
}

QList<QStringList> broadcastRows(const Quotes::QuoteLists& quotes, int priceField) {
    QList<QStringList> rows;
    for (qsizetype k = 0; k < quotes.size(); ++k) {
        const QString changePercent = quotes.entry(5, k);
        rows.append({QString::number(k + 1), quotes.entry(3, k) + u'(' + quotes.entry(2, k) + u')',
                     quotes.entry(priceField, k), changePercent + Quotes::signArrow(changePercent),
                     quotes.entry(11, k)});
    }
    return rows;
}

QuoteEntry quoteEntryAt(const Quotes::QuoteLists& quotes, qsizetype index) {
    return {quotes.entry(2, index),  quotes.entry(3, index), quotes.entry(4, index),  quotes.entry(5, index),
            quotes.entry(6, index),  quotes.entry(8, index), quotes.entry(10, index), quotes.entry(11, index),
            quotes.entry(17, index), quotes.entry(18, index)};
}

std::optional<Alert> limitCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                bool inSession) {
    if (!switchOn(settings.flags, 1) || state.limitfired != limitArmed || !inSession)
        return std::nullopt;
    needed(quote.volume);
    const double percent = percentOf(quote.changePercent);
    if (percent > 9.0) {
        state.limitfired = limitFired;
        return Alert{AlertWindow::Limit, stockTag(quote) + limitUpEnd, riseDetail(quote), false};
    }
    if (percent < -9.0) {
        state.limitfired = limitFired;
        return Alert{AlertWindow::Limit, stockTag(quote) + limitDownEnd, fallDetail(quote, detailFallArrowSpaced),
                     true};
    }
    return std::nullopt;
}

std::optional<Alert> bigTradeCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                   bool inSession, const QString& time) {
    if (!switchOn(settings.flags, 2) || !inSession || state.dealcooldown != armed)
        return std::nullopt;
    const int digits = toInt(settings.dealDigits);
    if (needed(quote.lastVolume).size() < digits)
        return std::nullopt;
    state.dealcooldown = justFired;
    const QString& end = quote.lastSide.contains(u'-') ? bigSellEnd : bigBuyEnd;
    return tradeAlert(AlertWindow::BigTrade, stockTag(quote) + tradeAt + time + tradeHas + quote.lastVolume + end,
                      quote);
}

std::optional<Alert> largeOrderCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                     bool inSession, const QString& time) {
    if (!switchOn(settings.flags, 3) || !inSession || state.ordercooldown != armed)
        return std::nullopt;
    const int digits = toInt(settings.orderDigits);
    const QString& bid = needed(quote.bidVolume);
    const QString& ask = needed(quote.askVolume);
    needed(quote.volume);
    // A stock at its limit shows a wall of orders at one side; once its limit alert has fired that is no news.
    if (state.limitfired != limitArmed)
        return std::nullopt;
    std::optional<Alert> alert;
    if (bid.size() >= digits) {
        state.ordercooldown = justFired;
        alert = tradeAlert(AlertWindow::LargeOrder, stockTag(quote) + time + bidOrderAt + bid + bidOrderEnd, quote);
    }
    if (ask.size() >= digits) {
        state.ordercooldown = justFired;
        alert = tradeAlert(AlertWindow::LargeOrder, stockTag(quote) + time + askOrderAt + ask + askOrderEnd, quote);
    }
    return alert;
}

std::optional<Alert> changeCheck(const QuoteEntry& quote, const StockSettings& settings, StockState& state,
                                 bool inSession) {
    if (!switchOn(settings.flags, 4) || !inSession || state.pctcooldown != armed)
        return std::nullopt;
    needed(quote.volume);
    const double percent = percentOf(quote.changePercent);
    const int threshold = toInt(settings.pct);
    if (percent > threshold) {
        state.pctcooldown = justFired;
        return Alert{AlertWindow::Change, stockTag(quote) + riseBeyond + quote.changePercent, riseDetail(quote), false};
    }
    if (percent < toInt(u'-' + settings.pct)) {
        state.pctcooldown = justFired;
        return Alert{AlertWindow::Change, stockTag(quote) + fallBeyond + quote.changePercent,
                     fallDetail(quote, detailFallArrowSpaced), true};
    }
    return std::nullopt;
}

std::optional<StockCheck> checkStock(const QuoteEntry& quote, const StockSettings& settings, const StockState& state,
                                     bool inSession, const QString& time) {
    StockCheck check{{}, state};
    const auto add = [&check](const std::optional<Alert>& alert) {
        if (alert)
            check.alerts.append(*alert);
    };
    try {
        add(limitCheck(quote, settings, check.state, inSession));
        add(bigTradeCheck(quote, settings, check.state, inSession, time));
        add(largeOrderCheck(quote, settings, check.state, inSession, time));
        add(changeCheck(quote, settings, check.state, inSession));
    } catch (const Failure&) {
        return std::nullopt;
    }
    return check;
}

QPoint popupCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame) {
    return screen.topLeft() + QPoint(screen.width() - frame.width(), workArea.height() - frame.height());
}

void countCooldowns(QStringList& cooldowns) {
    for (QString& entry : cooldowns) {
        if (entry == armed)
            continue;
        bool isCount = false;
        const int next = entry.toInt(&isCount) + 1;
        entry = !isCount || next > cooldownSeconds ? armed : QString::number(next);
    }
}

bool cooldownsCounting(const QStringList& cooldowns) {
    return std::any_of(cooldowns.cbegin(), cooldowns.cend(), [](const QString& entry) { return entry != armed; });
}

} // namespace Alerts
