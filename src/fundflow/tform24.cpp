#include "fundflow/tform24.h"

#include "ui_tform24.h"

TForm24::TForm24(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm24>()) {
    ui->setupUi(this);
}

TForm24::~TForm24() = default;
