#include "news/tform23.h"

#include "ui_tform23.h"

TForm23::TForm23(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm23>()) {
    ui->setupUi(this);
}

TForm23::~TForm23() = default;

void TForm23::getsmmh() {}
