#include "quotes/tform4.h"

#include "ui_tform4.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm4>()) {
    ui->setupUi(this);
}

TForm4::~TForm4() = default;
