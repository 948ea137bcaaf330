#include "quotes/tform9.h"

#include "ui_tform9.h"

TForm9::TForm9(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm9>()) {
    ui->setupUi(this);
}

TForm9::~TForm9() = default;
