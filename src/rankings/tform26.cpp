#include "rankings/tform26.h"

#include "ui_tform26.h"

TForm26::TForm26(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm26>()) {
    ui->setupUi(this);
}

TForm26::~TForm26() = default;
