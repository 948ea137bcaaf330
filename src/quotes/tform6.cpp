#include "quotes/tform6.h"

#include "ui_tform6.h"

TForm6::TForm6(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm6>()) {
    ui->setupUi(this);
}

TForm6::~TForm6() = default;
