#include "rankings/tracking.h"

#include "platform/failures.h"
#include "platform/formats.h"

#include <cmath>

namespace {

const QString kSaturday = QStringLiteral("星期六");
const QString kSunday = QStringLiteral("星期天");
const QString kRise = QStringLiteral("↑");
const QString kFall = QStringLiteral("↓");
const QString kSame = QStringLiteral("-");
const QString kNotPolled = QStringLiteral("-");

const QString kNoticeHead = QStringLiteral("注意: ");
const QString kNoticeTail = QStringLiteral("  DDX排名靠前 正在拉升,请关注");
const QString kNoticeTimeHead = QStringLiteral("提示时间:");
const QString kCountHead = QStringLiteral("已拉升的DDX强势股有：");
const QString kCountTail = QStringLiteral("个");

const QString kNoWeekend = QStringLiteral("注意:周六、周日不能对强势股跟踪");
const QString kTooEarly = QStringLiteral("ddx强势股监控的时间从每天9:40分以后“自动”开始，请等待...");
const QString kBetterBeforeTen = QStringLiteral("对ddx强势股的监控，最好从每天10点前开始。");
const QString kGathering = QStringLiteral("正在汇总数据，请稍候...");
const QTime kOpensAfter(9, 38, 0);
const QTime kBestBefore(10, 0, 0);

// A change beyond any the market sends is not a change: it would overflow the hundredths.
constexpr double kLargestChange = 1e6;

} // namespace

namespace Tracking {

bool pollsAt(const QString& weekdayName, const QTime& time) {
    return weekdayName != kSaturday && weekdayName != kSunday && time <= pollUntil;
}

std::optional<int> hundredths(const QString& change) {
    QString text = change.trimmed();
    if (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    try {
        const double value = toDouble(text);
        if (!std::isfinite(value) || std::abs(value) > kLargestChange)
            return std::nullopt;
        return static_cast<int>(std::lround(value * 100));
    } catch (const Failure&) {
        return std::nullopt;
    }
}

QStringList marginItems() {
    QStringList items{QStringLiteral("0.1")};
    for (int tenths = 5; tenths <= 25; ++tenths)
        items << QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
    return items;
}

std::optional<RowPoll> pollRow(const QString& start, const QString& shown, const QString& polled,
                               const QString& margin) {
    const std::optional<int> now = hundredths(polled);
    if (!now)
        return std::nullopt;
    RowPoll poll{polled, std::nullopt, false};
    if (shown != kNotPolled) {
        if (const std::optional<int> before = hundredths(shown))
            poll.direction = *now > *before ? kRise : *now < *before ? kFall : kSame;
    }
    const std::optional<int> from = hundredths(start);
    const std::optional<int> limit = hundredths(margin);
    poll.rallies = from && limit && *now - *from > *limit;
    return poll;
}

int rowBefore(int row, int trackedRows) {
    return row <= 1 ? trackedRows : row - 1;
}

int nextSelection(int selected, int trackedRows) {
    return selected < 1 || selected >= trackedRows ? 1 : selected + 1;
}

std::optional<CellLook> cellLook(int row, int trackedRows, bool rallied, bool selected, const QColor& text) {
    if (row < 1 || (row > trackedRows && !selected))
        return std::nullopt;
    if (selected)
        return CellLook{selectedBackground, selectedText};
    return CellLook{rallied ? ralliedBackground : waitingBackground, text};
}

QString noticeText(const QString& trackitem) {
    return kNoticeHead + trackitem + kNoticeTail;
}

QString noticeTime(const QTime& time) {
    return kNoticeTimeHead + Formats::longTime(time);
}

QString ralliedCount(int count) {
    return kCountHead + QString::number(count) + kCountTail;
}

Opening opening(const QString& weekdayName, const QTime& time, int trackedRows) {
    if (weekdayName == kSaturday || weekdayName == kSunday)
        return {{kNoWeekend}, false};
    if (time <= kOpensAfter)
        return {{kTooEarly}, false};
    if (trackedRows > 0)
        return {{}, true};
    if (time > kBestBefore)
        return {{kBetterBeforeTen, kGathering}, false};
    return {{kGathering}, false};
}

} // namespace Tracking
