#include "app/colours.h"

#include <QPalette>
#include <QWidget>

namespace Colours {

void setFontColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor fontColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}
QColor background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

} // namespace Colours
