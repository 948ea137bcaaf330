#pragma once

#include "fundflow/bigorderplans.h"

class QChart;
class QColor;
class QPieSeries;

// Drawing the big-order plans on the toolkit's charts.
namespace BigOrder {

// A flat chart without a title, with or without the legend (at the top). `noteHeight` pixels at the bottom
// stay free for a note that the window lays over the chart.
void setUpBarChart(QChart* chart, bool legend, int noteHeight = 0);
// A chart title in bold green.
void setGreenTitle(QChart* chart, const QString& title);

// Removes every series and axis of the chart.
void emptyChart(QChart* chart);
// How the texts under the bars stand: level, or upright where the chart is too narrow for them side by side
// (today's chart: eight times "10:00" in a quarter of the main window's width).
enum class BarTexts { Level, Upright };

// Replaces the chart's series with the plan's two bar series, buys first, side by side per label, in the
// theme's series colours, without marks. Every text under a bar and on the value axis is shown whole.
void drawBars(QChart* chart, const BarPlan& plan, BarTexts texts = BarTexts::Level);

// Replaces the slices of a pie series with the plan's, in the plan's order, their labels shown outside in
// black 12-pixel Song face on maroon arms `armLength` long (a factor of the pie's radius). A slice's label()
// is the rich text drawn, its plan's label escaped.
void drawSlices(QPieSeries* series, const PiePlan& plan, qreal armLength);

} // namespace BigOrder
