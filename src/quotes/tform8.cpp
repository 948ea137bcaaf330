#include "quotes/tform8.h"

#include "ui_tform8.h"

TForm8::TForm8(QWidget* parent) : AlertPopup(parent), ui(std::make_unique<Ui::TForm8>()) {
    ui->setupUi(this);
    useEmblemParts(ui->Label1, ui->Label2, ui->Image1);
}

TForm8::~TForm8() = default;
