#include "quotes/tform5.h"

#include "platform/failures.h"
#include "quotes/popupcorner.h"

#include "ui_tform5.h"

#include <QCloseEvent>
#include <QHeaderView>

namespace {
const QList<int> columnWidths{22, 108, 54, 55, 49};
} // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm5>()) {
    ui->setupUi(this);
    makeAlertWindow(this);
    ui->Panel1->setTextFormat(Qt::PlainText);
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
    resize(width(), designHeight + extra);
    grid->resize(grid->width(), designGridHeight + extra);
    for (int k = 0; k < rows.size(); ++k) {
        const int row = k + 1;
        for (int column = 0; column < rows[k].size(); ++column)
            grid->setCell(column, row, rows[k][column]);
        grid->setRowCount(grid->rowCount() + 1);
    }
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
