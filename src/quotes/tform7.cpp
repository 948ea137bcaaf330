#include "quotes/tform7.h"

#include "app/colours.h"
#include "platform/picture.h"
#include "quotes/popupcorner.h"

#include "ui_tform7.h"

namespace {
// The program's emblem: these alerts tell of trading, not of a direction.
const QString alertPicture = QStringLiteral(":/pictures/logo.gif");
} // namespace

TForm7::TForm7(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm7>()) {
    ui->setupUi(this);
    makeAlertWindow(this);
    ui->Label1->setTextFormat(Qt::PlainText);
    ui->Label2->setTextFormat(Qt::PlainText);
    Colours::setFontColour(ui->Label1, Colours::blue);
    showPicture(ui->Image1, alertPicture);
}

TForm7::~TForm7() = default;

void TForm7::showAlert(const Alerts::Alert& alert) {
    showAlertTexts(ui->Label1, ui->Label2, alert);
    popupcorner(this);
}
