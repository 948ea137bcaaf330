#pragma once

class QWidget;

// The watch-list pop-ups (the price broadcast and the four alert windows): how they are made and where they pop up.

// Makes a window one of the alert pop-ups: a dialog border, always on top, shown without taking the focus
// from what the user is doing.
void makeAlertWindow(QWidget* window);

// Places the window at the bottom right (right edge on the screen's, bottom at the work area's height), frame
// included, and shows it there.
void popupcorner(QWidget* window);
