#pragma once

#include <QList>
#include <QString>
#include <QTableWidget>

class QPainter;

// A grid of text cells addressed as (column, row), with the first row fixed as the heading row, as the
// program's windows expect: the row count includes the heading, clearing empties every cell, and every cell
// is drawn centred on a single line. The heading row stays in place above the rows while they scroll: it is
// drawn by the grid's header, through the grid's own cell painting, and its row in the table stays hidden.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Empties the cells of every row; the row count stays.
    void clearCells();
    // Clears the cells, sets the row count to 2 and writes the heading row.
    void resetWithHeadings(const QStringList& headings);

    // The selected row (-1 when none).
    int row() const { return currentRow(); }
    // Selects the row and, when it is another than the selected one, scrolls it into view (a grid not shown yet does
    // so as it shows).
    void setRow(int row);

    void setColumnWidths(const QList<int>& widths);
    void setRowHeight(int height);
    // Widens every column whose texts do not fit it in the grid's font, so no text is cut short; narrower
    // texts leave a column as it is. Returns the width the grid needs to show every column whole.
    int widenColumnsToTexts();
    // Sizes the columns so that the heading and the texts given for each column (rows of the widest texts it
    // will show, headings it may take) fit it, and every column fits in the grid's box beside the vertical scroll bar
    // when that is to show. A column too narrow widens, taking the width from the columns with room to spare; when
    // they have too little, the grid's face is made smaller a pixel at a time, and when not even the smallest fits,
    // the grid scrolls sideways. The grid's box, and its window, keep their size. A filling column (one whose cells
    // shorten a long text as they draw it, so only the texts given must fit it) takes the width the other columns
    // leave, and so gives way before the face does.
    void fitColumns(const QList<QStringList>& widestRows, bool verticalScrollBar, int fillingColumn = -1);

    // Draws a cell's text as every grid draws it: on one line, centred across the cell, and centred down it by the
    // face's ink rather than its line, which in the CJK faces is taller than a 16-pixel row and would cut the feet of
    // a parenthesis. The text is clipped by the cell, never shortened.
    static void drawCellText(QPainter& painter, const QRect& cell, const QString& text);

    // The look of a cell as the grid's painting gets it (the heading's cells are painted with it too).
    void initCellOption(QStyleOptionViewItem* option) const { initViewItemOption(option); }

protected:
    // The rows scroll by whole rows: the row under the heading always shows whole.
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void alignTopRow();
    void markHeadingRow();
    // Sets the columns from their design widths for the texts in the grid's present face; false when they cannot
    // all fit in its box.
    bool layColumns(const QList<int>& designWidths, const QList<QStringList>& widestRows, bool verticalScrollBar,
                    int fillingColumn);
    int columnsWidth() const;
    // The width left for the columns inside the frame, beside the vertical scroll bar when it shows.
    int columnRoom(bool verticalScrollBar) const;
    int scrollBarWidth() const;
};
