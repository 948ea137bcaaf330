#pragma once

#include <QChar>

#include <functional>

class QLineEdit;
class QWidget;

// Event hooks for widgets that have no signal for them (labels and pictures that act as links or buttons, key
// filters of entry boxes). Each handler runs through the handler guard.

// Calls `handler` when the widget is clicked with the left button (pressed and released inside it) while it
// is enabled.
void onClick(QWidget* widget, std::function<void()> handler);

// Calls `enter` when the mouse enters the widget and `leave` when it leaves.
void onHover(QWidget* widget, std::function<void()> enter, std::function<void()> leave);

// Key filter of an entry box: every typed character, and Backspace (character 8), goes through `filter`
// first; a character the filter sets to 0 is swallowed, any other value lets the key through. Editing shortcuts (copy,
// paste, select all) and navigation keys are not characters and reach the box as usual.
using KeyFilter = std::function<void(QChar& key)>;
void onKeyPress(QWidget* widget, KeyFilter filter);

// The pick-only filter: every typed character is swallowed.
void swallowEveryKey(QChar& key);

// The code-box filter: digits and Backspace pass, every other typed character is swallowed.
void passDigitKeys(QChar& key);

// Makes a code box refuse any text that is not all digits, however it arrives (typed, pasted, dropped); the
// key filter alone sees only typed characters.
void acceptDigitsOnly(QLineEdit* box);
