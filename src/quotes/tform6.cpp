#include "quotes/tform6.h"

#include "ui_tform6.h"

TForm6::TForm6(QWidget* parent) : AlertPopup(parent), ui(std::make_unique<Ui::TForm6>()) {
    ui->setupUi(this);
    useDirectionParts(ui->Label1, ui->Label2, ui->Image1, ui->Image2);
}

TForm6::~TForm6() = default;
