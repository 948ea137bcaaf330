#include "app/stringgrid.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace {
// The fixed row's colour (the toolkit's button face).
const QColor kFixedRowColour(240, 240, 240);
// The space kept between a cell's text and the grid's lines on either side.
constexpr int kCellPadding = 2;
// The smallest face a grid takes to show its widest texts in its box: 10 pixels still reads a Chinese character.
constexpr int kSmallestFacePixels = 10;

// A cell as the grid draws it when its window paints none of its own: the item's background and the
// selection as the style draws them, the text centred on the whole cell, on one line, clipped by the cell
// rather than shortened with an ellipsis.
class CentredCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        const QWidget* widget = cell.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        const bool selected = cell.state.testFlag(QStyle::State_Selected);
        const QPalette::ColorGroup group =
            cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setFont(cell.font);
        painter->setPen(cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        StringGrid::drawCellText(*painter, cell.rect, text);
        painter->restore();
    }
};

// The heading row, fixed above the rows that scroll under it. Each section is the heading's cell, painted as the
// grid paints its cells (an owner-drawn grid's own painting draws its heading too), with the grid's lines on its
// right and at its foot, so the heading looks as it did as the grid's first row.
class HeadingRow : public QHeaderView {
public:
    explicit HeadingRow(StringGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {
        setSectionsClickable(false);
        setHighlightSections(false);
        setSectionResizeMode(QHeaderView::Fixed);
        setMinimumSectionSize(1);
        setMinimumHeight(1);
    }

    void setRowHeight(int height) {
        height_ = height;
        updateGeometry();
    }

    QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), height_}; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid())
            return;
        const int gridLine = grid_->showGrid() ? 1 : 0;
        QStyleOptionViewItem option;
        grid_->initCellOption(&option);
        option.rect = rect.adjusted(0, 0, -gridLine, -gridLine);
        const QModelIndex index = grid_->model()->index(0, logicalIndex);
        painter->save();
        painter->setFont(grid_->font());
        grid_->itemDelegateForIndex(index)->paint(painter, option, index);
        painter->restore();
        if (gridLine == 0)
            return;
        const auto colour =
            static_cast<QRgb>(grid_->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, grid_));
        painter->save();
        painter->setPen(QColor::fromRgba(colour));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->restore();
    }

private:
    StringGrid* grid_;
    int height_ = 0;
};

HeadingRow* headingRowOf(const StringGrid* grid) {
    return static_cast<HeadingRow*>(grid->horizontalHeader());
}
} // namespace

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent) {
    auto* heading = new HeadingRow(this);
    setHorizontalHeader(heading);
    heading->setRowHeight(verticalHeader()->defaultSectionSize());
    verticalHeader()->hide();
    setItemDelegate(new CentredCells(this));
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The scroll bar counts rows, whatever the style would choose, so that the rows scroll a whole row at a time.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setRowCount(2);
    setRowHidden(0, true);
}

QString StringGrid::cell(int column, int row) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString& text) {
    if (row < 0 || column < 0)
        return;
    if (row >= rowCount())
        setRowCount(row + 1);
    if (column >= columnCount())
        setColumnCount(column + 1);
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        setItem(row, column, it);
    }
    it->setText(text);
    if (row == 0)
        markHeadingRow();
}

void StringGrid::clearCells() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (QTableWidgetItem* it = item(r, c))
                it->setText(QString());
        }
    }
}

void StringGrid::resetWithHeadings(const QStringList& headings) {
    clearCells();
    setRowCount(2);
    for (int c = 0; c < headings.size(); ++c)
        setCell(c, 0, headings[c]);
}

void StringGrid::setRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    // Rows just added count in the scroll range only once the grid lays them out, which it otherwise leaves until
    // it next paints: a new row beyond the old range would be scrolled only part of the way into view, or not at all.
    executeDelayedItemsLayout();
    setCurrentCell(row, 0);
    selectRow(row);
}

void StringGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    alignTopRow();
}

void StringGrid::scrollContentsBy(int dx, int dy) {
    QTableWidget::scrollContentsBy(dx, dy);
    alignTopRow();
}

// The table scrolled to its end would show its last row at the foot of the rows' box, and so cut the top row by
// whatever part of a row the box holds beyond its whole rows. The grid puts the top of the row the scroll bar
// stands at under the heading instead, and leaves that part-row at the foot empty.
void StringGrid::alignTopRow() {
    // The scroll bar counts the rows above the top one that are not hidden (the heading's row is).
    int above = verticalScrollBar()->value();
    int top = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowHidden(row))
            continue;
        top = verticalHeader()->sectionPosition(row);
        if (above-- == 0)
            break;
    }
    if (verticalHeader()->offset() == top)
        return;
    verticalHeader()->setOffset(top);
    viewport()->update();
}

