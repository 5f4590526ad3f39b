// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The dialogs' lists open on the value the dialog holds, selected and scrolled into view, and a
// list longer than its box shows its scroll bar.
#include <QLabel>
#include <QScrollBar>

#include "config/temp_dir.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "ui/dialog_fixture.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/windows_dialog.h"

namespace vexo {
namespace {

class DialogListsTest : public test::DialogTest {
protected:
    // Opens the list behind box and checks it shows row selected and in view; returns the list.
    QListWidget* expectOpensOn(QDialog& dialog, const Region& box, int listId, int row) {
        Click(dialog, Inside(box));
        QListWidget* list = Control<QListWidget>(dialog, listId);
        EXPECT_NE(list, nullptr);
        if (list == nullptr)
            return nullptr;
        QCoreApplication::processEvents();
        EXPECT_EQ(list->currentRow(), row);
        if (list->item(row) != nullptr) {
            EXPECT_TRUE(list->item(row)->isSelected());
            // In view top to bottom (a row may be wider than the list, which cuts it).
            const QRect rect = list->visualItemRect(list->item(row));
            EXPECT_TRUE(rect.top() >= 0 && rect.bottom() < list->viewport()->height())
                << "row " << row << " scrolled into view";
        }
        return list;
    }
    // Picks row of the open list behind box, then checks that the next opening shows it.
    void pickAndReopen(QDialog& dialog, const Region& box, int listId, int row) {
        QListWidget* list = Control<QListWidget>(dialog, listId);
        ASSERT_NE(list, nullptr);
        ClickRow(*list, row);
        EXPECT_EQ(Control<QListWidget>(dialog, listId), nullptr) << "a pick closes the list";
        expectOpensOn(dialog, box, listId, row);
        Click(dialog, Inside(box));
    }
    QtKeyboardHook hook;
};

TEST_F(DialogListsTest, EveryDialogListOpensOnItsValueAndALongListShowsItsScrollBar) {
    CWindowsDialog windows(skinContext, prompter);
    Open(windows);
    const auto& w = CWindowsDialog::kLayout;
    QListWidget* list = expectOpensOn(windows, w.box, w.listId, 0);
    ASSERT_NE(list, nullptr);
    const int last = list->count() - 1;
    pickAndReopen(windows, w.box, w.listId, last);
    EXPECT_EQ(windows.m_nIndex, last);

    CMediaDialog media(skinContext, prompter);
    Open(media);
    const auto& m = CMediaDialog::kLayout;
    list = expectOpensOn(media, m.box, m.listId, 0);
    ASSERT_NE(list, nullptr);
    pickAndReopen(media, m.box, m.listId, list->count() - 1);

    test::TempDir dir("dialog-lists");
    std::string ini;
    for (int i = 0; i < 10; ++i)
        ini += "[Macro " + std::to_string(i) + "]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n";
    test::TempDir::put(dir / "record.ini", ini);
    CMacroDialog macro(skinContext, dir / "record.ini", prompter);
    Open(macro);
    const auto& mc = CMacroDialog::kLayout;
    expectOpensOn(macro, mc.box, mc.listId, 0);
    pickAndReopen(macro, mc.box, mc.listId, 9);

    CFireKeyDialog fire(skinContext, prompter);
    Open(fire);
    list = expectOpensOn(fire, CFireKeyDialog::kKeyBox, CFireKeyDialog::kKeyListId, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->verticalScrollBar()->isVisible()) << "61 keys do not fit the box";
    pickAndReopen(fire, CFireKeyDialog::kKeyBox, CFireKeyDialog::kKeyListId, 50);
    list = expectOpensOn(fire, CFireKeyDialog::kKeyBox, CFireKeyDialog::kKeyListId, 50);
    ASSERT_NE(list, nullptr);
    EXPECT_GT(list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(fire.m_nKeyIndex, 50);

    CComboDialog combo(skinContext, hook, prompter);
    Open(combo);
    list = expectOpensOn(combo, CComboDialog::kModifierBox, CComboDialog::kModifierListId, -1);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->selectedItems().isEmpty()) << "no modifier chosen yet";
    Click(combo, Inside(CComboDialog::kModifierBox));
    Click(combo, Inside(CComboDialog::kModifierBox));
    pickAndReopen(combo, CComboDialog::kModifierBox, CComboDialog::kModifierListId, 5);
}

} // namespace
} // namespace vexo
