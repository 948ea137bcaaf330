#include "quotes/tform7.h"

#include "ui_tform7.h"

TForm7::TForm7(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm7>()) {
    ui->setupUi(this);
}

TForm7::~TForm7() = default;
