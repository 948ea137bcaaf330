#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the chart window of a hovered recommendation stands. A plain rule over rectangles: no widgets.
//
// By design the chart's frame stands left of the recommendation window, its right edge at that window's frame
// left edge and its bottom at the pointer's height. Where that place runs out of the work area, the chart goes
// the least distance from it (in a straight line) to a place wholly inside the work area and clear of the hovered
// row, so the pointer can move along the row without running into the chart (which would take the hover from the
// row and hide the chart, only for the row to show it again). Where no place inside the work area is clear of the
// row (a chart as large as the space beside and above and below it), the chart covers as little of the row as it
// can, never the pointer, and goes the least distance to such a place. A chart larger than the work area keeps its
// top-left corner, with the title bar, inside the work area.
//
// `frame` is the chart's outer size (title bar and borders included); `row` is the hovered row, which holds the
// pointer; the result is the chart frame's top-left corner.
QPoint hoverChartPlace(const QRect& workArea, const QSize& frame, int besideLeft, const QPoint& pointer,
                       const QRect& row);
