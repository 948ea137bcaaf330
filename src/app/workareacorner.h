#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The notices that pop up at the work area's corner (the back-end news, the watched list, the rally notice):
// how they are made and where they stand.

// Makes a window a notice: a dialog border with its title and close box only, always on top, shown without
// taking the focus from what the user is doing.
void makeNoticeWindow(QWidget* window);

// Where the notices stand: at the bottom right of the desktop work area, left = work-area width
// - window width and top = work-area height - window height (frames included), counted from the screen's
// corner. Unlike the alert pop-ups, the width is the work area's, not the screen's.
QPoint workAreaCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame);

// Places the window there and shows it on top without taking the focus.
void popupAtWorkAreaCorner(QWidget* window);
