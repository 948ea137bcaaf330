#include "quotes/tform5.h"

#include "platform/failures.h"
#include "quotes/popupcorner.h"

#include "ui_tform5.h"

#include <QCloseEvent>
#include <QHeaderView>

#include <algorithm>

namespace {
const QList<int> columnWidths{22, 108, 54, 55, 49};
// The grid's columns were laid out for a 9-point font; a wider text widens its column and the window.
constexpr int gridPointSize = 9;
} // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm5>()) {
    ui->setupUi(this);
    makeAlertWindow(this);
    ui->Panel1->setTextFormat(Qt::PlainText);
    QFont gridFont = ui->StringGrid1->font();
    gridFont.setPointSize(gridPointSize);
    ui->StringGrid1->setFont(gridFont);
    ui->StringGrid1->setColumnWidths(columnWidths);
    ui->StringGrid1->setRowHeight(rowHeight);
    ui->StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TForm5::~TForm5() = default;

void TForm5::showBroadcast(const QString& title, const QStringList& headings, const QList<QStringList>& rows) {
    StringGrid* grid = ui->StringGrid1;
    ui->Panel1->setText(title);
    grid->resetWithHeadings(headings);
    // Sized from the design heights each time, so repeated broadcasts do not make the window grow.
    const int extra = rowHeight * static_cast<int>(rows.size());
    for (int k = 0; k < rows.size(); ++k) {
        const int row = k + 1;
        for (int column = 0; column < rows[k].size(); ++column)
            grid->setCell(column, row, rows[k][column]);
        grid->setRowCount(grid->rowCount() + 1);
    }
    // Every name, price and volume is shown whole: columns too narrow for their texts widen the window.
    grid->setColumnWidths(columnWidths);
    const int wide = std::max(designWidth, grid->widenColumnsToTexts());
    resize(wide, designHeight + extra);
    grid->resize(wide, designGridHeight + extra);
    ui->Panel1->resize(wide, ui->Panel1->height());
    popupcorner(this);
}

bool TForm5::FormCloseQuery() {
    resize(width(), designHeight);
    return true;
}

void TForm5::closeEvent(QCloseEvent* event) {
    guarded([this] { FormCloseQuery(); });
    event->accept();
}
