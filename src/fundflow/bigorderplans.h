#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// What the big-order charts and windows show, worked out from the lists of the chart pages. Items are
// converted to signed 32-bit whole numbers where they are drawn or summed; an item that does not convert
// ends the drawing there, and the plan keeps what came before it.
namespace BigOrder {

// One bar of a bar series.
struct BarPoint {
    double value = 0;
    QString label;
};

// The two bar series of a chart, buys first.
struct BarPlan {
    QList<BarPoint> buys;  // "大单买入"
    QList<BarPoint> sells; // "大单卖出"
    bool complete = true;  // false: an item did not convert (or a label was missing); the bars before it stand

    // Text under bar i: the buy bar's label, or the sell bar's where the buys are fewer.
    QStringList categories() const;
};

inline const QString buySeriesTitle = QStringLiteral("大单买入");
inline const QString sellSeriesTitle = QStringLiteral("大单卖出");

// Today's bars in 万股, each labelled with its figure; the first eight buy bars are labelled with the end of
// their half hour instead ("10:00" ... "15:00"). A trading day has eight half hours and the page at most nine
// items: only the first `mostTodayBars` items of each list are drawn, so an oversized page costs no more.
inline constexpr qsizetype mostTodayBars = 64;
BarPlan todayBars(const QStringList& halfbuys, const QStringList& halfsells);

// Day bars from item `first` on, in 手 (shares / 100, fractions kept), labelled with the day's label.
BarPlan dayBars(const QStringList& daybuys, const QStringList& daysells, const QStringList& daylabels, qsizetype first);
// The first day the main window's day chart shows: the last five days.
qsizetype lastFiveDaysStart(qsizetype days);

// Captions and titles: name(code) and the chart's words.
QString todayCaption(const QString& name, const QString& code);
QString dayCaption(const QString& name, const QString& code, qsizetype days);
QString tenDayTitle(const QString& name, const QString& code, qsizetype days);
QString sizeClassTitle(const QString& name, const QString& code, const QString& shortDate);

// The ten-day sums in 手: each day's shares divided by 100 on its own, truncated, then added. Throws Failure
// at the first item that is not a whole number.
struct TenDaySums {
    qint64 in = 0;
    qint64 out = 0;
    qint64 net() const { return in - out; }
};
TenDaySums tenDaySums(const QStringList& daybuys, const QStringList& daysells);
// The line under the ten-day chart; an inflow when the net is above 0.
QString tenDayText(const TenDaySums& sums);

// One size class of the distribution pie.
struct SizeClass {
    QString pageColour; // the colour that names the class on the page, compared as exact text
    QString legend;
    QColor colour; // the slice's colour
};
const std::array<SizeClass, 8>& sizeClasses();

struct PieSlice {
    int value = 0;
    QString label;
    QColor colour;
};
struct PiePlan {
    QList<PieSlice> slices;
    bool complete = true;
};
// One slice per item, labelled legend + "(" + the page's figure + "%)". A colour outside the table takes the
// legend and colour of the slice before it (the first slice: no legend, grey).
PiePlan sizeClassSlices(const QStringList& pievalues, const QStringList& piecolours);

} // namespace BigOrder
