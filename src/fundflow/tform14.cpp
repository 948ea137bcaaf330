#include "fundflow/tform14.h"

#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "fundflow/barchart.h"
#include "fundflow/bigorderplans.h"
#include "platform/failures.h"

#include "ui_tform14.h"

#include <QAction>
#include <QCloseEvent>
#include <QtCharts/QChart>
#include <QtCharts/QPieSeries>

namespace {
// Length of the slice labels' arms, where the labels have room.
constexpr qreal kArmPixels = 8;
} // namespace

TForm14::TForm14(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm14>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    QChart* chart = ui->Chart1->chart();
    ui->Chart1->setRenderHint(QPainter::Antialiasing);
    chart->legend()->setVisible(false);
    chart->setBackgroundRoundness(0);
    Series1 = new QPieSeries(chart);
    Series1->setObjectName(QStringLiteral("Series1"));
    chart->addSeries(Series1);
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox1Click(); }); });
    // The labels' arms depend on where the pie stands: laid out anew whenever the plot area moves.
    connect(chart, &QChart::plotAreaChanged, this, [this] { placeSliceLabels(); });
}

TForm14::~TForm14() = default;

void TForm14::fillSizeClasses(const UnitState& state, const QString& shortDate) {
    Series1->clear();
    BigOrder::setGreenTitle(ui->Chart1->chart(), BigOrder::sizeClassTitle(state.curname, state.curcode, shortDate));
    const BigOrder::PiePlan plan = BigOrder::sizeClassSlices(state.pievalues, state.piecolours);
    BigOrder::drawSlices(Series1, plan);
    placeSliceLabels();
    if (!plan.complete)
        throw Failure(QStringLiteral("a size-class figure is not a whole number"));
}

void TForm14::placeSliceLabels() {
    // Before the chart's first layout the plot area is empty: the whole view stands for it until then.
    const QRectF plot = ui->Chart1->chart()->plotArea();
    BigOrder::setSliceArms(Series1, plot.isEmpty() ? QRectF(ui->Chart1->rect()) : plot, kArmPixels);
}

bool TForm14::FormCloseQuery() {
    if (Form1) {
        Form1->ui->CheckBox2->setChecked(false);
        Form1->setEnabled(true);
    }
    return true;
}

void TForm14::closeEvent(QCloseEvent* event) {
    guarded([this] { FormCloseQuery(); });
    event->accept();
}

void TForm14::CheckBox1Click() {
    if (!Form1)
        return;
    const bool paused = ui->CheckBox1->isChecked();
    Form1->state.mutepie = paused ? 1 : 0;
    Form1->N6->setChecked(!paused);
}
