#include "news/workareacorner.h"

#include "platform/screen.h"

#include <QWidget>

QPoint workAreaCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame) {
    return screen.topLeft() + QPoint(workArea.width() - frame.width(), workArea.height() - frame.height());
}

void popupAtWorkAreaCorner(QWidget* window) {
    showPlacedByFrame(window,
                      [](const QSize& frame) { return workAreaCornerPosition(screenRect(), workArea(), frame); });
}
