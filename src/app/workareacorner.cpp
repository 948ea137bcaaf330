#include "app/workareacorner.h"

#include "platform/screen.h"

#include <QWidget>

void makeNoticeWindow(QWidget* window) {
    window->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

QPoint workAreaCornerPosition(const QRect& screen, const QRect& workArea, const QSize& frame) {
    return screen.topLeft() + QPoint(workArea.width() - frame.width(), workArea.height() - frame.height());
}

void popupAtWorkAreaCorner(QWidget* window) {
    showPlacedByFrame(window,
                      [](const QSize& frame) { return workAreaCornerPosition(screenRect(), workArea(), frame); });
}
