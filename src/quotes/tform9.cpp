#include "quotes/tform9.h"

#include "app/colours.h"
#include "platform/picture.h"
#include "quotes/popupcorner.h"

#include "ui_tform9.h"

namespace {
const QString risePicture = QStringLiteral(":/pictures/rise.gif");
const QString fallPicture = QStringLiteral(":/pictures/fall.gif");
} // namespace

TForm9::TForm9(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm9>()) {
    ui->setupUi(this);
    makeAlertWindow(this);
    ui->Label1->setTextFormat(Qt::PlainText);
    ui->Label2->setTextFormat(Qt::PlainText);
    Colours::setFontColour(ui->Label1, Colours::blue);
    showPicture(ui->Image1, risePicture);
    showPicture(ui->Image2, fallPicture);
    ui->Image2->hide();
}

TForm9::~TForm9() = default;

void TForm9::showAlert(const Alerts::Alert& alert) {
    showAlertTexts(ui->Label1, ui->Label2, alert);
    ui->Image1->setVisible(!alert.fall);
    ui->Image2->setVisible(alert.fall);
    popupcorner(this);
}
