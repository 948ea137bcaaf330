#include "quotes/tform8.h"

#include "ui_tform8.h"

TForm8::TForm8(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm8>()) {
    ui->setupUi(this);
}

TForm8::~TForm8() = default;
