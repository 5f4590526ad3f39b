// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The keyboard hook: every key of the program's windows, named from the native scan code, once.
#include "platform/qt/qt_keyboard_hook.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt_test_main.h"
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <vector>

#include "support/native_keys.h"

namespace vexo {
namespace {

using test::kKeyA;
using test::SendKey;

// The shared test application: it goes before the process's static objects, which Qt needs.
QApplication& app() { return test::TestApp(); }

// A window that counts the keys that reach it.
class CountingWindow final : public QWidget {
public:
    int presses = 0;
    int releases = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++presses;
        event->ignore();
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        ++releases;
        event->ignore();
    }
};

class QtKeyboardHookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app(); }
    void SetUp() override {
        edit = new QLineEdit(&window);
        label = new QLabel("label", &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(label);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
    }
    void record(bool swallow = false) {
        hook.install([this, swallow](const KeyboardHook::Key& key) {
            keys.push_back(key);
            return swallow;
        });
    }

    CountingWindow window;
    QLineEdit* edit = nullptr;
    QLabel* label = nullptr;
    QtKeyboardHook hook;
    std::vector<KeyboardHook::Key> keys;
};

TEST_F(QtKeyboardHookTest, PressAutoRepeatAndReleaseAreNamedFromTheScanCodeWhateverTheLayout) {
    record();
    // An AZERTY keyboard types Q with the key at the position of A: the name is the position's.
    const test::NativeKey azertyA{Qt::Key_Q, 30, "q"};
    SendKey(window, QEvent::KeyPress, azertyA);
    SendKey(window, QEvent::KeyPress, azertyA, true);
    SendKey(window, QEvent::KeyRelease, azertyA);
    ASSERT_EQ(keys.size(), 3u);
    for (const auto& key : keys) {
        EXPECT_EQ(key.name, "A");
        EXPECT_EQ(key.evdevCode, 30u);
    }
    EXPECT_TRUE(keys[0].press);
    EXPECT_FALSE(keys[0].autoRepeat);
    EXPECT_TRUE(keys[1].press);
    EXPECT_TRUE(keys[1].autoRepeat);
    EXPECT_FALSE(keys[2].press);
    // Nothing swallowed: the field got the character.
    EXPECT_EQ(edit->text(), "qq");

    keys.clear();
    for (const auto& key : {test::kKeyEnter, test::kKeyEscape, test::kKeyLeftSuper, test::kKeyRightSuper,
                            test::kKeyRightAlt, test::kKeyLeftShift, test::NativeKey{Qt::Key_Enter, 96, "\r"}})
        SendKey(window, QEvent::KeyPress, key);
    std::vector<std::string> names;
    for (const auto& key : keys)
        names.push_back(key.name);
    EXPECT_EQ(
        names,
        (std::vector<std::string>{"Enter", "Esc", "Left Windows", "Right Windows", "Right Alt", "Shift", "Num Enter"}));
}

TEST_F(QtKeyboardHookTest, AKeyTravellingToTheParentsCountsOnceAndTheNextKeyAtTheSameAddressCountsAgain) {
    record();
    label->setFocus(); // a label takes no keys: they travel on to the window
    SendKey(window, QEvent::KeyPress, kKeyA);
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_EQ(window.presses, 1);

    // Events live on the deliverer's stack, so the next one usually has the same address. One
    // event object delivered twice, as two keys: first to the label, then to the window itself.
    auto event = test::MakeKeyEvent(QEvent::KeyPress, kKeyA);
    QCoreApplication::sendEvent(label, event.get());
    EXPECT_EQ(keys.size(), 2u);
    event->setTimestamp(event->timestamp() + 30);
    event->setAccepted(true);
    QCoreApplication::sendEvent(&window, event.get());
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_EQ(window.presses, 3);
}

TEST_F(QtKeyboardHookTest, ASwallowedKeyReachesNoWidget) {
    record(true);
    test::TapKey(window, kKeyA);
    EXPECT_EQ(keys.size(), 2u);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(window.presses, 0);
    EXPECT_EQ(window.releases, 0);
}

TEST_F(QtKeyboardHookTest, RemovedReplacedAndSelfRemovingHandlers) {
    record();
    int second = 0;
    hook.install([&second](const KeyboardHook::Key&) { return ++second, false; });
    SendKey(window, QEvent::KeyPress, kKeyA);
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(second, 1);

    // A handler may remove the hook while it runs (a dialog that closes on a key).
    hook.install([this](const KeyboardHook::Key& key) {
        keys.push_back(key);
        hook.remove();
        return false;
    });
    SendKey(window, QEvent::KeyPress, kKeyA);
    SendKey(window, QEvent::KeyPress, kKeyA);
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_FALSE(hook.installed());
    hook.remove(); // nothing installed: nothing happens

    {
        QtKeyboardHook scoped;
        scoped.install([this](const KeyboardHook::Key& key) { return keys.push_back(key), false; });
    }
    SendKey(window, QEvent::KeyPress, kKeyA);
    EXPECT_EQ(keys.size(), 1u);
}

} // namespace
} // namespace vexo
