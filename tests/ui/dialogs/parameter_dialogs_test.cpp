// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The fire-key, delay and picker dialogs, and the skeleton they share.
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "config/temp_dir.h"
#include "ui/dialog_fixture.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "support/native_keys.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/skin/drop_down_list.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/single_dialog.h"
#include "ui/dialogs/windows_dialog.h"

namespace vexo {
namespace {

using test::SkinFixture;

class ParameterDialogsTest : public test::DialogTest {
protected:
    static QRgb Pixel(const CSkinDialog& dialog, const Region& r) {
        return dialog.BackBuffer().pixel(r.left + 1, r.top + 1);
    }
    static QStringList Rows(const QListWidget& list) {
        QStringList rows;
        for (int i = 0; i < list.count(); ++i)
            rows << list.item(i)->text();
        return rows;
    }
};

TEST_F(ParameterDialogsTest, SkeletonDrawsItsButtonsLightsThemUpAndAnswersEnterAndEscape) {
    CDelayTimeDialog dialog(skinContext, prompter);
    Open(dialog);
    EXPECT_EQ(dialog.size(), QSize(400, 292));
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kOkButton), SkinFixture::kNormal);
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kCancelButton), SkinFixture::kNormal);
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kCloseButton), SkinFixture::kNormal);
    EXPECT_EQ(dialog.BackBuffer().pixel(5, 60), kDialogBackground);

    dialog.HandleMouseMove(Inside(CSkinDialog::kOkButton));
    dialog.HandleHover(Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kOkButton), SkinFixture::kOver);
    // Straight from OK onto Cancel: Cancel lights up, OK goes back at once.
    dialog.HandleMouseMove(Inside(CSkinDialog::kCancelButton));
    dialog.HandleHover(Inside(CSkinDialog::kCancelButton));
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kCancelButton), SkinFixture::kOver);
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kOkButton), SkinFixture::kNormal);
    dialog.HandleMouseMove(Inside(CSkinDialog::kCloseButton));
    dialog.HandleHover(Inside(CSkinDialog::kCloseButton));
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kCloseButton), SkinFixture::kOver);
    dialog.HandleMouseMove(QPoint(10, 60));
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kCloseButton), SkinFixture::kNormal);
    EXPECT_EQ(Pixel(dialog, CSkinDialog::kCancelButton), SkinFixture::kNormal);

    // A click elsewhere does nothing; Enter is OK here.
    Click(dialog, QPoint(10, 60));
    EXPECT_TRUE(dialog.isVisible());
    test::TapKey(dialog, test::kKeyEnter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    CMediaDialog media(skinContext, prompter);
    Open(media);
    test::TapKey(media, test::kKeyEscape);
    EXPECT_EQ(media.result(), QDialog::Rejected);
    CWindowsDialog windows(skinContext, prompter);
    Open(windows);
    Click(windows, Inside(CSkinDialog::kCloseButton));
    EXPECT_EQ(windows.result(), QDialog::Rejected);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ParameterDialogsTest, EveryDialogNamesItsMissingBackgroundAndMissingPicturesAreReportedOnce) {
    test::TempDir dir("dialogs");
    skinContext.strSkinDir = (dir.path / "no-such-skin").string();
    QtKeyboardHook hook;
    CSingleDialog single(skinContext, hook, prompter);
    CComboDialog combo(skinContext, hook, prompter);
    CFireKeyDialog fire(skinContext, prompter);
    CDelayTimeDialog delay(skinContext, prompter);
    CMediaDialog media(skinContext, prompter);
    CWindowsDialog windows(skinContext, prompter);
    CMacroDialog macro(skinContext, dir / "record.ini", prompter);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&single, &combo, &fire, &delay, &media, &windows, &macro}) {
        dialog->show();
        dialog->hide();
    }
    std::vector<std::string> titles;
    for (const auto& shown : prompter.shown)
        if (shown.text == "error")
            titles.push_back(shown.caption);
    EXPECT_EQ(titles,
              (std::vector<std::string>{
                  "Single Key Dialog Load background image failed!!!",
                  "Combo Dialog Load background image failed!!!",
                  "FireKey Dialog Load background image failed!!!",
                  "DelayTime Dialog Load background image failed!!!",
                  "Media Dialog Load background image failed!!!",
                  "Windows Dialog Load background image failed!!!",
                  "Macro Key Dialog Load background image failed!!!",
              }));

    // Another picture missing: one message for it, however often it is drawn again.
    skinContext.strSkinDir = skin.path().toStdString();
    skin.remove("/button-over.png");
    prompter.shown.clear();
    CDelayTimeDialog dialog(skinContext, prompter);
    Open(dialog);
    EXPECT_TRUE(prompter.shown.empty());
    for (int i = 0; i < 3; ++i) {
        dialog.HandleMouseMove(Inside(CSkinDialog::kOkButton));
        dialog.HandleHover(Inside(CSkinDialog::kOkButton));
        dialog.HandleMouseMove(QPoint(10, 60));
    }
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "LoadPng---Load image failed.");
    EXPECT_EQ(prompter.shown[0].caption, "VEXO T58");
}

