#pragma once

// The check that a window shows every text whole: each label, check box, push button, group box title and entry
// box that the window shows holds its text in its own rectangle, lies inside the window and is covered by no
// other widget. Labels are taken as plain text, as the windows show them.

#include <QStringList>

class QTableWidget;
class QWidget;

// One line per text that does not show whole, naming the widget, its text and what is wrong; empty when every
// text of the window reads whole. Widgets hidden in the window are skipped.
QStringList cutTexts(const QWidget* window);

// One line per cell of the grid, heading row included, whose text drawn centred on one line in the grid's face
// reaches its column's grid line or beyond: measured from the drawn text, not from the grid's own sizing.
QStringList cutCells(const QTableWidget* grid);