void StringGrid::drawCellText(QPainter& painter, const QRect& cell, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    // The ink of a Chinese character and of the parentheses, the tallest shapes the grids show, from the baseline.
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("国()"));
    const qreal baseline = cell.top() + (cell.height() - ink.height()) / 2 - ink.top();
    const qreal left = cell.left() + (cell.width() - metrics.horizontalAdvance(text)) / 2;
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.drawText(QPointF(left, baseline), text);
    painter.restore();
}

void StringGrid::setColumnWidths(const QList<int>& widths) {
    if (columnCount() < widths.size())
        setColumnCount(static_cast<int>(widths.size()));
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths[c]);
}

void StringGrid::setRowHeight(int height) {
    // The header clamps the default size to its minimum, which starts at the font's height: lower it first.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(height);
    headingRowOf(this)->setRowHeight(height);
}

// Text widths have fractions of a pixel, which count as a whole one: a text a fraction too wide is drawn cut short.
// The grid's line takes the last pixel of a column.
namespace {
int widthNeeded(const StringGrid* grid, const QString& text) {
    const int gridLine = grid->showGrid() ? 1 : 0;
    return static_cast<int>(std::ceil(QFontMetricsF(grid->font()).horizontalAdvance(text))) + 2 * kCellPadding +
           gridLine;
}
} // namespace

int StringGrid::widenColumnsToTexts() {
    for (int c = 0; c < columnCount(); ++c) {
        int needed = 0;
        for (int r = 0; r < rowCount(); ++r)
            needed = std::max(needed, widthNeeded(this, cell(c, r)));
        if (needed > columnWidth(c))
            setColumnWidth(c, needed);
    }
    return columnsWidth() + 2 * frameWidth();
}

void StringGrid::fitColumns(const QList<QStringList>& widestRows, bool verticalScrollBar, int fillingColumn) {
    QList<int> designWidths;
    for (int c = 0; c < columnCount(); ++c)
        designWidths << columnWidth(c);
    const int designPixels = QFontInfo(font()).pixelSize();
    for (int pixels = designPixels; pixels >= std::min(designPixels, kSmallestFacePixels); --pixels) {
        if (pixels < designPixels) {
            QFont smaller = font();
            smaller.setPixelSize(pixels);
            setFont(smaller);
        }
        if (layColumns(designWidths, widestRows, verticalScrollBar, fillingColumn))
            return;
    }
    // Not even the smallest face fits every column beside the others: the columns keep what their texts need and
    // the grid scrolls sideways, in its own box.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

bool StringGrid::layColumns(const QList<int>& designWidths, const QList<QStringList>& widestRows,
                            bool verticalScrollBar, int fillingColumn) {
    QList<int> needed;
    int others = 0;
    for (int c = 0; c < columnCount(); ++c) {
        needed << widthNeeded(this, cell(c, 0));
        for (const QStringList& row : widestRows)
            needed[c] = std::max(needed[c], widthNeeded(this, row.value(c)));
        setColumnWidth(c, std::max(designWidths.value(c), needed[c]));
        if (c != fillingColumn)
            others += columnWidth(c);
    }
    // The filling column has what the others leave; when that is less than its own texts need, it keeps their width
    // and the others give way as below.
    if (fillingColumn >= 0 && fillingColumn < columnCount())
        setColumnWidth(fillingColumn, std::max(needed[fillingColumn], columnRoom(verticalScrollBar) - others));
    // The excess is taken a pixel at a time from the column with the most to spare, so the spare room shrinks
    // evenly: a wide column whose texts are short gives way first.
    for (int excess = columnsWidth() - columnRoom(verticalScrollBar); excess > 0; --excess) {
        int widest = -1;
        int mostSpare = 0;
        for (int c = 0; c < columnCount(); ++c) {
            const int spare = columnWidth(c) - needed[c];
            if (spare > mostSpare) {
                mostSpare = spare;
                widest = c;
            }
        }
        if (widest < 0)
            return false;
        setColumnWidth(widest, columnWidth(widest) - 1);
    }
    return true;
}

int StringGrid::columnRoom(bool verticalScrollBar) const {
    return width() - 2 * frameWidth() - (verticalScrollBar ? scrollBarWidth() : 0);
}

int StringGrid::scrollBarWidth() const {
    return verticalScrollBar()->sizeHint().width();
}

int StringGrid::columnsWidth() const {
    int width = 0;
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    return width;
}

void StringGrid::markHeadingRow() {
    for (int c = 0; c < columnCount(); ++c) {
        QTableWidgetItem* it = item(0, c);
        if (!it) {
            it = new QTableWidgetItem;
            it->setTextAlignment(Qt::AlignCenter);
            setItem(0, c, it);
        }
        it->setFlags(Qt::ItemIsEnabled);
        it->setBackground(kFixedRowColour);
    }
    // The heading shows in the fixed row above the table; its place among the rows stays empty.
    setRowHidden(0, true);
    horizontalHeader()->viewport()->update();
}
