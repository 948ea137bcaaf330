#include "rankings/tform25.h"

#include "ui_tform25.h"

TForm25::TForm25(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm25>()) {
    ui->setupUi(this);
}

TForm25::~TForm25() = default;
