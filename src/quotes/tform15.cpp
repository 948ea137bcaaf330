#include "quotes/tform15.h"

#include "ui_tform15.h"

TForm15::TForm15(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm15>()) {
    ui->setupUi(this);
}

TForm15::~TForm15() = default;
