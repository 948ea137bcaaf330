#include "quotes/widgetlayout.h"

namespace WidgetLayout {

namespace {

constexpr int firstRowTop = 90;
constexpr int rowSpacing = 20;
constexpr int baseHeight = 120;
constexpr int showRowHeight = 18;
constexpr int saveRowHeight = 15;
constexpr std::array<int, labelsPerStock> lefts{8, 75, 129, 185, 238, 286};
// Quote record field shown by each role.
constexpr std::array<int, labelsPerStock> fields{3, 4, 5, 15, 16, 11};

const QString volumeUnit = QStringLiteral("手");
// Seven digits: the day's volume of a busy stock, in lots.
const QString widestVolumeDigits = QStringLiteral("8888888");

} // namespace

int firstLabel(int position) {
    return labelsPerStock * position;
}

int rowTop(int position) {
    return firstRowTop + rowSpacing * position;
}

int roleLeft(Role role) {
    return lefts[role];
}

QString widestVolume() {
    return widestVolumeDigits + volumeUnit;
}

int heightForShow(int stocks) {
    return stocks * showRowHeight + baseHeight;
}

int heightAfterSave(int stocks) {
    return stocks * saveRowHeight + baseHeight;
}

RowUpdate rowUpdate(const Quotes::QuoteRecord& record) {
    RowUpdate update;
    for (int role = 0; role < labelsPerStock; ++role) {
        if (record.has(fields[role]))
            update.texts[role] = record.field(fields[role]);
    }
    if (update.texts[Volume])
        *update.texts[Volume] += volumeUnit;
    if (record.has(5))
        update.background = Quotes::signColour(record.changePercent);
    return update;
}

} // namespace WidgetLayout
