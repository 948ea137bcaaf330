#pragma once

#include "quotes/quoterecord.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>

// The desktop price widget's stock rows: where each stock's six labels stand, what a quote record writes
// into them and in which colour, and how tall the widget is for a watch list. No widgets here.
namespace WidgetLayout {

// The six labels of a stock, in their order within the stock's block of the label array.
enum Role { Name, Price, Change, High, Low, Volume };
inline constexpr int labelsPerStock = 6;

// The name label has a fixed width, widened only for a name that needs more; the others size to their text.
inline constexpr int nameWidth = 58;
inline constexpr int labelHeight = 16;
// Room kept between the last label of a row and the widget's right edge, as the names keep on the left.
inline constexpr int rightMargin = 8;

// The widest volume text a row shows (seven digits and the unit), which the widget makes room for from the start.
QString widestVolume();

// Index of a watch-list position's first label.
int firstLabel(int position);
// Top of a watch-list position's row: 90, 110, 130, ...
int rowTop(int position);
// Left edge of a label by its role.
int roleLeft(Role role);

// Height of the widget when the switch first shows it (18 per stock) and after a save of the alert
// settings (15 per stock), both above a 120-pixel base.
int heightForShow(int stocks);
int heightAfterSave(int stocks);

// What one fetched record writes into a stock's labels: a text for each label whose field the record holds
// (the others keep their text), and, when the record holds the change percentage, the background of the
// five value labels: red for a rise, green for a fall.
struct RowUpdate {
    std::array<std::optional<QString>, labelsPerStock> texts;
    std::optional<QColor> background;
};
RowUpdate rowUpdate(const Quotes::QuoteRecord& record);

} // namespace WidgetLayout
