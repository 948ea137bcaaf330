// The tracking window's export: the table as it stands, written to a workbook the user names.
#include "app/program.h"
#include "app/stringgrid.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/services.h"
#include "platform/spreadsheet.h"
#include "rankings/tform25.h"

#include "ui_tform25.h"

namespace {

// The preset file name and the workbook's title follow today's date in the fixed short form, which holds no
// "/" whatever the user's regional settings.
const QString kWorkbookName = QStringLiteral("DDX强势股拉升情况汇总数据");
const QString kSuffix = QStringLiteral("xlsx");
const QString kFilter = QStringLiteral("*.xlsx");
const QString kExported = QStringLiteral("成功地导出数据到电子表格！");

} // namespace

void TForm25::toexcel() {
    const QString title = Formats::shortDate(Clock::today()) + kWorkbookName;
    const QString path = askSaveFileName(this, {title, kSuffix, kFilter});
    if (path.isEmpty())
        return;
    // Every grid row as shown, the heading first and the empty row last; grid (column, row) goes to worksheet
    // row + 1, column + 1.
    Spreadsheet sheet;
    sheet.setTitle(title);
    const StringGrid* grid = ui->StringGrid1;
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column)
            sheet.setCell(row + 1, column + 1, grid->cell(column, row));
    }
    try {
        sheet.saveAs(path);
    } catch (const Failure& failure) {
        showMessage(this, failure.message(), applicationTitle(), MessageIcon::Error);
        return;
    }
    showMessage(this, kExported, noticeCaption, MessageIcon::Information);
}