TEST_F(ParameterDialogsTest, FireKeyWithoutChangesGivesRowZeroSpeed32Times1) {
    CFireKeyDialog dialog(skinContext, prompter);
    Open(dialog);
    EXPECT_EQ(Control<QLabel>(dialog, CFireKeyDialog::kKeyStaticId)->text(), "A");
    EXPECT_EQ(Control<QLineEdit>(dialog, CFireKeyDialog::kSpeedEditId)->text(), "32");
    EXPECT_EQ(Control<QLineEdit>(dialog, CFireKeyDialog::kTimesEditId)->text(), "1");
    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nKeyIndex, 0);
    EXPECT_EQ(dialog.m_strKeyText, "A");
    EXPECT_EQ(dialog.m_nSpeed, 32);
    EXPECT_EQ(dialog.m_nTimes, 1);
}

TEST_F(ParameterDialogsTest, FireKeySpeedIsCheckedWhenLeftTimesOnEveryChange) {
    CFireKeyDialog dialog(skinContext, prompter);
    Open(dialog);
    auto* speed = Control<QLineEdit>(dialog, CFireKeyDialog::kSpeedEditId);
    auto* times = Control<QLineEdit>(dialog, CFireKeyDialog::kTimesEditId);
    Click(*speed, QPoint(5, 5));
    speed->selectAll();
    QTest::keyClicks(speed, "3");
    EXPECT_EQ(speed->text(), "3"); // typing alone changes nothing
    Click(*times, QPoint(5, 5));
    EXPECT_EQ(speed->text(), "5");
    EXPECT_EQ(dialog.m_nSpeed, 5);

    times->selectAll();
    QTest::keyClicks(times, "30");
    EXPECT_EQ(dialog.m_nTimes, 30);
    QTest::keyClicks(times, "0");
    EXPECT_EQ(times->text(), "1");
    EXPECT_EQ(dialog.m_nTimes, 1);
    times->selectAll();
    QTest::keyClicks(times, "0x"); // digits only
    EXPECT_EQ(times->text(), "0");
    EXPECT_EQ(dialog.m_nTimes, 0);

    // A value still in the speed field when the dialog ends is checked too; Enter means OK here.
    Click(*speed, QPoint(5, 5));
    speed->selectAll();
    QTest::keyClicks(speed, "99999999999999");
    test::TapKey(dialog, test::kKeyEnter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nSpeed, 5);
    EXPECT_EQ(dialog.m_nTimes, 0);
}

TEST_F(ParameterDialogsTest, FireKeyListHoldsSixtyOneRowsScrollsThreeANotchAndPicks) {
    CFireKeyDialog dialog(skinContext, prompter);
    Open(dialog);
    auto* speed = Control<QLineEdit>(dialog, CFireKeyDialog::kSpeedEditId);
    Click(*speed, QPoint(5, 5));
    speed->selectAll();
    QTest::keyClicks(speed, "300");
    // Opening the list takes the focus from the speed field, which checks it.
    Click(dialog, Inside(CFireKeyDialog::kKeyBox));
    ASSERT_TRUE(dialog.KeyList().isOpen());
    EXPECT_EQ(speed->text(), "5");
    EXPECT_FALSE(speed->isEnabled());
    auto* list = Control<QListWidget>(dialog, CFireKeyDialog::kKeyListId);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 61);
    EXPECT_EQ(list->item(36)->text(), "L-CTRL");
    EXPECT_EQ(list->item(60)->text(), "R-Tilt Wheel");
    EXPECT_EQ(list->geometry(), CFireKeyDialog::kKeyList.rect());

    Wheel(*list, -120);
    EXPECT_EQ(list->verticalScrollBar()->value(), 3);
    Wheel(*list, -240);
    EXPECT_EQ(list->verticalScrollBar()->value(), 9);
    Wheel(*list, 120);
    EXPECT_EQ(list->verticalScrollBar()->value(), 6);

    ClickRow(*list, 40);
    EXPECT_FALSE(dialog.KeyList().isOpen());
    EXPECT_TRUE(speed->isEnabled());
    EXPECT_EQ(Control<QLabel>(dialog, CFireKeyDialog::kKeyStaticId)->text(), "R-SHIFT");
    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.m_nKeyIndex, 40);
    EXPECT_EQ(dialog.m_strKeyText, "R-SHIFT");
    EXPECT_EQ(dialog.m_nSpeed, 5);
}

