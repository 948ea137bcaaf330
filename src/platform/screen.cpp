#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QRect workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Integer division truncates toward zero in C++ as it did in the old program, so a window larger than the
// screen gets the same negative position. The offset of the primary screen in a multi-monitor desktop is
// added, which is zero where the screen starts at the origin.
void centreOnScreen(QWidget* window) {
    const QRect screen = screenRect();
    const QSize frame = frameSize(window);
    moveFrameTo(window, screen.topLeft() +
                            QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2));
}

QSize frameSize(const QWidget* window) {
    return window->frameGeometry().size();
}

// For a window, QWidget::move places the frame's corner, not the client area's.
void moveFrameTo(QWidget* window, QPoint topLeft) {
    window->move(topLeft);
}
