#include "quotes/tform9.h"

#include "ui_tform9.h"

TForm9::TForm9(QWidget* parent) : AlertPopup(parent), ui(std::make_unique<Ui::TForm9>()) {
    ui->setupUi(this);
    useDirectionParts(ui->Label1, ui->Label2, ui->Image1, ui->Image2);
}

TForm9::~TForm9() = default;
