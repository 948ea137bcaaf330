#include "fundflow/tform10.h"

#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "platform/failures.h"
#include "platform/picture.h"
#include "platform/screen.h"
#include "platform/songface.h"

#include "ui_tform10.h"

#include <QAction>

namespace {
const QString kInflowPicture = QStringLiteral(":/pictures/rise.gif");
const QString kOutflowPicture = QStringLiteral(":/pictures/fall.gif");
// Pixel sizes of the stock line and of the announcement and totals lines.
constexpr int kStockPixels = 14;
constexpr int kLinePixels = 12;
} // namespace

TForm10::TForm10(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm10>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(size());
    for (QLabel* label : {ui->Label1, ui->Label2, ui->Label3})
        label->setTextFormat(Qt::PlainText);
    ui->Label2->setFont(SongFace::font(kStockPixels, true));
    ui->Label1->setFont(SongFace::font(kLinePixels, true));
    ui->Label3->setFont(SongFace::font(kLinePixels));
    Colours::setFontColour(ui->Label2, Colours::navy);
    showPicture(ui->Image1, kInflowPicture);
    showPicture(ui->Image2, kOutflowPicture);
    ui->Image2->hide();
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox1Click(); }); });
}

TForm10::~TForm10() = default;

void TForm10::showTotals(const QString& text, bool inflow) {
    Colours::setFontColour(ui->Label3, inflow ? Colours::red : Colours::green);
    ui->Label3->setText(text);
}

void TForm10::writeAnnouncement(const QString& stock, const QString& text, bool inflow) {
    Colours::setFontColour(ui->Label1, inflow ? Colours::red : Colours::green);
    ui->Image1->setVisible(inflow);
    ui->Image2->setVisible(!inflow);
    ui->Label2->setText(stock);
    ui->Label1->setText(text);
}

void TForm10::placeTopRight() {
    placeByFrame(this, [](const QSize& frame) {
        const QRect screen = screenRect();
        return screen.topLeft() + QPoint(screen.width() - frame.width(), 0);
    });
}

void TForm10::CheckBox1Click() {
    if (!Form1)
        return;
    const bool paused = ui->CheckBox1->isChecked();
    Form1->state.muteflow = paused ? 1 : 0;
    Form1->N5->setChecked(!paused);
}
