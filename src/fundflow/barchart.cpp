#include "fundflow/barchart.h"

#include "app/colours.h"
#include "app/songface.h"

#include <QFont>
#include <QHash>
#include <QSet>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QValueAxis>

namespace BigOrder {

namespace {

// The main window's charts are small: axis texts in a small font, little margin.
constexpr int kAxisPointSize = 7;
constexpr int kChartMargin = 2;
constexpr int kSliceLabelPixels = 12;
const QColor kSliceArmColour(128, 0, 0); // maroon
const QString kSliceTextBefore = QStringLiteral("<span style=\"color:#000000\">");
const QString kSliceTextAfter = QStringLiteral("</span>");
// Texts under the bars that stand upright read from bottom to top.
constexpr qreal kUprightAngle = -90;

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

void setUpBarChart(QChart* chart, bool legend, int noteHeight) {
    chart->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin + noteHeight));
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
    labels->setLabelsFont(small);
    auto* values = new QValueAxis;
    values->setLabelsFont(small);
    values->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(labels, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(labels);
    series->attachAxis(values);
    // Round steps on the value axis; the small charts' texts under the bars are shown whole.
    values->applyNiceNumbers();
    labels->setTruncateLabels(false);
    values->setTruncateLabels(false);
    labels->setLabelsAngle(texts == BarTexts::Upright ? kUprightAngle : 0);
}

void drawSlices(QPieSeries* series, const PiePlan& plan, qreal armLength) {
    series->clear();
    const QFont font = SongFace::font(kSliceLabelPixels);
    for (const PieSlice& planned : plan.slices) {
        // The slice's label brush draws its arm and its text alike: the arm takes maroon, and the text, rich
        // text to the chart, its own black.
        auto* slice = series->append(kSliceTextBefore + planned.label.toHtmlEscaped() + kSliceTextAfter, planned.value);
        slice->setColor(planned.colour);
        slice->setLabelVisible(true);
        slice->setLabelPosition(QPieSlice::LabelOutside);
        slice->setLabelArmLengthFactor(armLength);
        slice->setLabelColor(kSliceArmColour);
        slice->setLabelFont(font);
    }
}

} // namespace BigOrder
