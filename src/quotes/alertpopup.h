#pragma once

#include "quotes/alerts.h"

#include <QWidget>

class QLabel;

// One of the four watch-list alert pop-ups (TForm6 to TForm9): a headline, a detail line and a picture, popped up
// at the bottom right without taking the focus. Each window keeps its own design and names, once the design is
// set up, which of its widgets play these parts.
class AlertPopup : public QWidget {
    Q_OBJECT
public:
    // Writes the alert into the window, shows the picture for its direction (where the window has one) and pops
    // the window up at the bottom right.
    void showAlert(const Alerts::Alert& alert);

protected:
    explicit AlertPopup(QWidget* parent);

    // A window whose alerts tell of trading, not of a direction: its one picture is the program's emblem.
    void useEmblemParts(QLabel* headline, QLabel* detail, QLabel* emblem);
    // A window whose alerts have a direction: the rise picture shows for a rise, the fall picture for a fall.
    void useDirectionParts(QLabel* headline, QLabel* detail, QLabel* riseImage, QLabel* fallImage);

private:
    void useTextParts(QLabel* headline, QLabel* detail);

    QLabel* headline_ = nullptr;
    QLabel* detail_ = nullptr;
    // Both null in a window with the emblem.
    QLabel* riseImage_ = nullptr;
    QLabel* fallImage_ = nullptr;
};
