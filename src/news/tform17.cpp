#include "news/tform17.h"

#include "ui_tform17.h"

TForm17::TForm17(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm17>()) {
    ui->setupUi(this);
}

TForm17::~TForm17() = default;
