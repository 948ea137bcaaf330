#pragma once

#include "quotes/indexpage.h"
#include "quotes/quoterecord.h"

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

// What the main window's quote panel and index summary show: rules from the readers' data to label texts and
// colours. No widgets here; the main window applies the result to its labels.
namespace Quotes {

// The quote panel's labels, under their names in the main window.
enum class PanelLabel { Label2, Label44, Label4, Label29, Label8, Label7, Label38, Label37, Label25, Label23, Label24 };

// One write to a label: a new text, a new font colour, or both; a part left unset keeps what the label has.
struct LabelWrite {
    PanelLabel label = PanelLabel::Label2;
    std::optional<QString> text;
    std::optional<QColor> colour;

    bool operator==(const LabelWrite&) const = default;
};

// The panel's writes for one record of the current stock, in the order the record's fields close. A field the
// record lacks writes nothing, so its label keeps its previous text.
QList<LabelWrite> quotePanelWrites(const QuoteRecord& record);

// One market's row of the desktop widget: value, change, range and turnover cells, all on the market's
// direction colour.
struct IndexRowCells {
    QString value;
    QString change;
    QString range;
    QString turnover; // "N亿元"
    bool fall = false;

    bool operator==(const IndexRowCells&) const = default;
};

// What one section of the index page shows.
struct IndexSummary {
    IndexMarket market = IndexMarket::Shanghai;
    // The main window's label (Label31 or Label32): its text, set once the section has its value, and its font
    // colour, set once the section has its change. Unset parts leave the label as it was.
    std::optional<QString> text;
    std::optional<QColor> colour;
    // The widget's row, written whole from a section that reached its turnover; a section cut short before it
    // leaves the row as it was rather than mixing two readings in one row.
    std::optional<IndexRowCells> widgetRow;
};

IndexSummary indexSummary(const IndexSection& section);

} // namespace Quotes