TEST_F(ParameterDialogsTest, DelayIsTakenAsTypedWithoutARangeCheck) {
    {
        CDelayTimeDialog dialog(skinContext, prompter);
        Open(dialog);
        auto* edit = Control<QLineEdit>(dialog, CDelayTimeDialog::kDelayEditId);
        EXPECT_TRUE(edit->hasFocus());
        Click(dialog, Inside(CSkinDialog::kOkButton));
        EXPECT_EQ(dialog.m_nDelay, 0);
        EXPECT_EQ(dialog.m_strDelayText, "");
    }
    {
        CDelayTimeDialog dialog(skinContext, prompter);
        Open(dialog);
        auto* edit = Control<QLineEdit>(dialog, CDelayTimeDialog::kDelayEditId);
        QTest::keyClicks(edit, "10a001");
        EXPECT_EQ(edit->text(), "10001");
        Click(dialog, Inside(CSkinDialog::kOkButton));
        EXPECT_EQ(dialog.m_nDelay, 10001);
        EXPECT_EQ(dialog.m_strDelayText, "10001");
    }
    {
        // The macro editor opens it on a line's current delay.
        CDelayTimeDialog dialog(skinContext, prompter, nullptr, 50);
        Open(dialog);
        auto* edit = Control<QLineEdit>(dialog, CDelayTimeDialog::kDelayEditId);
        EXPECT_EQ(edit->text(), "50");
        QTest::keyClicks(edit, "99999999999"); // replaces the selected text
        EXPECT_EQ(dialog.m_nDelay, std::numeric_limits<int>::max());
        Click(dialog, Inside(CSkinDialog::kCancelButton));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    CDelayTimeDialog dialog(skinContext, prompter, nullptr, 50);
    Open(dialog);
    test::TapKey(dialog, test::kKeyEnter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nDelay, 50);
    EXPECT_EQ(dialog.m_strDelayText, "50");
}

TEST_F(ParameterDialogsTest, MediaAndWindowsPickersListTheLanguagesTextsAndPickARow) {
    {
        CMediaDialog dialog(skinContext, prompter);
        Open(dialog);
        // OK without opening the list gives row 0, and the field already says which.
        EXPECT_EQ(Control<QLabel>(dialog, 552)->text(), "Next");
        Click(dialog, Inside(CSkinDialog::kOkButton));
        EXPECT_EQ(dialog.m_nIndex, 0);
        EXPECT_EQ(dialog.m_strChoice, "Next");
    }
    {
        CWindowsDialog dialog(skinContext, prompter);
        Open(dialog);
        Click(dialog, Inside(CWindowsDialog::kLayout.box));
        auto* list = Control<QListWidget>(dialog, 533);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 11);
        EXPECT_EQ(list->geometry(), CWindowsDialog::kLayout.list.rect());
        ClickRow(*list, 6);
        EXPECT_FALSE(dialog.List().isOpen());
        EXPECT_EQ(Control<QLabel>(dialog, 532)->text(), "Browser-Back");
        Click(dialog, Inside(CSkinDialog::kOkButton));
        EXPECT_EQ(dialog.m_nIndex, 6);
        EXPECT_EQ(dialog.m_strChoice, "Browser-Back");
    }
    skinContext.strLanguage = "CHT";
    CWindowsDialog dialog(skinContext, prompter);
    Open(dialog);
    Click(dialog, Inside(CWindowsDialog::kLayout.box));
    auto* list = Control<QListWidget>(dialog, 533);
    EXPECT_EQ(list->item(10)->text(), "瀏覽器-我的最愛");
    // A second click in the box closes the list again.
    Click(dialog, Inside(CWindowsDialog::kLayout.box));
    EXPECT_FALSE(dialog.List().isOpen());
    CMediaDialog media(skinContext, prompter);
    Open(media);
    EXPECT_EQ(Control<QLabel>(media, 552)->text(), "下一首");
}

