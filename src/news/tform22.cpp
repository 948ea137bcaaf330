#include "news/tform22.h"

#include "ui_tform22.h"

TForm22::TForm22(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm22>()) {
    ui->setupUi(this);
}

TForm22::~TForm22() = default;
