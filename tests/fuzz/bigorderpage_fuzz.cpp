// The big-order chart pages: the body text through the three page readers, and their lists through the plans
// the charts and announcements are drawn from. A figure that does not convert throws Failure from the sums,
// which is their defined answer.
#include "fuzzing.h"

#include "fundflow/bigorderpage.h"
#include "fundflow/bigorderplans.h"
#include "fundflow/halfhour.h"
#include "platform/failures.h"

using namespace BigOrder;

namespace {

// Every item lies between a marker and the "&" that ends its list, split at the commas.
void checkItems(const QStringList& items) {
    for (const QString& item : items)
        fuzzCheck(!item.contains(QLatin1Char(',')) && !item.contains(QLatin1Char('&')), "an item holds no , or &");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString body = QString::fromUtf8(fuzzBytes(data, size));
    const TodayBars today = readTodayBars(body);
    const DayBars days = readDayBars(body);
    const SizeClasses pie = readSizeClasses(body);
    fuzzCheck(!today.noData || (today.halfbuys.isEmpty() && today.halfsells.isEmpty()), "no figures, no items");
    for (const QStringList* items : {&today.halfbuys, &today.halfsells, &days.daylabels, &pie.pievalues})
        checkItems(*items);

    const BarPlan bars = todayBars(today.halfbuys, today.halfsells);
    fuzzCheck(bars.buys.size() <= today.halfbuys.size() && bars.sells.size() <= today.halfsells.size(),
              "a bar per item at most");
    const BarPlan shown = dayBars(days.daybuys, days.daysells, days.daylabels, lastFiveDaysStart(days.daybuys.size()));
    fuzzCheck(shown.categories().size() == std::max(shown.buys.size(), shown.sells.size()), "a text under every bar");
    fuzzCheck(sizeClassSlices(pie.pievalues, pie.piecolours).slices.size() <= pie.pievalues.size(),
              "a slice per size class at most");
    try {
        tenDayText(tenDaySums(days.daybuys, days.daysells));
        HalfHour::totalsText(HalfHour::dayTotals(today.halfbuys, today.halfsells));
        for (int window = 1; window <= HalfHour::windowCount; ++window)
            HalfHour::announcement(window, today.halfbuys, today.halfsells);
    } catch (const Failure&) {
    }
    return 0;
}
