#include "news/tform2.h"

#include "app/registry.h"
#include "app/tform1.h"
#include "platform/failures.h"
#include "platform/services.h"
#include "ui_tform2.h"

#include <QCloseEvent>

namespace {
// Number, content and date columns.
const QList<int> kColumnWidths = {34, 546, 100};
constexpr int kRowHeight = 20;
} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm2>()) {
    ui->setupUi(this);
    // A fixed dialog border with only a close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    ui->StringGrid1->setColumnCount(static_cast<int>(kColumnWidths.size()));
    ui->StringGrid1->setColumnWidths(kColumnWidths);
    ui->StringGrid1->setRowHeight(kRowHeight);
    ui->StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(ui->StringGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int column) { guarded([&] { StringGrid1SelectCell(column, row); }); });
}

TForm2::~TForm2() = default;

void TForm2::StringGrid1SelectCell(int column, int row) {
    // The heading row names the columns and the empty last row holds no announcement.
    if (row < 1 || !Form1 || ui->StringGrid1->cell(column, row).isEmpty())
        return;
    openInBrowser(at(Form1->state.noticelinks, row));
}

void TForm2::FormCloseQuery() {
    if (Form1)
        Form1->setEnabled(true);
}

void TForm2::closeEvent(QCloseEvent* event) {
    guarded([this] { FormCloseQuery(); });
    event->accept();
}
