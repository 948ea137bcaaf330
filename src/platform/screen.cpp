#include "platform/screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Keeps a shown window where its rule puts it while the window's outer size changes: watches the events that
// follow the window manager's framing (the move it makes, the resize, the first paint of the mapped window).
class FrameKeeper : public QObject {
public:
    explicit FrameKeeper(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

    void place(const FramePlacement& placement) {
        placement_ = placement;
        placeNow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || !placement_)
            return false;
        switch (event->type()) {
        case QEvent::Hide:
            placement_ = nullptr;
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Paint:
            if (frameSize(window_) != placedFrame_)
                placeNow();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void placeNow() {
        placedFrame_ = frameSize(window_);
        const QPoint placed = placement_(placedFrame_);
        moveFrameTo(window_, keptInside(workAreaHolding(QRect(placed, placedFrame_)), placed, placedFrame_));
    }

    QWidget* window_;
    FramePlacement placement_;
    QSize placedFrame_;
};

// The window's keeper, made at its first placement.
FrameKeeper* keeperOf(QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* keeper = dynamic_cast<FrameKeeper*>(child))
            return keeper;
    }
    return new FrameKeeper(window);
}

} // namespace

QRect screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QRect workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect workAreaOf(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->availableGeometry() : workArea();
}

QRect workAreaHolding(const QRect& frame) {
    if (const QScreen* screen = QGuiApplication::screenAt(frame.center()))
        return screen->availableGeometry();
    const QScreen* most = nullptr;
    qint64 mostShared = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->geometry().intersected(frame);
        const qint64 area = qint64(shared.width()) * shared.height();
        if (!shared.isEmpty() && area > mostShared) {
            mostShared = area;
            most = screen;
        }
    }
    return most ? most->availableGeometry() : workArea();
}

QPoint keptInside(const QRect& area, QPoint topLeft, const QSize& frame) {
    topLeft.setX(std::max(std::min(topLeft.x(), area.left() + area.width() - frame.width()), area.left()));
    topLeft.setY(std::max(std::min(topLeft.y(), area.top() + area.height() - frame.height()), area.top()));
    return topLeft;
}

// Integer division truncates toward zero in C++ as it did in the old program; a window larger than the screen,
// which that puts at a negative position, is then kept inside the work area like every placed window. The offset of the
// primary screen in a multi-monitor desktop is added, which is zero where the screen starts at the origin.
void centreOnScreen(QWidget* window) {
    placeByFrame(window, [](const QSize& frame) {
        const QRect screen = screenRect();
        return screen.topLeft() + QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
    });
}

// Asked of the native window rather than the widget, which keeps the frame it last heard of until it is moved.
QMargins frameMargins(const QWidget* window) {
    const QWindow* native = window->windowHandle();
    return native ? native->frameMargins() : QMargins();
}

QSize frameSize(const QWidget* window) {
    return window->size().grownBy(frameMargins(window));
}

// Before the window exists natively the toolkit places the frame's corner itself once the frame is known;
// afterwards the client area goes inside the frame as it stands now.
void moveFrameTo(QWidget* window, QPoint topLeft) {
    if (!window->windowHandle()) {
        window->move(topLeft);
        return;
    }
    const QMargins frame = frameMargins(window);
    window->setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), window->size()));
}

void placeByFrame(QWidget* window, const FramePlacement& placement) {
    keeperOf(window)->place(placement);
}

void showPlacedByFrame(QWidget* window, const FramePlacement& placement) {
    placeByFrame(window, placement);
    window->show();
    window->raise();
    placeByFrame(window, placement);
}
