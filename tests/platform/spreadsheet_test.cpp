// The workbook adapter, read back from the file: text cells as given, blank cells kept, and a failed save that
// leaves an earlier file alone.
#include "platform/failures.h"
#include "platform/spreadsheet.h"
#include "support/workbookreader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Spreadsheet, WritesTextCellsAndBlankRowsAndKeepsAnEarlierFileWhenASaveFails) {
    QTemporaryDir dir;
    Spreadsheet sheet;
    sheet.setTitle(QStringLiteral("2024-1-3汇总"));
    // Texts a number-minded writer would spoil: leading zeros, "%", padding blanks, markup.
    const QStringList texts = {"000725京东方A ", "0.50%", "→", "<b>&amp;</b>"};
    for (int column = 1; column <= 4; ++column) {
        sheet.setCell(1, column, texts.at(column - 1));
        sheet.setCell(2, column, QString());
    }
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    sheet.saveAs(path);
    const WorksheetRows read = readFirstWorksheet(path);
    EXPECT_EQ(read.title, QStringLiteral("2024-1-3汇总"));
    EXPECT_EQ(read.rows, (QMap<int, QStringList>{{1, texts}, {2, QStringList(4, QString())}}));

    // A text longer than a cell holds fails the save; the workbook written before stays whole.
    sheet.setCell(3, 1, QString(40000, QLatin1Char('y')));
    EXPECT_THROW(sheet.saveAs(path), Failure);
    EXPECT_EQ(readFirstWorksheet(path).cells, 8);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("book.xlsx")}));
    for (const QString& target : {dir.filePath(QStringLiteral("missing/book.xlsx")), dir.path(), QString()})
        EXPECT_THROW(sheet.saveAs(target), Failure) << target.toStdString();
    EXPECT_THROW(sheet.setCell(0, 1, QString()), Failure);
}
