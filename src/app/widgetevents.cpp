#include "app/widgetevents.h"

#include "platform/failures.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QObject>
#include <QRegularExpressionValidator>
#include <QWidget>

namespace {

constexpr char16_t kBackspace = 8;

class ClickWatcher : public QObject {
public:
    ClickWatcher(QWidget* widget, std::function<void()> handler) : QObject(widget), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            return false;
        }
        if (event->type() != QEvent::MouseButtonRelease || !pressed_)
            return false;
        pressed_ = false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = static_cast<QWidget*>(watched);
        // A disabled widget still sees mouse events through its filters; like a disabled button, it takes no click.
        if (mouse->button() == Qt::LeftButton && widget->isEnabled() &&
            widget->rect().contains(mouse->position().toPoint()))
            guarded(handler_);
        return false;
    }

private:
    std::function<void()> handler_;
    bool pressed_ = false;
};

class HoverWatcher : public QObject {
public:
    HoverWatcher(QWidget* widget, std::function<void()> enter, std::function<void()> leave)
        : QObject(widget), enter_(std::move(enter)), leave_(std::move(leave)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Enter)
            guarded(enter_);
        else if (event->type() == QEvent::Leave)
            guarded(leave_);
        return false;
    }

private:
    std::function<void()> enter_;
    std::function<void()> leave_;
};

// A typed character: printable text, or Backspace. Control characters of shortcuts are not.
bool isTypedCharacter(const QKeyEvent* key) {
    if (key->text().size() != 1)
        return false;
    const QChar c = key->text().front();
    if (key->key() == Qt::Key_Backspace || c.unicode() == kBackspace)
        return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    return c.isPrint();
}

class KeyWatcher : public QObject {
public:
    KeyWatcher(QWidget* widget, KeyFilter filter) : QObject(widget), filter_(std::move(filter)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!isTypedCharacter(key))
            return false;
        QChar c = key->key() == Qt::Key_Backspace ? QChar(kBackspace) : key->text().front();
        if (!guarded([&] { filter_(c); }))
            return true;
        return c.isNull();
    }

private:
    KeyFilter filter_;
};

} // namespace

void onClick(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(new ClickWatcher(widget, std::move(handler)));
}

void onHover(QWidget* widget, std::function<void()> enter, std::function<void()> leave) {
    widget->setAttribute(Qt::WA_Hover);
    widget->installEventFilter(new HoverWatcher(widget, std::move(enter), std::move(leave)));
}

void onKeyPress(QWidget* widget, KeyFilter filter) {
    widget->installEventFilter(new KeyWatcher(widget, std::move(filter)));
}

void swallowEveryKey(QChar& key) {
    key = QChar(0);
}

void passDigitKeys(QChar& key) {
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    if (!digit && key.unicode() != kBackspace)
        key = QChar(0);
}

void acceptDigitsOnly(QLineEdit* box) {
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
}
