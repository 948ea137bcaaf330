#include "fundflow/bigorderpage.h"

#include <gtest/gtest.h>

using namespace BigOrder;

namespace {

QString shown(const QStringList& items) {
    return QLatin1Char('[') + items.join(u'|') + QLatin1Char(']');
}

struct ScanCase {
    const char* name;
    QString text;
    QStringList values;    // "values=", read at every occurrence
    QStringList firstOnly; // "values=", first occurrence only
};

} // namespace

TEST(BigOrderPage, MarkerScan) {
    const QList<ScanCase> cases{
        {"three items in page order", "<p>&values=12,30,7&x=1", {"12", "30", "7"}, {"12", "30", "7"}},
        {"empty list is one empty item", "values=&", {""}, {""}},
        {"no comma is one item", "values= 5 &", {" 5 "}, {" 5 "}},
        {"two commas in a row", "values=1,,2&", {"1", "", "2"}, {"1", "", "2"}},
        {"trailing comma", "values=1,&", {"1", ""}, {"1", ""}},
        {"text after the last & adds nothing", "values=1&values=2", {"1"}, {"1"}},
        {"no & after the marker", "values=1,2", {}, {}},
        {"second occurrence appends", "values=1&;values=2,3&", {"1", "2", "3"}, {"1"}},
        {"occurrence before the & starts again", "values=1,values=2&", {"2"}, {"1", "values=2"}},
        {"first occurrence without & hides later ones", "values=1", {}, {}},
        {"case-sensitive", "Values=1&VALUES=2&", {}, {}},
        {"marker at the very end", "x&values=", {}, {}},
        {"serialised attribute", "value=\"&amp;values=4,5&amp;\"", {"4", "5"}, {"4", "5"}},
        {"empty text", "", {}, {}},
    };
    for (const ScanCase& c : cases) {
        const std::vector<QStringList> lists =
            scanMarkers(c.text, {{QStringLiteral("values=")}, {QStringLiteral("values="), true}});
        EXPECT_EQ(shown(lists.at(0)), shown(c.values)) << c.name;
        EXPECT_EQ(shown(lists.at(1)), shown(c.firstOnly)) << c.name;
    }
}

TEST(BigOrderPage, ThePagesLists) {
    const TodayBars today = readTodayBars(u"&values=12,30,7&values_2=5,41,7&x_labels=a,b&");
    EXPECT_EQ(shown(today.halfbuys) + shown(today.halfsells), "[12|30|7][5|41|7]");
    // "values=&" anywhere, even after good lists, means no figures today.
    const TodayBars none = readTodayBars(u"&values=1,2&values_2=3,4& <p>values=&</p>");
    EXPECT_TRUE(none.noData && none.halfbuys.isEmpty() && none.halfsells.isEmpty());

    const DayBars days = readDayBars(u"&values=1,2&values_2=0,0&x_labels=a,b&values=3");
    EXPECT_EQ(shown(days.daybuys) + shown(days.daysells) + shown(days.daylabels), "[1|2][0|0][a|b]");
    // The pie's figures come from the first "values=" only; its colours from every "colours=".
    const SizeClasses pie = readSizeClasses(u"&values=60,40&colours=#FF6666,#99FF00&values=1,2&colours=#336600&");
    EXPECT_EQ(shown(pie.pievalues) + shown(pie.piecolours), "[60|40][#FF6666|#99FF00|#336600]");

    EXPECT_EQ(pageAddress("b", "600000", Page::TodayBars), "b/stock/sh/600000/single-bar.htm");
    EXPECT_EQ(pageAddress("b", "300750", Page::SizeClasses), "b/stock/sz/300750/single-pie.htm");
}
