// The tracking table's export, read back from the workbook: the dialog's preset name, extension and filter,
// every grid row as shown, the success message, and a failed save that reports the error alone.
#include "app/program.h"
#include "app/stringgrid.h"
#include "platform/clock.h"
#include "rankings/tform25.h"
#include "rankings/tform25_ui.h"
#include "support/fakeservices.h"
#include "support/workbookreader.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kExported = QStringLiteral("成功地导出数据到电子表格！");

class TrackingExport : public ::testing::Test {
protected:
    void SetUp() override { Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(14, 30))); }
    void TearDown() override { Clock::clearForTests(); }

    WorksheetRows exportTo(const QString& name) {
        services->savePaths.push_back(dir.filePath(name));
        form.toexcel();
        return readFirstWorksheet(dir.filePath(name));
    }

    ScopedFakeServices services;
    QTemporaryDir dir;
    TForm25 form;
};

} // namespace

TEST_F(TrackingExport, WritesTheHeadingEveryStockAndTheEmptyRow) {
    const QStringList headings = {"股票名称及代码", "监控开始", "监控开始涨幅", "", "目前涨幅", "", "拉升时间", "拉升"};
    WorksheetRows sheet = exportTo(QStringLiteral("empty.xlsx"));
    EXPECT_EQ(sheet.rows, (QMap<int, QStringList>{{1, headings}, {2, QStringList(8, QString())}}));
    EXPECT_EQ(sheet.title, QStringLiteral("2024-1-3DDX强势股拉升情况汇总数据"));
    const SaveFileQuestion& question = services->saveQuestions.at(0);
    EXPECT_EQ(question.fileName, QStringLiteral("2024-1-3DDX强势股拉升情况汇总数据"));
    EXPECT_EQ(question.defaultSuffix, QStringLiteral("xlsx"));
    EXPECT_EQ(question.filter, QStringLiteral("*.xlsx"));
    EXPECT_EQ(services->messages.at(0).text, kExported);
    EXPECT_EQ(services->messages.at(0).caption, QStringLiteral("提示"));

    // 99 stocks above the empty row: 101 worksheet rows.
    StringGrid* grid = form.ui->StringGrid1;
    const QStringList stock = {"600001股票1  ", "9:40:00", "1.20 ", "→", "3.00%", "↑", "10:01:02", "√"};
    for (int row = 1; row <= 99; ++row) {
        for (int column = 0; column < 8; ++column)
            grid->setCell(column, row, stock.at(column));
    }
    grid->setRowCount(101);
    sheet = exportTo(QStringLiteral("full.xlsx"));
    EXPECT_EQ(sheet.rows.size(), 101);
    EXPECT_EQ(sheet.rows.value(2), stock);
    EXPECT_EQ(sheet.rows.value(100), stock);
    EXPECT_EQ(sheet.rows.value(101), QStringList(8, QString()));
}

TEST_F(TrackingExport, AFailedSaveReportsTheErrorAloneAndACancelDoesNothing) {
    exportTo(QStringLiteral("no-such-folder/table.xlsx"));
    form.toexcel(); // no path scripted: the dialog is cancelled
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_NE(services->messages.front().text, kExported);
    EXPECT_EQ(services->messages.front().icon, MessageIcon::Error);
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}
