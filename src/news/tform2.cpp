#include "news/tform2.h"

#include "ui_tform2.h"

TForm2::TForm2(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm2>()) {
    ui->setupUi(this);
}

TForm2::~TForm2() = default;
