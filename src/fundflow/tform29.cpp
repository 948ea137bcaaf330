#include "fundflow/tform29.h"

#include "ui_tform29.h"

TForm29::TForm29(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm29>()) {
    ui->setupUi(this);
}

TForm29::~TForm29() = default;
