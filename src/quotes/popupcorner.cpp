#include "quotes/popupcorner.h"

#include "app/colours.h"
#include "platform/screen.h"

#include <QLabel>
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

void showAlertTexts(QLabel* headline, QLabel* detail, const Alerts::Alert& alert) {
    headline->setText(alert.headline);
    Colours::setFontColour(detail, alert.fall ? Colours::green : Colours::red);
    detail->setText(alert.detail);
}
