#include "app/stringgrid.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {
// The fixed row's colour (the toolkit's button face).
const QColor kFixedRowColour(240, 240, 240);
} // namespace

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRowCount(2);
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
    setCurrentCell(row, 0);
    selectRow(row);
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
}

// A cell's text keeps the style's text margin on both sides and the grid line on its right. Text widths have
// fractions of a pixel, which count as a whole one: a text a fraction too wide is drawn cut short.
int StringGrid::widenColumnsToTexts() {
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int gridLine = showGrid() ? 1 : 0;
    const QFontMetricsF metrics(font());
    int total = 0;
    for (int c = 0; c < columnCount(); ++c) {
        int needed = 0;
        for (int r = 0; r < rowCount(); ++r) {
            const int text = static_cast<int>(std::ceil(metrics.horizontalAdvance(cell(c, r))));
            needed = std::max(needed, text + 2 * textMargin + gridLine);
        }
        if (needed > columnWidth(c))
            setColumnWidth(c, needed);
        total += columnWidth(c);
    }
    return total + 2 * frameWidth();
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
}
