#include "quotes/popupcorner.h"

#include "platform/screen.h"
#include "quotes/alerts.h"

#include <QWidget>

void makeAlertWindow(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

void popupcorner(QWidget* window) {
    showPlacedByFrame(window,
                      [](const QSize& frame) { return Alerts::popupCornerPosition(screenRect(), workArea(), frame); });
}
