#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The primary screen and its work area (the screen less panels and docks), for placing windows.
QRect screenRect();
QRect workArea();

// Moves the window so that its frame is centred on the screen: left = (screen width - width) div 2,
// top = (screen height - height) div 2, sizes including the window frame.
void centreOnScreen(QWidget* window);

// Outer size of a window, frame included.
QSize frameSize(const QWidget* window);
// Moves a window so that its frame's top-left corner stands at `topLeft`.
void moveFrameTo(QWidget* window, QPoint topLeft);
