#include "rankings/tform25.h"

#include "ui_tform25.h"

namespace {

// The tracking table: the stock, when and at what change its tracking began, the poll's cursor, the current
// change and its direction, and when it rallied.
const QStringList kGridHeadings = {QStringLiteral("股票名称及代码"), QStringLiteral("监控开始"),
                                   QStringLiteral("监控开始涨幅"),   QString(),
                                   QStringLiteral("目前涨幅"),       QString(),
                                   QStringLiteral("拉升时间"),       QStringLiteral("拉升")};
const QList<int> kGridColumnWidths = {96, 71, 84, 29, 54, 27, 64, 32};
constexpr int kGridRowHeight = 16;

} // namespace

TForm25::TForm25(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm25>()) {
    ui->setupUi(this);
    setUpTrackingGrid();
}

TForm25::~TForm25() = default;

void TForm25::setUpTrackingGrid() {
    // The ranking board appends rows from the first ranking page on, so the table stands from creation: the
    // heading row and one empty row below it.
    StringGrid* grid = ui->StringGrid1;
    grid->setColumnWidths(kGridColumnWidths);
    grid->setRowHeight(kGridRowHeight);
    grid->resetWithHeadings(kGridHeadings);
}
