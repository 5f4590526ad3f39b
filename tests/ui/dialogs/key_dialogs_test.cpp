// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The key capture dialogs, with keys as a real keyboard delivers them (native scan codes).
#include <QLabel>
#include <QLineEdit>

#include "ui/dialog_fixture.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "support/native_keys.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/skin/drop_down_list.h"
#include "ui/dialogs/single_dialog.h"

namespace vexo {
namespace {

using test::NativeKey;
using test::SendKey;
using test::TapKey;

// Counts the key events that reach a widget itself (after the hook).
class KeyCounter final : public QObject {
public:
    int keys = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            ++keys;
        return false;
    }
};

class KeyDialogsTest : public test::DialogTest {
protected:
    QtKeyboardHook hook;
};

TEST_F(KeyDialogsTest, SingleKeyTakesEveryKeyEnterAndEscapeIncludedAndReturnsTheLastOneTouched) {
    CSingleDialog dialog(skinContext, hook, prompter);
    Open(dialog);
    EXPECT_TRUE(hook.installed());
    auto* shown = Control<QLabel>(dialog, CSingleDialog::kKeyStaticId);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "");

    SendKey(dialog, QEvent::KeyPress, test::kKeyEnter);
    EXPECT_EQ(dialog.m_strKeyName, "Enter");
    EXPECT_EQ(shown->text(), "Enter");
    SendKey(dialog, QEvent::KeyRelease, test::kKeyEnter);
    TapKey(dialog, test::kKeyEscape);
    EXPECT_EQ(dialog.m_strKeyName, "Esc");
    EXPECT_TRUE(dialog.isVisible());

    // Shift held with A: the last key touched is A, not a combination.
    SendKey(dialog, QEvent::KeyPress, test::kKeyLeftShift);
    EXPECT_EQ(dialog.m_strKeyName, "Shift");
    SendKey(dialog, QEvent::KeyPress, NativeKey{Qt::Key_A, 30, "A"}, false, Qt::ShiftModifier);
    SendKey(dialog, QEvent::KeyPress, NativeKey{Qt::Key_A, 30, "A"}, true, Qt::ShiftModifier);
    SendKey(dialog, QEvent::KeyRelease, test::kKeyA, false, Qt::ShiftModifier);
    EXPECT_EQ(dialog.m_strKeyName, "A");
    EXPECT_EQ(shown->text(), "A");

    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strKeyName, "A");
    // A closed dialog captures nothing more.
    EXPECT_FALSE(hook.installed());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(KeyDialogsTest, TheWindowsKeysAreNamedAndKeptFromTheWidgets) {
    CSingleDialog dialog(skinContext, hook, prompter);
    Open(dialog);
    KeyCounter counter;
    dialog.installEventFilter(&counter);
    TapKey(dialog, test::kKeyLeftSuper);
    EXPECT_EQ(dialog.m_strKeyName, "Left Windows");
    TapKey(dialog, test::kKeyRightSuper);
    EXPECT_EQ(dialog.m_strKeyName, "Right Windows");
    EXPECT_EQ(counter.keys, 0);
    TapKey(dialog, test::kKeyA);
    EXPECT_EQ(counter.keys, 2);
    dialog.removeEventFilter(&counter);

    Click(dialog, Inside(CSkinDialog::kCancelButton));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(KeyDialogsTest, ComboCapturesIntoTheFocusedFieldOnlyAndTabStaysAKey) {
    CComboDialog dialog(skinContext, hook, prompter);
    Open(dialog);
    auto* key1 = Control<QLineEdit>(dialog, CComboDialog::kKey1EditId);
    auto* key2 = Control<QLineEdit>(dialog, CComboDialog::kKey2EditId);
    ASSERT_NE(key1, nullptr);
    ASSERT_NE(key2, nullptr);

    // Focus in neither field: typing changes nothing.
    TapKey(dialog, test::kKeyA);
    EXPECT_EQ(dialog.m_strKey1, "");
    EXPECT_EQ(dialog.m_strKey2, "");

    Click(*key1, QPoint(5, 5));
    ASSERT_TRUE(key1->hasFocus());
    TapKey(dialog, test::kKeyC);
    EXPECT_EQ(dialog.m_strKey1, "C");
    EXPECT_EQ(key1->text(), "C"); // the name, not the character typed
    // Tab is captured like any key and does not carry the capture into the next field.
    TapKey(dialog, test::kKeyTab);
    EXPECT_TRUE(key1->hasFocus());
    EXPECT_EQ(dialog.m_strKey1, "Tab");
    EXPECT_EQ(dialog.m_strKey2, "");

    Click(*key2, QPoint(5, 5));
    TapKey(dialog, test::kKeyEnter);
    EXPECT_EQ(dialog.m_strKey2, "Enter");
    EXPECT_EQ(key2->text(), "Enter");
    EXPECT_EQ(dialog.m_strKey1, "Tab");
    TapKey(dialog, test::kKeyEscape);
    EXPECT_EQ(dialog.m_strKey2, "Esc");
    EXPECT_TRUE(dialog.isVisible());

    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strModifier, "");
}

