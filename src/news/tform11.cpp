#include "news/tform11.h"

#include "app/registry.h"
#include "app/tform1.h"
#include "app/workareacorner.h"
#include "platform/failures.h"

#include "ui_tform11.h"

#include <QAction>

TForm11::TForm11(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm11>()) {
    ui->setupUi(this);
    makeNoticeWindow(this);
    setFixedSize(size());
    ui->Label1->setTextFormat(Qt::PlainText);
    ui->Label2->setTextFormat(Qt::PlainText);
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox1Click(); }); });
}

TForm11::~TForm11() = default;

void TForm11::CheckBox1Click() {
    if (!Form1)
        return;
    const bool paused = ui->CheckBox1->isChecked();
    Form1->state.muteblog = paused ? 1 : 0;
    Form1->N7->setChecked(!paused);
}
