#include "quotes/tform3.h"

#include "ui_tform3.h"

TForm3::TForm3(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
    ui->setupUi(this);
}

TForm3::~TForm3() = default;
