#pragma once

#include <QList>
#include <QPointer>
#include <QScopeGuard>
#include <QWidget>

#include <functional>
#include <utility>

// Keeps a window's entry controls (its code box and button) disabled while a blocking fetch waits in its
// nested event loop, so the user cannot start a second one inside the first; the window's other roads ask
// held() and refuse. Holds nest: the controls come back when the last one ends.
class EntryHold {
public:
    using Release = QScopeGuard<std::function<void()>>;

    // The controls to hold; the window names them once its widgets exist.
    void watch(const QList<QWidget*>& controls) {
        for (QWidget* control : controls)
            controls_.append(control);
    }

    bool held() const { return holds_ > 0; }

    // Disables the controls until the returned guard goes.
    [[nodiscard]] Release take() {
        if (holds_++ == 0)
            enable(false);
        return Release(std::function<void()>([this] {
            if (--holds_ == 0)
                enable(true);
        }));
    }

private:
    void enable(bool on) {
        for (const QPointer<QWidget>& control : std::as_const(controls_)) {
            if (control)
                control->setEnabled(on);
        }
    }

    QList<QPointer<QWidget>> controls_;
    int holds_ = 0;
};
