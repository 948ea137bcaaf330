#include "news/tform27.h"

#include "ui_tform27.h"

TForm27::TForm27(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm27>()) {
    ui->setupUi(this);
}

TForm27::~TForm27() = default;
