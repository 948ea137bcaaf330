#include "fundflow/tform18.h"

#include "ui_tform18.h"

TForm18::TForm18(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm18>()) {
    ui->setupUi(this);
}

TForm18::~TForm18() = default;
