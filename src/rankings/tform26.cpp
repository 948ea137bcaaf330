#include "rankings/tform26.h"

#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/widgetevents.h"
#include "app/workareacorner.h"
#include "rankings/tracking.h"

#include "ui_tform26.h"

TForm26::TForm26(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm26>()) {
    ui->setupUi(this);
    makeNoticeWindow(this);
    setFixedSize(size());
    Colours::setBackground(ui->Label1, Colours::navy);
    Colours::setFontColour(ui->Label1, Colours::white);
    Colours::setFontColour(ui->Label2, Colours::red);
    onClick(ui->Label1, [this] { Label1Click(); });
}

TForm26::~TForm26() = default;

void TForm26::showNotice(const QString& trackitem, const QTime& time) {
    noticedcode_ = trackitem.left(6);
    ui->Label1->setText(Tracking::noticeText(trackitem));
    ui->Label3->setText(Tracking::noticeTime(time));
    popupAtWorkAreaCorner(this);
}

void TForm26::Label1Click() {
    if (Form1 && !noticedcode_.isEmpty())
        Form1->getgpzj(noticedcode_);
}
