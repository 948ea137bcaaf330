#include "fundflow/fundpage.h"

#include "app/colours.h"
#include "app/hosts.h"
#include "platform/failures.h"
#include "quotes/quoterecord.h"

#include <algorithm>
#include <array>

namespace {

using FlowPage::Cells;
using FundPage::Summary;

const QString kInflow = QStringLiteral("流入");
const QString kOutflow = QStringLiteral("流出");

const QString kFillPrefix = QStringLiteral(" Brennoc结论: ");
const QString kChoicePrefix = QStringLiteral(" Brennoc结论:  ");
const QString kDaysWord = QStringLiteral(" 近 ");
const QString kMainAdds = QStringLiteral(" 天主力增仓");
const QString kMainCuts = QStringLiteral(" 天主力减仓");
const QString kBothAdd = QStringLiteral(" 天主力加仓,散户加仓");
const QString kBothAddChoice = QStringLiteral(" 天主力增仓,散户加仓");
const QString kBothCut = QStringLiteral(" 天主力减仓,散户减仓");

const QString kKlineFolder = QStringLiteral("/k/");
const QString kRealtimeFolder = QStringLiteral("/r/");
const QString kShanghaiPicture = QStringLiteral("1.png?=1");
const QString kOtherPicture = QStringLiteral("2.png?=1");

struct SummaryCell {
    int number;
    QString Summary::*member;
};
constexpr std::array<SummaryCell, 12> kSummaryCells{{
    {1, &Summary::summarydate},
    {2, &Summary::summarytime},
    {3, &Summary::summarycode},
    {4, &Summary::summaryname},
    {5, &Summary::summaryprice},
    {7, &Summary::summaryddx},
    {10, &Summary::summarynet},
    {11, &Summary::summaryxl},
    {12, &Summary::summarylarge},
    {14, &Summary::summaryretail},
    {44, &Summary::summarype},
    {45, &Summary::summaryeps},
}};

// Cells of the four amounts kept, in list order: net, extra-large, large, small.
constexpr std::array<int, 4> kFirstRowCells{10, 11, 12, 14};
constexpr std::array<int, 4> kLaterRowCells{9, 10, 11, 13};

qint64 sumOf(const QStringList& list, int n) {
    qint64 sum = 0;
    for (int i = 0; i < n; ++i)
        sum += toInt(at(list, i));
    return sum;
}

QString picture(const Hosts::Site& host, const QString& folder, const QString& code) {
    if (!Quotes::isStockCode(code))
        throw Failure(QStringLiteral("not a six-digit stock code"));
    return Hosts::base(host) + folder + code + (code.startsWith(QLatin1Char('6')) ? kShanghaiPicture : kOtherPicture);
}

} // namespace

namespace FundPage {

const QString verdictDesignText = QStringLiteral("Brennoc结论：");

void applySummary(const Cells& row, Summary& summary) {
    for (const SummaryCell& cell : kSummaryCells) {
        if (std::optional<QString> text = FlowPage::cellText(row, cell.number))
            summary.*cell.member = std::move(*text);
    }
}

Days dailyLists(const QList<Cells>& days) {
    Days lists;
    for (qsizetype row = 0; row < days.size(); ++row) {
        const std::array<int, 4>& numbers = row == 0 ? kFirstRowCells : kLaterRowCells;
        const Cells& cells = days[row];
        if (cells.size() < numbers.back())
            continue;
        lists.dailynet.append(FlowPage::decodeCell(cells[numbers[0] - 1]));
        lists.dailyxl.append(FlowPage::decodeCell(cells[numbers[1] - 1]));
        lists.dailylarge.append(FlowPage::decodeCell(cells[numbers[2] - 1]));
        lists.dailyretail.append(FlowPage::decodeCell(cells[numbers[3] - 1]));
    }
    return lists;
}

Read readPage(QByteArrayView page, const Summary& start) {
    const FlowPage::Walk walked = FlowPage::walk(page);
    if (!walked.summary)
        throw Failure(QStringLiteral("the fund-flow page has no summary row"));
    Read read{start, dailyLists(walked.days)};
    applySummary(*walked.summary, read.summary);
    return read;
}

Summary startingSummary(const QString& code, const QString& flowcode, const Summary& shown) {
    return code == flowcode ? shown : Summary{};
}

Flow todayFlow(const QString& amount) {
    if (amount.contains(QLatin1Char('-')))
        return {kOutflow + amount, Colours::green};
    return {kInflow + amount, Colours::red};
}

Flow sumFlow(qint64 sum) {
    return {(sum < 0 ? kOutflow : kInflow) + QString::number(sum), sum < 0 ? Colours::green : Colours::red};
}

Sums sums(const Days& days, int n) {
    Sums result;
    result.days = std::max(0, std::min(n, static_cast<int>(days.dailyretail.size())));
    result.net = sumOf(days.dailynet, result.days);
    result.xl = sumOf(days.dailyxl, result.days);
    result.large = sumOf(days.dailylarge, result.days);
    result.retail = sumOf(days.dailyretail, result.days);
    return result;
}

std::optional<QString> verdict(const QString& name, const Sums& sums, Wording wording) {
    const qint64 main = sums.xl + sums.large;
    const qint64 retail = sums.retail;
    if (main == 0 || retail == 0)
        return std::nullopt;
    QString ending;
    if (main > 0 && retail < 0)
        ending = kMainAdds;
    else if (main < 0 && retail > 0)
        ending = kMainCuts;
    else if (main > 0)
        ending = wording == Wording::Fill ? kBothAdd : kBothAddChoice;
    else
        ending = kBothCut;
    const QString& prefix = wording == Wording::Fill ? kFillPrefix : kChoicePrefix;
    return prefix + name + kDaysWord + QString::number(sums.days) + ending;
}

QString klinePicture(const QString& code) {
    return picture(Hosts::klinePictures, kKlineFolder, code);
}

QString realtimePicture(const QString& code) {
    return picture(Hosts::realtimePictures, kRealtimeFolder, code);
}

} // namespace FundPage