TEST_F(ParameterDialogsTest, MacroPickerWithoutAStoreGivesSlotZeroAndChoiceOne) {
    test::TempDir dir("macro-dialog");
    CMacroDialog dialog(skinContext, dir / "record.ini", prompter);
    Open(dialog);
    EXPECT_EQ(dialog.m_nMacroCount, 0);
    EXPECT_EQ(dialog.m_nRepeatChoice, 1);
    EXPECT_EQ(Pixel(dialog, CMacroDialog::kOptionBoxes[0]), kTick);
    EXPECT_EQ(Pixel(dialog, CMacroDialog::kOptionBoxes[1]), kPane);
    Click(dialog, Inside(CMacroDialog::kLayout.box));
    EXPECT_EQ(Control<QListWidget>(dialog, 593)->count(), 0);
    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nIndex, 0);
    EXPECT_EQ(dialog.m_strChoice, "");
    EXPECT_EQ(dialog.m_nRepeatChoice, 1);
}

TEST_F(ParameterDialogsTest, MacroPickerListsTheStoresFirstTenNamesInFileOrderAndTheRepeatOptions) {
    test::TempDir dir("macro-dialog");
    std::string ini;
    for (int i = 0; i < 12; ++i)
        ini += "[Macro " + std::to_string(i) + (i == 2 ? " 三" : "") + "]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n";
    test::TempDir::put(dir / "record.ini", ini);
    CMacroDialog dialog(skinContext, dir / "record.ini", prompter);
    Open(dialog);
    EXPECT_EQ(dialog.m_nMacroCount, 10);
    EXPECT_EQ(Control<QLabel>(dialog, 592)->text(), "Macro 0");
    Click(dialog, Inside(CMacroDialog::kLayout.box));
    auto* list = Control<QListWidget>(dialog, 593);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 10);
    EXPECT_EQ(list->item(9)->text(), "Macro 9");
    Wheel(*list, -120);
    EXPECT_EQ(list->verticalScrollBar()->value(), std::min(3, list->verticalScrollBar()->maximum()));
    Wheel(*list, 120);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
    ClickRow(*list, 2);
    EXPECT_EQ(Control<QLabel>(dialog, 592)->text(), "Macro 2 三");

    Click(dialog, Inside(CMacroDialog::kOptionBoxes[0]));
    Click(dialog, Inside(CMacroDialog::kOptionBoxes[2]));
    EXPECT_EQ(dialog.m_nRepeatChoice, 3);
    EXPECT_EQ(Pixel(dialog, CMacroDialog::kOptionBoxes[0]), kPane);
    EXPECT_EQ(Pixel(dialog, CMacroDialog::kOptionBoxes[1]), kPane);
    EXPECT_EQ(Pixel(dialog, CMacroDialog::kOptionBoxes[2]), kTick);
    Click(dialog, Inside(CSkinDialog::kOkButton));
    EXPECT_EQ(dialog.m_nIndex, 2);
    EXPECT_EQ(dialog.m_strChoice, "Macro 2 三");
    EXPECT_EQ(dialog.m_nRepeatChoice, 3);
}

// While the macro list is open the row under the pointer is selected as the pointer moves, through
// the window system as a real pointer moves; only a click chooses.
TEST_F(ParameterDialogsTest, MacroPickerListFollowsThePointerWhileOpen) {
    test::TempDir dir("macro-dialog");
    std::string ini;
    for (int i = 0; i < 6; ++i)
        ini += "[Macro " + std::to_string(i) + "]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n";
    test::TempDir::put(dir / "record.ini", ini);
    CMacroDialog dialog(skinContext, dir / "record.ini", prompter);
    Open(dialog);
    QTest::mouseMove(&dialog, Inside(CMacroDialog::kLayout.box));
    Click(dialog, Inside(CMacroDialog::kLayout.box));
    auto* list = Control<QListWidget>(dialog, 593);
    ASSERT_NE(list, nullptr);
    for (const int row : {3, 1, 4}) {
        const QPoint at =
            list->mapTo(&dialog, list->viewport()->mapTo(list, list->visualItemRect(list->item(row)).center()));
        QTest::mouseMove(&dialog, at);
        QTest::qWait(20);
        EXPECT_EQ(list->currentRow(), row);
        EXPECT_TRUE(list->item(row)->isSelected()) << row;
    }
    EXPECT_TRUE(dialog.List().isOpen()) << "following the pointer is no choice";
    EXPECT_EQ(Control<QLabel>(dialog, 592)->text(), "Macro 0");
}

} // namespace
} // namespace vexo
