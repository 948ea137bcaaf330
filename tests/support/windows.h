#pragma once

// Helpers for the tests of windows: a window entered in its registry slot, and the check of an entry box that
// takes digits only.

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A window made for the test and entered in its registry slot (Form1, Form3, ...) for as long as it lives; `Slot`
// is the slot's class when the test makes a subclass.
template <typename Window, typename Slot = Window> class Registered {
public:
    explicit Registered(Slot*& slot) : slot_(slot), window_(std::make_unique<Window>()) { slot_ = window_.get(); }
    ~Registered() { slot_ = nullptr; }
    Registered(const Registered&) = delete;
    Registered& operator=(const Registered&) = delete;

    Window* get() const { return window_.get(); }
    Window* operator->() const { return window_.get(); }

private:
    Slot*& slot_;
    std::unique_ptr<Window> window_;
};

// A code or phone box: typed letters and signs are dropped, Backspace works, the length stops at `maxLength`,
// and text that arrives another way (a paste) is refused whole unless it is all digits.
inline void expectDigitsOnly(QLineEdit* box, int maxLength) {
    SCOPED_TRACE(box->objectName().toStdString());
    box->clear();
    QTest::keyClicks(box, QStringLiteral("12a-3 "));
    EXPECT_EQ(box->text(), QStringLiteral("123"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    QTest::keyClicks(box, QStringLiteral("3456789012345"));
    EXPECT_EQ(box->text().size(), maxLength);
    box->clear();
    box->insert(QStringLiteral("60a000"));
    EXPECT_TRUE(box->text().isEmpty());
    box->insert(QStringLiteral("600000"));
    EXPECT_EQ(box->text(), QStringLiteral("600000"));
}
