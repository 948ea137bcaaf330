#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the news and list pop-ups stand: at the bottom right of the desktop work area, left = work-area width
// - window width and top = work-area height - window height (frames included), counted from the screen's
// corner. Unlike the alert pop-ups, the width is the work area's, not the screen's.
QPoint workAreaCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame);

// Places the window there and shows it on top without taking the focus.
void popupAtWorkAreaCorner(QWidget* window);
