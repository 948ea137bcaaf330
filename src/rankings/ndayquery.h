#pragma once

#include "rankings/rankpage.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The N-day ranking query's rules: its six categories, the days its walk asks for, the rows it takes from a
// day's ranking page and the listing of the summed result. Plain functions; today is an argument.
namespace Rankings {

// One category of the query: the text the user picks, the ranking asked for, and the cell that holds the
// value added up.
struct NdayCategory {
    QString text;
    QString key;  // `sortname`
    QString sort; // sortAsc or sortDesc
    int valueCell = 0;
    // The change categories leave out new listings, whose names begin with "N": their first day's change
    // would lead every list.
    bool skipsNewListings = false;

    // The site lists "desc" rankings smallest first, so the sums of those categories lead with the smallest
    // too: the biggest falls, the biggest retail selling.
    bool smallestFirst() const;
};

// The categories in the order of the category box.
const QList<NdayCategory>& ndayCategories();
// The category of a category text; nullptr for any other text.
const NdayCategory* ndayCategory(const QString& text);

// Whether the walk passes over `day` without asking for it: Saturday and Sunday.
bool passedOver(const QDate& day);

// Rows taken from one day's page, at most.
inline constexpr int rowsTakenPerDay = 10;

// A row taken from a day's page: the stock and its value in the category's cell.
struct NdayRow {
    QString name; // trimmed
    QString code;
    double value = 0;
};

// The rows the query keeps of a day's page: among the first ten rows, those that reach the name cell and
// whose value cell is a number that the table's column (8 digits, 2 of them decimals) can hold, rounded to
// two decimals. A row whose value is no such number is passed over, so one bad cell costs one row, not the
// query.
QList<NdayRow> readNdayRows(const QList<RankRow>& rows, const NdayCategory& category);

// The value rounded to the table column's two decimals; nothing when it is not finite or too large.
std::optional<double> columnValue(double value);

// A stock of the summed result, in the order of its sum.
struct NdayStock {
    QString code;
    QString name;
};

// The captions of the listed stocks in rank order: trimmed code and trimmed name, nothing between. New
// listings are left out, and take no rank, where the category says so.
QStringList ndayCaptions(const QList<NdayStock>& ordered, const NdayCategory& category);

// The first six characters of a caption when they are digits (a stock code); empty otherwise, so that a
// blank or foreign caption opens nothing.
QString leadingStockCode(const QString& caption);

} // namespace Rankings