TEST_F(KeyDialogsTest, ComboModifierListPicksRightAltAndGivesTheFieldsBack) {
    CComboDialog dialog(skinContext, hook, prompter);
    Open(dialog);
    auto* key1 = Control<QLineEdit>(dialog, CComboDialog::kKey1EditId);
    Click(*key1, QPoint(5, 5));

    Click(dialog, Inside(CComboDialog::kModifierBox));
    auto* list = Control<QListWidget>(dialog, CComboDialog::kModifierListId);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(dialog.ModifierList().isOpen());
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    EXPECT_EQ(rows,
              (QStringList{"Left Ctrl", "Left Shift", "Left Alt", "Left Win", "Right Ctrl", "Right Shift", "Right Alt",
                           "Right Win"}));
    EXPECT_EQ(list->geometry(), CComboDialog::kModifierList.rect());
    EXPECT_FALSE(key1->isEnabled());
    // With the list open the keys belong to no field.
    TapKey(dialog, test::kKeyA);
    EXPECT_EQ(dialog.m_strKey1, "");

    ClickRow(*list, 6);
    EXPECT_EQ(dialog.m_strModifier, "Right Alt");
    EXPECT_EQ(Control<QLabel>(dialog, CComboDialog::kModifierStaticId)->text(), "Right Alt");
    EXPECT_FALSE(dialog.ModifierList().isOpen());
    EXPECT_TRUE(key1->isEnabled());

    // A click outside box and list closes an open list, choosing nothing.
    Click(dialog, Inside(CComboDialog::kModifierBox));
    ASSERT_TRUE(dialog.ModifierList().isOpen());
    Click(dialog, QPoint(300, 200));
    EXPECT_FALSE(dialog.ModifierList().isOpen());
    EXPECT_TRUE(key1->isEnabled());
    EXPECT_EQ(dialog.m_strModifier, "Right Alt");

    Click(*key1, QPoint(5, 5));
    TapKey(dialog, test::kKeyC);
    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strKey1, "C");
}

TEST_F(KeyDialogsTest, WithoutItsBackgroundTheDialogSaysSoAndStillCaptures) {
    skin.remove("/single-key.png");
    CSingleDialog dialog(skinContext, hook, prompter);
    Open(dialog);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "error");
    EXPECT_EQ(prompter.shown[0].caption, "Single Key Dialog Load background image failed!!!");
    EXPECT_EQ(dialog.size(), QSize(CSkinDialog::kDesignWidth, CSkinDialog::kDesignHeight));
    TapKey(dialog, test::kKeyA);
    EXPECT_EQ(dialog.m_strKeyName, "A");
}

} // namespace
} // namespace vexo
