#include "fundflow/barchart.h"

#include "app/axissteps.h"
#include "app/colours.h"
#include "fundflow/pielabels.h"
#include "platform/songface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QHash>
#include <QSet>
#include <QTextDocumentFragment>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace BigOrder {

namespace {

// The main window's charts are small: axis texts in a small font, little margin.
constexpr int kAxisPointSize = 7;
constexpr int kChartMargin = 2;
// Eight times "10:00" stand level under their bars in a chart a quarter of the main window wide in this size.
constexpr int kSmallBarTextPointSize = 6;
// A chart of the main window has room for four values on its axis, one above the other, each whole.
constexpr int kMostValueTicks = 4;
// Values in full ("1500000", "2.5"), never in exponent form.
const QString kValueFormat = QStringLiteral("%.10g");
constexpr int kSliceLabelPixels = 12;
const QColor kSliceArmColour(128, 0, 0); // maroon
const QString kSliceTextBefore = QStringLiteral("<span style=\"color:#000000\">");
const QString kSliceTextAfter = QStringLiteral("</span>");
// The pie's share of the plot area's smaller side: the chart's own where its labels have room around it, less
// where they must stand apart above and below it.
constexpr qreal kLargestPie = 0.7;
constexpr qreal kSmallestPie = 0.45;
constexpr qreal kPieShrinkStep = 0.05;

// The category axis drops a text it already holds, which would leave a bar without its label: the n-th repeat
// of a text gets n appended in binary, written with two invisible characters, so it looks the same.
QStringList distinctTexts(const QStringList& texts) {
    constexpr QChar zeroBit(0x200B); // zero-width space
    constexpr QChar oneBit(0x200C);  // zero-width non-joiner
    QStringList distinct;
    QSet<QString> seen;
    QHash<QString, int> repeats;
    for (const QString& text : texts) {
        QString candidate = text;
        for (int n = repeats[text]++; seen.contains(candidate); ++n) {
            candidate = text;
            for (int bits = n + 1; bits > 0; bits >>= 1)
                candidate += (bits & 1) ? oneBit : zeroBit;
        }
        seen.insert(candidate);
        distinct << candidate;
    }
    return distinct;
}

// The charts draw their titles and texts under the bars as rich text; names and labels from outside pages are
// escaped so that they show as written.
QStringList escaped(const QStringList& texts) {
    QStringList plain;
    for (const QString& text : texts)
        plain << text.toHtmlEscaped();
    return plain;
}

QBarSet* barSet(const QString& title, const QList<BarPoint>& bars) {
    auto* set = new QBarSet(title);
    for (const BarPoint& bar : bars)
        set->append(bar.value);
    return set;
}

} // namespace

void setUpBarChart(QChart* chart, bool legend) {
    chart->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
    // Nothing but the margins around the plot, its axes and the legend's one row: the padding the chart and
    // its legend have of their own would take a third of a small chart's height.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setVisible(legend);
    chart->legend()->setAlignment(Qt::AlignTop);
    QFont small = chart->legend()->font();
    small.setPointSize(kAxisPointSize);
    chart->legend()->setFont(small);
}

void setGreenTitle(QChart* chart, const QString& title) {
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setTitleBrush(Colours::green);
    chart->setTitle(title.toHtmlEscaped());
}

void emptyChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

void drawBars(QChart* chart, const BarPlan& plan, BarTexts texts) {
    emptyChart(chart);
    auto* series = new QBarSeries;
    series->append(barSet(buySeriesTitle, plan.buys));
    series->append(barSet(sellSeriesTitle, plan.sells));
    series->setLabelsVisible(false);
    chart->addSeries(series);

    QFont small = chart->legend()->font();
    small.setPointSize(kAxisPointSize);
    auto* labels = new QBarCategoryAxis;
    labels->append(distinctTexts(escaped(plan.categories())));
    QFont underBars = small;
    if (texts == BarTexts::Small)
        underBars.setPointSize(kSmallBarTextPointSize);
    labels->setLabelsFont(underBars);
    auto* values = new QValueAxis;
    values->setLabelsFont(small);
    values->setLabelFormat(kValueFormat);
    chart->addAxis(labels, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(labels);
    series->attachAxis(values);
    // Round steps from zero; the small charts' texts under the bars and values are shown whole.
    double low = 0;
    double high = 0;
    for (const QList<BarPoint>* bars : {&plan.buys, &plan.sells}) {
        for (const BarPoint& bar : *bars) {
            low = std::min(low, bar.value);
            high = std::max(high, bar.value);
        }
    }
    const AxisSteps::Scale scale = AxisSteps::roundScale(low, high, kMostValueTicks);
    values->setRange(scale.min, scale.max);
    values->setTickCount(scale.ticks);
    labels->setTruncateLabels(false);
    values->setTruncateLabels(false);
}

void drawSlices(QPieSeries* series, const PiePlan& plan) {
    series->clear();
    const QFont font = SongFace::font(kSliceLabelPixels);
    for (const PieSlice& planned : plan.slices) {
        // The slice's label brush draws its arm and its text alike: the arm takes maroon, and the text, rich
        // text to the chart, its own black.
        auto* slice = series->append(kSliceTextBefore + planned.label.toHtmlEscaped() + kSliceTextAfter, planned.value);
        slice->setColor(planned.colour);
        slice->setLabelVisible(true);
        slice->setLabelPosition(QPieSlice::LabelOutside);
        slice->setLabelColor(kSliceArmColour);
        slice->setLabelFont(font);
    }
}

void setSliceArms(QPieSeries* series, const QRectF& plotArea, qreal armPixels) {
    const QList<QPieSlice*> slices = series->slices();
    QList<SliceLabel> labels;
    for (const QPieSlice* slice : slices) {
        const QFontMetricsF metrics(slice->labelFont());
        const QString text = QTextDocumentFragment::fromHtml(slice->label()).toPlainText();
        labels.append(
            {slice->startAngle() + slice->angleSpan() / 2, QSizeF(metrics.horizontalAdvance(text), metrics.height())});
    }
    // The pie stands at its place in the plot area; the chart hides a label that leaves the plot area.
    const QPointF centre(plotArea.left() + plotArea.width() * series->horizontalPosition(),
                         plotArea.top() + plotArea.height() * series->verticalPosition());
    const QRectF room = plotArea.translated(-centre);
    // A pie whose labels cannot be parted around it is drawn smaller, which leaves them more room above and
    // below it.
    for (qreal size = kLargestPie;; size -= kPieShrinkStep) {
        const qreal radius = size * std::min(plotArea.width(), plotArea.height()) / 2;
        if (radius <= 0)
            return;
        const LabelArms arms = separatedArms(labels, radius, armPixels, room);
        if (arms.parted || size - kPieShrinkStep < kSmallestPie) {
            series->setPieSize(size);
            for (qsizetype i = 0; i < slices.size(); ++i)
                slices[i]->setLabelArmLengthFactor(arms.arms[i] / radius);
            return;
        }
    }
}

} // namespace BigOrder
