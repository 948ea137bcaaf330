#include "fundflow/tform10.h"

#include "ui_tform10.h"

TForm10::TForm10(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm10>()) {
    ui->setupUi(this);
}

TForm10::~TForm10() = default;
