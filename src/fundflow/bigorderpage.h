#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The big-order site's three chart pages of a stock (`bigorderpage`). Each page carries its figures as data
// parameters "marker" + list + "&" somewhere in its body; a list's items are separated by ",". The readers
// take the body's inner HTML as the browser gives it and return the items as the page wrote them: no
// trimming, no conversion (the charts and the announcements convert where they use them).
namespace BigOrder {

enum class Page {
    TodayBars,   // big-order buys and sells per half hour of today's trading
    DayBars,     // big-order buys and sells per trading day, with a label per day
    SizeClasses, // today's big-order turnover split into size classes
};

// The page's address: the site's base address, "/stock/", the market ("sh" for a code beginning with 6,
// else "sz"), "/", the code and the page's name.
QString pageAddress(const QString& siteBase, const QString& code, Page page);

// One data parameter of a page.
struct Marker {
    QString text;           // "values=", "values_2=", "x_labels=" or "colours="
    bool firstOnly = false; // only the marker's first occurrence is read; later ones are ignored
};

// The marker scan. For each marker, every occurrence that an "&" follows gives one list, the text from after
// the marker up to that "&", split at every ",": an empty list is one empty item, a trailing comma a last
// empty item. An occurrence that meets another occurrence of its marker before the "&" starts again there;
// an occurrence without any "&" after it gives nothing. The lists of one marker are joined in page order.
// Returns one item list per marker, in the order of `markers`. Linear in the length of the text.
std::vector<QStringList> scanMarkers(QStringView text, const std::vector<Marker>& markers);

// Splits a list at every "," into its items, each exactly as written.
QStringList splitItems(QStringView list);

// Today's bars: item 0 is 9:30-10:00 ... item 7 is 14:30-15:00; the lists grow through the day.
struct TodayBars {
    bool noData = false;   // the page holds "values=&": the stock has no figures yet today; both lists empty
    QStringList halfbuys;  // "values=": big-order buys per half hour, in 万股
    QStringList halfsells; // "values_2=": big-order sells of the same half hours
};
TodayBars readTodayBars(QStringView body);

// The bars of the last trading days, in the page's order.
struct DayBars {
    QStringList daybuys;   // "values=": big-order buys of one day, in shares
    QStringList daysells;  // "values_2=": big-order sells of the same day
    QStringList daylabels; // "x_labels=": the text under that day's bars
};
DayBars readDayBars(QStringView body);

// Today's big-order turnover by size class, in the page's order.
struct SizeClasses {
    QStringList pievalues;  // the first "values=" only: the class's part of the turnover, whole percent
    QStringList piecolours; // "colours=": the colour that names the class, "#" and six hexadecimal digits
};
SizeClasses readSizeClasses(QStringView body);

} // namespace BigOrder
