#include "news/tform11.h"

#include "ui_tform11.h"

TForm11::TForm11(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm11>()) {
    ui->setupUi(this);
}

TForm11::~TForm11() = default;
