#pragma once

#include "quotes/alerts.h"

class QLabel;
class QWidget;

// The watch-list alert windows: how they are made and where they pop up.

// Makes a window one of the alert pop-ups: a dialog border, always on top, shown without taking the focus
// from what the user is doing.
void makeAlertWindow(QWidget* window);

// Places the window at the bottom right (right edge on the screen's, bottom at the work area's height) and
// shows it.
void popupcorner(QWidget* window);

// Writes an alert into a window's headline and detail line; the detail is red for a rise, green for a fall.
void showAlertTexts(QLabel* headline, QLabel* detail, const Alerts::Alert& alert);
