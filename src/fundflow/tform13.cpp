#include "fundflow/tform13.h"

#include "ui_tform13.h"

TForm13::TForm13(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm13>()) {
    ui->setupUi(this);
}

TForm13::~TForm13() = default;
