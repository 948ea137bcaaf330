#pragma once

#include "fundflow/bigorderplans.h"

class QChart;
class QColor;
class QPieSeries;

// Drawing the big-order plans on the toolkit's charts.
namespace BigOrder {

// A flat chart without a title, with or without the legend (at the top).
void setUpBarChart(QChart* chart, bool legend);
// A chart title in bold green.
void setGreenTitle(QChart* chart, const QString& title);

// Removes every series and axis of the chart.
void emptyChart(QChart* chart);
// Replaces the chart's series with the plan's two bar series, buys first, side by side per label, in the
// theme's series colours, without marks.
void drawBars(QChart* chart, const BarPlan& plan);

// Replaces the slices of a pie series with the plan's, in the plan's order, their labels shown outside.
void drawSlices(QPieSeries* series, const PiePlan& plan);

} // namespace BigOrder
