#include "rankings/tform26.h"

#include "app/colours.h"
#include "app/fittext.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/widgetevents.h"
#include "app/workareacorner.h"
#include "rankings/tracking.h"

#include "ui_tform26.h"

namespace {
// The red warning fills the window's width but for the margins the lines above keep. Where the desktop's face
// draws it wider than the design's (a larger face, a bold made by widening the regular one), it is set smaller
// until it reads whole.
constexpr qreal kSmallestWarningPointSize = 6;
} // namespace

TForm26::TForm26(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm26>()) {
    ui->setupUi(this);
    makeNoticeWindow(this);
    setFixedSize(size());
    Colours::setBackground(ui->Label1, Colours::navy);
    Colours::setFontColour(ui->Label1, Colours::white);
    Colours::setFontColour(ui->Label2, Colours::red);
    fitTextToWidth(ui->Label2, ui->Label2->font(), kSmallestWarningPointSize);
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
    // Out of the way first: the notice stays on top, and the fund page opens where the notice may stand.
    hide();
    if (Form1 && !noticedcode_.isEmpty())
        Form1->getgpzj(noticedcode_);
}
