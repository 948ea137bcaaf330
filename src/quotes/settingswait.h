#pragma once

#include <QPointer>
#include <QWidget>

// Disables a window for as long as one of its requests waits. The request keeps the event loop running, so a
// second click on the same window would otherwise start work on the same client and the same lists before
// the first is done. The window's enabled state is put back as it was, also when the request throws.
class WaitingWindow {
public:
    explicit WaitingWindow(QWidget* window) : window_(window), wasEnabled_(window->isEnabled()) {
        window->setEnabled(false);
    }
    ~WaitingWindow() {
        if (window_)
            window_->setEnabled(wasEnabled_);
    }
    WaitingWindow(const WaitingWindow&) = delete;
    WaitingWindow& operator=(const WaitingWindow&) = delete;

private:
    QPointer<QWidget> window_;
    bool wasEnabled_;
};
