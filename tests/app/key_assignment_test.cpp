// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Every dialog row from the basic page: open a button's list, pick the row, answer the real dialog
// as a user would, press Apply, and compare config.bin, the labels in str.ini and what the
// simulated mouse received with what was chosen.
#include "basic_page_rig.h"

#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "config/key_entry.h"
#include "support/native_keys.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/single_dialog.h"
#include "ui/dialogs/windows_dialog.h"

namespace vexo {
namespace {

class KeyAssignmentTest : public test::BasicPageRig {
protected:
    void SetUp() override {
        BasicPageRig::SetUp();
        const QString dir = folder.path() + "/Skins/Test";
        for (const char* name : {"/single-key.png", "/combo-key.png", "/fire-key.png", "/media-key.png",
                                 "/windows-key.png", "/macro-key.png"}) {
            QImage background(400, 292, QImage::Format_RGB32);
            background.fill(0xff203040);
            ASSERT_TRUE(background.save(dir + name));
        }
        writeFile("record.ini",
                  "[Burst]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n"
                  "[Reload]\r\nMacroLoopTimes=2\r\nItemCount=0\r\n");
    }

    // Answers the next dialog of type D once it is shown modally over the window; a dialog of
    // another type, or none within five seconds, fails the test.
    template <typename D>
    void answerNext(std::function<void(D&)> answer) {
        auto* timer = new QTimer(&window());
        auto* waited = new int(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr && ++*waited < 1000)
                return;
            timer->stop();
            timer->deleteLater();
            delete waited;
            auto* dialog = qobject_cast<D*>(modal);
            if (dialog == nullptr) {
                ADD_FAILURE() << "expected dialog not shown";
                if (auto* other = qobject_cast<QDialog*>(modal))
                    other->reject();
                return;
            }
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            answer(*dialog);
        });
        timer->start(5);
    }
    void pickFunction(int button, int row) {
        click(basic::FunctionBox(button)), pickEntry(list(basic::kFunctionListId + button), row);
    }
    static void press(QWidget& widget, const Region& region) {
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(region.left + 3, region.top + 3));
    }
    static void pickRow(QDialog& dialog, int listId, int row) {
        auto* rows = dialog.findChild<QListWidget*>(QString::number(listId));
        ASSERT_NE(rows, nullptr);
        rows->scrollToItem(rows->item(row));
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::NoModifier,
                          rows->visualItemRect(rows->item(row)).center());
    }
    static KeyEntryBytes entryAt(const KeyMatrix& matrix, std::size_t position) {
        return {matrix[4 * position], matrix[4 * position + 1], matrix[4 * position + 2], matrix[4 * position + 3]};
    }
};

