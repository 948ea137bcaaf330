#include "fundflow/tform14.h"

#include "ui_tform14.h"

TForm14::TForm14(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm14>()) {
    ui->setupUi(this);
}

TForm14::~TForm14() = default;
