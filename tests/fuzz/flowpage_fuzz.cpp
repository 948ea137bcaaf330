// The fund-flow detail page: the walk, the stock fund page's reading and the period query's reading of the same
// bytes. A page without a summary row, and a kept amount that is not a number, throw Failure by design.
#include "fuzzing.h"

#include "fundflow/flowpage.h"
#include "fundflow/fundpage.h"
#include "fundflow/periodquery.h"
#include "platform/failures.h"

#include <QDate>

namespace {

void checkCells(const QByteArray& page, const FlowPage::Cells& cells) {
    const char* begin = page.constData();
    const char* end = begin + page.size();
    for (const QByteArrayView cell : cells) {
        fuzzCheck(cell.size() >= 0 && (cell.isEmpty() || (cell.data() >= begin && cell.data() + cell.size() <= end)),
                  "a cell value lies inside the page");
        fuzzCheck(!cell.contains('<'), "a cell value holds no '<'");
    }
}

void checkWalk(const QByteArray& page) {
    const FlowPage::Walk walked = FlowPage::walk(page);
    fuzzCheck(walked.summary || walked.days.isEmpty(), "daily rows come only after a summary row");
    if (walked.summary)
        checkCells(page, *walked.summary);
    for (const FlowPage::Cells& row : walked.days)
        checkCells(page, row);

    try {
        const FundPage::Days days = FundPage::readPage(page, {}).days;
        fuzzCheck(days.dailynet.size() == days.dailyxl.size() && days.dailyxl.size() == days.dailylarge.size() &&
                      days.dailylarge.size() == days.dailyretail.size() && days.dailynet.size() <= walked.days.size(),
                  "the daily lists stay parallel, at most one entry per daily row");
    } catch (const Failure&) {
        fuzzCheck(!walked.summary, "only a page without a summary row fails the read");
    }

    try {
        const PeriodQuery::Table table = PeriodQuery::readTable(page, QDate(1900, 1, 1), QDate(2100, 12, 31));
        const PeriodQuery::Rows& rows = table.rows;
        for (const QStringList* list :
             {&rows.periodxl, &rows.periodlarge, &rows.periodmedium, &rows.periodretail, &rows.perioddates})
            fuzzCheck(list->size() == rows.periodnet.size(), "the period lists stay parallel");
        for (const double total : table.totals)
            PeriodQuery::totalText(total);
    } catch (const Failure&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray page = fuzzBytes(data, size);
    checkWalk(page);
    // The date cell on its own, over the whole input.
    if (const std::optional<PeriodQuery::RowDate> date = PeriodQuery::rowDate(page))
        fuzzCheck(date->date.isValid(), "a row date is a date of the calendar");
    return 0;
}
