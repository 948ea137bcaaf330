#include "news/tform17.h"

#include "app/axissteps.h"
#include "app/colours.h"
#include "platform/services.h"
#include "platform/webbrowser.h"
#include "ui_tform17.h"

#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <QHash>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

namespace {

// The holdings are percentages: the left axes show them with one decimal and "%", so a step is at least 0.1.
const QString percentFormat = QStringLiteral("%.1f%%");
constexpr double leastPercentStep = 0.1;
// A chart this low has room for four percentages, one above the other, each whole.
constexpr int mostPercentTicks = 4;
// Thirty day labels do not fit under a chart this narrow; at most this many are written.
constexpr int maxDayLabels = 10;
// A category axis takes each label once, and days of the month repeat within 30 trading days: a repeated
// day gets invisible zero-width spaces after it.
constexpr char16_t zeroWidthSpace = 0x200B;

} // namespace

TForm17::TForm17(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm17>()) {
    ui->setupUi(this);
    // A tool window: it shows beside the recommendation window without taking the focus from it.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(size());
    main_ = makeChart(ui->Chart3);
    retail_ = makeChart(ui->Chart4);
    Series1 = main_.series;
    FastLineSeries1 = retail_.series;
}

TForm17::~TForm17() = default;

TForm17::Line TForm17::makeChart(QChartView* view) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    auto* series = new QLineSeries(chart);
    series->setPen(QPen(Colours::red, 2));
    chart->addSeries(series);
    auto* days = new QCategoryAxis(chart);
    days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(percentFormat);
    // Never "…" for a text: the axes take the room their whole texts need.
    days->setTruncateLabels(false);
    values->setTruncateLabels(false);
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(days);
    series->attachAxis(values);
    view->setChart(chart);
    view->setRenderHint(QPainter::Antialiasing);
    return {series, days, values};
}

void TForm17::fill(const Line& line, const QList<Holdings::HoldingPoint>& points,
                   double Holdings::HoldingPoint::*value) {
    line.series->clear();
    for (const QString& label : line.days->categoriesLabels())
        line.days->remove(label);
    const qsizetype count = points.size();
    QList<QPointF> xy;
    xy.reserve(count);
    double low = 0;
    double high = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const double y = points[i].*value;
        xy.append(QPointF(static_cast<double>(i), y));
        low = i == 0 ? y : std::min(low, y);
        high = i == 0 ? y : std::max(high, y);
    }
    line.series->replace(xy);

    const qsizetype step = std::max<qsizetype>(1, (count + maxDayLabels - 1) / maxDayLabels);
    QHash<QString, int> written;
    for (qsizetype i = 0; i < count; i += step) {
        const QString day = QString::number(points[i].day);
        line.days->append(day + QString(written[day]++, QChar(zeroWidthSpace)), static_cast<double>(i));
    }
    line.days->setRange(-0.5, std::max<double>(0.5, static_cast<double>(count) - 0.5));
    if (high - low < 0.1) {
        low -= 1;
        high += 1;
    }
    const AxisSteps::Scale scale = AxisSteps::roundScale(low, high, mostPercentTicks, leastPercentStep);
    line.values->setRange(scale.min, scale.max);
    line.values->setTickCount(scale.ticks);
}

void TForm17::showHoldingLines(const QList<Holdings::HoldingPoint>& points) {
    fill(main_, points, &Holdings::HoldingPoint::main);
    fill(retail_, points, &Holdings::HoldingPoint::retail);
}

WebBrowser& TForm17::browser() {
    if (!WebBrowser1) {
        WebBrowser1 = platformServices().createBrowser(this);
        if (QWidget* view = WebBrowser1->widget()) {
            view->setObjectName(QStringLiteral("WebBrowser1"));
            view->setGeometry(ui->WebBrowser1Place->geometry());
            view->show();
        }
    }
    return *WebBrowser1;
}

void TForm17::showEvent(QShowEvent* event) {
    browser();
    QWidget::showEvent(event);
}
