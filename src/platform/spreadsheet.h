#pragma once

#include <QString>

#include <map>
#include <utility>

// A workbook of one worksheet saved as an .xlsx file: the stand-in for driving the spreadsheet application.
// Cells are gathered first and saveAs() writes the file. Every cell is a text cell (the "@" number format), and
// an empty text is written as a blank cell of that format rather than left out, so a reader sees every row that
// was written, empty rows included. Failures throw Failure.
class Spreadsheet {
public:
    // Limits of an .xlsx worksheet and of the text of one cell.
    static constexpr int maxRows = 1048576;
    static constexpr int maxColumns = 16384;

    // The workbook's title, kept in its document properties.
    void setTitle(const QString& title) { title_ = title; }
    // The text of the cell in `row` and `column`, both counted from 1 as the spreadsheet counts them. A place
    // outside the worksheet throws Failure; a text longer than a cell holds fails the save.
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;

    // Writes the workbook to `path`. The file is written beside the target under a temporary name and renamed
    // over it once complete, so a failed save leaves any earlier file of that name as it was.
    void saveAs(const QString& path) const;

private:
    QString title_;
    std::map<std::pair<int, int>, QString> cells_; // (row, column) -> text
};
