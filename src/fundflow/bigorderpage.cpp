#include "fundflow/bigorderpage.h"

namespace BigOrder {

namespace {

const QString kStockFolder = QStringLiteral("/stock/");
const QString kShanghai = QStringLiteral("sh");
const QString kShenzhen = QStringLiteral("sz");
const QString kTodayBarsName = QStringLiteral("/single-bar.htm");
const QString kDayBarsName = QStringLiteral("/single-barDay.htm");
const QString kSizeClassesName = QStringLiteral("/single-pie.htm");

const QString kValues = QStringLiteral("values=");
const QString kValues2 = QStringLiteral("values_2=");
const QString kLabels = QStringLiteral("x_labels=");
const QString kColours = QStringLiteral("colours=");
// A bar page of a stock without figures today.
const QString kNoFigures = QStringLiteral("values=&");

constexpr QChar kListEnd = u'&';
constexpr QChar kItemSeparator = u',';

// Every list of one marker. No marker text has a proper prefix that is also its suffix, so two occurrences of
// a marker never overlap, and no marker holds "&": the scan can jump from occurrence to occurrence and from
// each list's beginning to its "&" and still see what a position-by-position walk sees.
QStringList scanMarker(QStringView text, const Marker& marker) {
    QStringList items;
    const QStringView needle(marker.text);
    qsizetype next = text.indexOf(needle);
    while (next >= 0) {
        qsizetype begin = next + needle.size();
        const qsizetype end = text.indexOf(kListEnd, begin);
        if (end < 0)
            break;
        next = text.indexOf(needle, begin);
        // Another occurrence before the "&" reads its list from there instead.
        while (!marker.firstOnly && next >= 0 && next < end) {
            begin = next + needle.size();
            next = text.indexOf(needle, begin);
        }
        items += splitItems(text.sliced(begin, end - begin));
        if (marker.firstOnly)
            break;
    }
    return items;
}

} // namespace

QString pageAddress(const QString& siteBase, const QString& code, Page page) {
    const QString market = code.startsWith(QLatin1Char('6')) ? kShanghai : kShenzhen;
    const QString& name = page == Page::TodayBars ? kTodayBarsName
                          : page == Page::DayBars ? kDayBarsName
                                                  : kSizeClassesName;
    return siteBase + kStockFolder + market + QLatin1Char('/') + code + name;
}

QStringList splitItems(QStringView list) {
    QStringList items;
    for (QStringView item : list.split(kItemSeparator))
        items.append(item.toString());
    return items;
}

std::vector<QStringList> scanMarkers(QStringView text, const std::vector<Marker>& markers) {
    std::vector<QStringList> lists;
    lists.reserve(markers.size());
    for (const Marker& marker : markers)
        lists.push_back(scanMarker(text, marker));
    return lists;
}

TodayBars readTodayBars(QStringView body) {
    TodayBars page;
    if (body.contains(kNoFigures)) {
        page.noData = true;
        return page;
    }
    std::vector<QStringList> lists = scanMarkers(body, {{kValues}, {kValues2}});
    page.halfbuys = std::move(lists[0]);
    page.halfsells = std::move(lists[1]);
    return page;
}

DayBars readDayBars(QStringView body) {
    std::vector<QStringList> lists = scanMarkers(body, {{kValues}, {kValues2}, {kLabels}});
    return {std::move(lists[0]), std::move(lists[1]), std::move(lists[2])};
}

SizeClasses readSizeClasses(QStringView body) {
    std::vector<QStringList> lists = scanMarkers(body, {{kValues, true}, {kColours}});
    return {std::move(lists[0]), std::move(lists[1])};
}

} // namespace BigOrder
