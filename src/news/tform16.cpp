#include "news/tform16.h"

#include "ui_tform16.h"

TForm16::TForm16(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm16>()) {
    ui->setupUi(this);
}

TForm16::~TForm16() = default;
