#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the chart window of a hovered recommendation stands. A plain rule over rectangles: no widgets.
//
// By design the chart's frame stands left of the recommendation window, its right edge at that window's frame
// left edge and its bottom at the pointer's height. Where that place runs out of the work area or covers the
// pointer, the chart goes the least distance from it (in a straight line) to a place wholly inside the work area
// and off the pointer. A chart larger than the work area keeps its top-left corner, with the title bar, inside
// the work area, and stays off the pointer where it still can.
//
// `frame` is the chart's outer size (title bar and borders included); the result is its frame's top-left corner.
QPoint hoverChartPlace(const QRect& workArea, const QSize& frame, int besideLeft, const QPoint& pointer);
