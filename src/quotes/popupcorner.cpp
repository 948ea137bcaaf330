#include "quotes/popupcorner.h"

#include "platform/screen.h"
#include "quotes/alerts.h"

#include <QWidget>

void makeAlertWindow(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

void popupcorner(QWidget* window) {
    const auto place = [window] {
        moveFrameTo(window, Alerts::popupCornerPosition(screenRect(), workArea(), frameSize(window)));
    };
    place();
    window->show();
    window->raise();
    // A window manager adds the frame only once the window is shown; place it again with the frame counted.
    place();
}
