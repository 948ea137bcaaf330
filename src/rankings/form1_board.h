#pragma once

#include <QList>

class QLabel;
class QTimer;

// What the ranking board's two files of main-window handlers (the board and its page connections) share.
namespace Board {

// Switches a timer on unless it already is, so that a running count goes on undisturbed.
void switchOn(QTimer* timer);

// Every label of a box waits for its page: "XXXX" in black.
void resetBox(const QList<QLabel*>& box);

} // namespace Board
