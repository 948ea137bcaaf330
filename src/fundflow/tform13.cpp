#include "fundflow/tform13.h"

#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "fundflow/barchart.h"
#include "fundflow/bigorderplans.h"
#include "platform/failures.h"

#include "ui_tform13.h"

#include <QCloseEvent>

TForm13::TForm13(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm13>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    ui->Label1->setTextFormat(Qt::PlainText);
    ui->Chart2->setRenderHint(QPainter::Antialiasing);
    BigOrder::setUpBarChart(ui->Chart2->chart(), true);
}

TForm13::~TForm13() = default;

void TForm13::fillTenDays(const UnitState& state) {
    QChart* chart = ui->Chart2->chart();
    BigOrder::emptyChart(chart);
    const BigOrder::TenDaySums sums = BigOrder::tenDaySums(state.daybuys, state.daysells);
    ui->Label1->setText(BigOrder::tenDayText(sums));
    Colours::setFontColour(ui->Label1, sums.net() > 0 ? Colours::red : Colours::green);
    BigOrder::setGreenTitle(chart, BigOrder::tenDayTitle(state.curname, state.curcode, state.daybuys.size()));
    const BigOrder::BarPlan plan = BigOrder::dayBars(state.daybuys, state.daysells, state.daylabels, 0);
    BigOrder::drawBars(chart, plan);
    if (!plan.complete)
        throw Failure(QStringLiteral("a day figure is not a whole number"));
}

bool TForm13::FormCloseQuery() {
    if (Form1) {
        Form1->ui->CheckBox1->setChecked(false);
        Form1->setEnabled(true);
    }
    return true;
}

void TForm13::closeEvent(QCloseEvent* event) {
    guarded([this] { FormCloseQuery(); });
    event->accept();
}
