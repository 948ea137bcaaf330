#include "news/tform21.h"

#include "ui_tform21.h"

TForm21::TForm21(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm21>()) {
    ui->setupUi(this);
}

TForm21::~TForm21() = default;

void TForm21::getnews() {}
