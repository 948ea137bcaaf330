#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

// The primary screen and its work area (the screen less panels and docks), for placing windows.
QRect screenRect();
QRect workArea();
// The work area of the screen that shows the window, which on a desktop of several screens need not be the primary.
QRect workAreaOf(const QWidget* window);
// The work area of the screen that holds a frame placed at `frame`: the one holding its middle, else the one it
// overlaps most, else the primary.
QRect workAreaHolding(const QRect& frame);

// The window manager's frame around a window (title bar and borders); empty until the window manager has
// framed it, which happens only some time after the window was first shown.
QMargins frameMargins(const QWidget* window);
// Outer size of a window, frame included as far as it is known.
QSize frameSize(const QWidget* window);
// Moves a window so that its frame's top-left corner stands at `topLeft`.
void moveFrameTo(QWidget* window, QPoint topLeft);

// The place nearest to `topLeft` where a frame of the given outer size lies wholly inside `area`; a frame larger
// than the area keeps its top-left corner, with the title bar and its buttons, inside it.
QPoint keptInside(const QRect& area, QPoint topLeft, const QSize& frame);

// Where a window's frame goes, given the frame's outer size.
using FramePlacement = std::function<QPoint(const QSize& frame)>;

// Places the window by the rule now and again whenever its outer size changes until it is next hidden: a window
// manager frames a window only some time after it was shown, and the frame would otherwise push a window placed
// against the bottom of the work area under the task bar, or off the centre. Wherever the rule puts it, the
// window is kept inside the work area of the screen the rule put it on (keptInside, workAreaHolding), so no window
// is shown off its screen nor pulled over to another. A window the user has
// dragged stays where it was dragged.
void placeByFrame(QWidget* window, const FramePlacement& placement);
// The same, and shows the window on top.
void showPlacedByFrame(QWidget* window, const FramePlacement& placement);

// Places the window by placeByFrame so that its frame is centred on the screen: left = (screen width - width)
// div 2, top = (screen height - height) div 2, sizes including the window frame; kept inside the work area.
void centreOnScreen(QWidget* window);
