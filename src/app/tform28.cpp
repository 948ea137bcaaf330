#include "app/tform28.h"

#include "ui_tform28.h"

TForm28::TForm28(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm28>()) {
    ui->setupUi(this);
}

TForm28::~TForm28() = default;
