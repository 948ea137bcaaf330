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

// One line per cell of the grid, heading row included, whose text does not read whole as the grid itself draws it:
// read from the grid's rendering, page by page, its ink must keep clear of the cell's edges and grid lines and sit
// about in its middle; a cell that never shows whole in the grid's box is named too. The grid is scrolled back.
QStringList cutCells(QTableWidget* grid);
