#include "news/tform2.h"

#include "app/registry.h"
#include "app/tform1.h"
#include "app/widesttexts.h"
#include "platform/failures.h"
#include "platform/services.h"
#include "ui_tform2.h"

#include <QCloseEvent>

namespace {
// Number, content and date columns.
const QList<int> kColumnWidths = {34, 546, 100};
constexpr int kRowHeight = 20;
// The headings and the widest row the list shows: a number, a long announcement's title, its date.
const QList<QStringList> kWidestRows = {
    {QString(), QStringLiteral("公告内容"), QStringLiteral("发布日期")},
    {QStringLiteral("999"), QStringLiteral("关于控股股东及一致行动人增持公司股份计划实施完成暨增持结果的公告"),
     WidestTexts::shortDate}};
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
    ui->StringGrid1->fitColumns(kWidestRows, true);
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
