#include "news/workareacorner.h"

#include "platform/screen.h"

#include <QWidget>

QPoint workAreaCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame) {
    return screen.topLeft() + QPoint(workArea.width() - frame.width(), workArea.height() - frame.height());
}

void popupAtWorkAreaCorner(QWidget* window) {
    const auto place = [window] {
        moveFrameTo(window, workAreaCornerPosition(screenRect(), workArea(), frameSize(window)));
    };
    place();
    window->show();
    window->raise();
    // A window manager adds the frame only once the window is shown; placed again with the frame counted.
    place();
}
