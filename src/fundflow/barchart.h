#pragma once

#include "fundflow/bigorderplans.h"

class QChart;
class QColor;
class QPieSeries;
class QRectF;

// Drawing the big-order plans on the toolkit's charts.
namespace BigOrder {

// A flat chart without a title, with or without the legend (at the top, centred on one row), with little room
// around its plot.
void setUpBarChart(QChart* chart, bool legend);
// A chart title in bold green.
void setGreenTitle(QChart* chart, const QString& title);

// Removes every series and axis of the chart.
void emptyChart(QChart* chart);
// How large the texts under the bars are: as the value axis's, or smaller where the chart is too narrow for them
// (today's chart: eight times "10:00" in a quarter of the main window's width).
enum class BarTexts { Regular, Small };

// Replaces the chart's series with the plan's two bar series, buys first, side by side per label, in the
// theme's series colours, without marks. Every text under a bar and on the value axis is shown whole and level;
// the value axis runs from zero in round steps, as many as it has room for.
void drawBars(QChart* chart, const BarPlan& plan, BarTexts texts = BarTexts::Regular);

// Replaces the slices of a pie series with the plan's, in the plan's order, their labels shown outside in
// black 12-pixel Song face on maroon arms. A slice's label() is the rich text drawn, its plan's label escaped.
void drawSlices(QPieSeries* series, const PiePlan& plan);
// Gives the slices' labels arms `armPixels` long, or longer where labels would otherwise cover each other, for
// the pie as the chart lays it out in `plotArea`; where they cannot be parted so, the pie is drawn smaller.
void setSliceArms(QPieSeries* series, const QRectF& plotArea, qreal armPixels);

} // namespace BigOrder
