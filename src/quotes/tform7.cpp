#include "quotes/tform7.h"

#include "ui_tform7.h"

TForm7::TForm7(QWidget* parent) : AlertPopup(parent), ui(std::make_unique<Ui::TForm7>()) {
    ui->setupUi(this);
    useEmblemParts(ui->Label1, ui->Label2, ui->Image1);
}

TForm7::~TForm7() = default;
