#include "news/tform20.h"

#include "ui_tform20.h"

TForm20::TForm20(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm20>()) {
    ui->setupUi(this);
}

TForm20::~TForm20() = default;
