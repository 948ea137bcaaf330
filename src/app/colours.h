#pragma once

#include <QColor>

class QWidget;

// The program's colours and the one way it sets them on a widget (its palette, so that a later change of one
// colour keeps the other).
namespace Colours {

inline const QColor red(255, 0, 0);
inline const QColor green(0, 128, 0);
inline const QColor navy(0, 0, 128);
inline const QColor blue(0, 0, 255);
inline const QColor white(255, 255, 255);
inline const QColor black(0, 0, 0);

void setFontColour(QWidget* widget, const QColor& colour);
// Fills the widget's background with the colour.
void setBackground(QWidget* widget, const QColor& colour);
QColor fontColour(const QWidget* widget);
QColor background(const QWidget* widget);

} // namespace Colours