TEST_F(KeyAssignmentTest, EveryDialogRowReachesConfigBinTheLabelsAndTheMouse) {
    start();
    ASSERT_EQ(shell->window().CurrentPage(), kBasicPage);

    answerNext<CWindowsDialog>([](CWindowsDialog& d) {
        press(d, CWindowsDialog::kLayout.box);
        pickRow(d, 533, 6);
        press(d, CSkinDialog::kOkButton);
    });
    pickFunction(2, function_code::Windows);
    answerNext<CMediaDialog>([](CMediaDialog& d) {
        press(d, CMediaDialog::kLayout.box);
        pickRow(d, 553, 5);
        press(d, CSkinDialog::kOkButton);
    });
    pickFunction(5, function_code::Multimedia);
    // A cancelled single key keeps button 1 as it was.
    answerNext<CSingleDialog>([](CSingleDialog& d) {
        test::TapKey(d, test::kKeyC);
        press(d, CSkinDialog::kCancelButton);
    });
    pickFunction(1, function_code::SingleKey);

    click(basic::kModeB);
    answerNext<CFireKeyDialog>([](CFireKeyDialog& d) {
        press(d, CFireKeyDialog::kKeyBox);
        pickRow(d, CFireKeyDialog::kKeyListId, 40);
        auto* speed = d.findChild<QLineEdit*>(QString::number(CFireKeyDialog::kSpeedEditId));
        auto* times = d.findChild<QLineEdit*>(QString::number(CFireKeyDialog::kTimesEditId));
        QTest::mouseClick(speed, Qt::LeftButton);
        speed->selectAll();
        QTest::keyClicks(speed, "10");
        QTest::mouseClick(times, Qt::LeftButton);
        times->selectAll();
        QTest::keyClicks(times, "0");
        // Enter is the dialog's OK; it does not reach the main window, which would hide.
        test::TapKey(d, test::kKeyEnter);
    });
    pickFunction(6, function_code::FireKey);
    EXPECT_TRUE(window().isVisible());
    answerNext<CSingleDialog>([](CSingleDialog& d) {
        test::TapKey(d, test::kKeyLeftSuper);
        press(d, CSkinDialog::kOkButton);
    });
    pickFunction(7, function_code::SingleKey);
    answerNext<CComboDialog>([](CComboDialog& d) {
        press(d, CComboDialog::kModifierBox);
        pickRow(d, CComboDialog::kModifierListId, 0);
        QTest::mouseClick(d.findChild<QLineEdit*>(QString::number(CComboDialog::kKey1EditId)), Qt::LeftButton);
        test::TapKey(d, test::kKeyC);
        press(d, CSkinDialog::kOkButton);
    });
    pickFunction(2, function_code::ComboKey);
    answerNext<CMacroDialog>([](CMacroDialog& d) {
        press(d, CMacroDialog::kLayout.box);
        pickRow(d, 593, 1);
        press(d, CMacroDialog::kOptionBoxes[2]);
        press(d, CSkinDialog::kOkButton);
    });
    pickFunction(5, function_code::MacroKey);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    mouse->clearExchanges();
    apply();
    const ConfigRecord saved = savedRecord();
    EXPECT_EQ(saved, record());
    EXPECT_EQ(saved.functionCode(KeyMode::A, 1), function_code::RightClick) << "cancelled: as before";
    const IniSettings labels = savedLabels();
    EXPECT_EQ(labels.m_strButtonLabelA[2], "Browser-Back");
    EXPECT_EQ(labels.m_strButtonLabelA[5], "Multimedia-Vol+");
    EXPECT_EQ(labels.m_strButtonLabelA[1], "Right Click");
    EXPECT_EQ(labels.m_strButtonLabelB[6], "Fire Key-R-SHIFT");
    EXPECT_EQ(labels.m_strButtonLabelB[7], "Single Key-Left Windows");
    EXPECT_EQ(labels.m_strButtonLabelB[2], "Combo Key-Left Ctrl+C");
    EXPECT_EQ(labels.m_strButtonLabelB[5], "Macro Key-Reload");

    // The key entries as the protocol describes them, in the matrices the mouse now holds:
    // matrix 1 for mode A, matrix 3 for mode B.
    const DeviceImage blocks = mouse->blocks();
    EXPECT_EQ(entryAt(blocks.keyMatrices[0], 2), (KeyEntryBytes{0x03, 0x00, 0x24, 0x02}));
    EXPECT_EQ(entryAt(blocks.keyMatrices[0], 5), (KeyEntryBytes{0x03, 0x00, 0xE9, 0x00}));
    EXPECT_EQ(entryAt(blocks.keyMatrices[0], 1), (KeyEntryBytes{0x01, 0x00, 0xF1, 0x00}));
    EXPECT_EQ(entryAt(blocks.keyMatrices[2], 6), (KeyEntryBytes{0x0A, 0xE5, 10, 0}));
    EXPECT_EQ(entryAt(blocks.keyMatrices[2], 7), (KeyEntryBytes{0x00, 0x00, 0xE3, 0x00}));
    EXPECT_EQ(entryAt(blocks.keyMatrices[2], 2), (KeyEntryBytes{0x00, 0x01, 0x06, 0x00}));
    EXPECT_EQ(entryAt(blocks.keyMatrices[2], 5), (KeyEntryBytes{0x09, 0x02, 0x02, 0x00}));
    const auto matrices = KeyMatrixImage(saved);
    for (std::size_t m = 0; m < kKeyMatrices; ++m)
        EXPECT_EQ(blocks.keyMatrices[m], matrices[m]) << "key matrix " << m;
    EXPECT_TRUE(prompter.shown.empty());
}

} // namespace
} // namespace vexo
