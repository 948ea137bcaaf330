#include "app/tform12.h"

#include "app/colours.h"
#include "app/program.h"
#include "app/widgetevents.h"
#include "platform/picture.h"
#include "platform/screen.h"
#include "ui_tform12.h"

namespace {
const QString kApplicationTitle = QStringLiteral("Brennoc股票情报系统V4.5");
}

TForm12::TForm12(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm12>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(size());
    showPicture(ui->Background, QStringLiteral(":/pictures/splash.jpg"));
    showPicture(ui->Logo, QStringLiteral(":/pictures/logo.gif"));
    // The texts stand on the dark background picture.
    for (QWidget* text : {ui->VersionLabel, ui->DateLabel, ui->Label8, ui->Image6})
        Colours::setFontColour(text, Colours::white);
    onClick(ui->Label8, [this] { Label8Click(); });
    onClick(ui->Image6, [this] { Label8Click(); });
}

TForm12::~TForm12() = default;

void TForm12::FormCreate() {
    setApplicationTitle(kApplicationTitle);
    // The splash is the first window, so its task-bar entry stands for the application and shows its title.
    setWindowTitle(kApplicationTitle);
    centreOnScreen(this);
    show();
}

void TForm12::Label8Click() {
    terminateApplication();
}
