// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Every text the key-assignment dialogs show, in the three languages and both delivered skins:
// each fits where it is drawn, or is cut at the right with an ellipsis and shown whole in a tooltip.
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolTip>
#include <functional>
#include <memory>

#include "config/temp_dir.h"
#include "keys/key_name_of.h"
#include "palette.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "skin_set.h"
#include "support/native_keys.h"
#include "ui/dialog_fixture.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/single_dialog.h"
#include "ui/dialogs/windows_dialog.h"
#include "ui/skin/drop_down_list.h"

namespace vexo {
namespace {

// The dark panel the delivered skins draw under the fire-key dialog's explanation.
const QRect kFireKeyPanel(9, 188, 382, 54);

class DialogTextFitTest : public test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        for (const skingen::Palette& palette : skingen::Palette::all()) {
            QString error;
            ASSERT_TRUE(skingen::writeSkin(palette, skins.path() + "/" + palette.name, &error)) << error.toStdString();
            skinNames << palette.name;
        }
        ASSERT_GE(skinNames.size(), 2);
        // Two stored macros, one with a name longer than the field.
        test::TempDir::put(dir / "record.ini",
                           "[Macro 1]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n"
                           "[Fire three shots then reload the rifle]\r\nMacroLoopTimes=1\r\n"
                           "ItemCount=0\r\n");
    }

    // Runs check for every skin and language, with where saying which.
    void everySkinAndLanguage(const std::function<void()>& check) {
        for (const QString& name : skinNames)
            for (const char* language : {"CHS", "CHT", "EN"}) {
                skinContext.strSkinDir = (skins.path() + "/" + name).toStdString();
                skinContext.strSkinName = name.toStdString();
                skinContext.strLanguage = language;
                where = name + " " + language;
                check();
            }
    }

    // The tooltip the dialog shows when the pointer rests at p.
    static QString TipAt(QWidget& dialog, QPoint p) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, p, dialog.mapToGlobal(p));
        QCoreApplication::sendEvent(&dialog, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // A field showing whole: the text fits its box; or cut: what shows fits, ends with the
    // ellipsis, begins like whole, and the tooltip over the field gives whole.
    void expectFieldShows(CSkinDialog& dialog, const QLabel& field, const QString& whole) {
        const QFontMetrics metrics(field.font());
        const int room = field.contentsRect().width();
        if (metrics.horizontalAdvance(whole) <= room) {
            EXPECT_EQ(field.text(), whole) << where.toStdString();
            return;
        }
        const QString shown = field.text();
        EXPECT_LE(metrics.horizontalAdvance(shown), room) << where.toStdString() << ": " << whole.toStdString();
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << where.toStdString() << ": " << shown.toStdString();
        EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << where.toStdString() << ": " << shown.toStdString();
        EXPECT_EQ(TipAt(dialog, field.geometry().center()), whole) << where.toStdString();
    }

    // Every row of an open list: it fits the list's width, or carries its whole text as tooltip
    // (the list itself cuts it with an ellipsis).
    void expectRowsFit(const QListWidget& list) {
        const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
        const QFontMetrics metrics(list.font());
        EXPECT_EQ(list.textElideMode(), Qt::ElideRight);
        for (int row = 0; row < list.count(); ++row) {
            const QListWidgetItem* item = list.item(row);
            const int room = list.viewport()->width() - 2 * margin;
            if (metrics.horizontalAdvance(item->text()) > room) {
                ++cutRows;
                EXPECT_EQ(item->toolTip(), item->text()) << where.toStdString() << " row " << row;
            }
        }
    }

    // The drawn prompts: one line fits its box or is shown whole by the tooltip there; a wrapped
    // text's lines fit its box.
    void expectPromptsFit(CSkinDialog& dialog) {
        const QFontMetrics metrics(dialog.TextFont());
        ASSERT_FALSE(dialog.Prompts().empty());
        for (const CSkinDialog::Prompt& prompt : dialog.Prompts()) {
            if ((prompt.flags & Qt::TextWordWrap) != 0) {
                const QRect needed = metrics.boundingRect(prompt.box, prompt.flags, prompt.text);
                EXPECT_TRUE(prompt.box.contains(needed))
                    << where.toStdString() << ": " << prompt.text.toStdString() << " needs " << needed.height()
                    << " of " << prompt.box.height();
            } else if (metrics.horizontalAdvance(prompt.text) > prompt.box.width()) {
                EXPECT_EQ(TipAt(dialog, prompt.box.center()), prompt.text) << where.toStdString();
            }
        }
    }

    // Opens the list of box, checks its rows, then picks every row and checks the field.
    void walkPicker(CSkinDialog& dialog, const Region& box, int listId, const QLabel& field) {
        Click(dialog, Inside(box));
        QListWidget* list = Control<QListWidget>(dialog, listId);
        ASSERT_NE(list, nullptr) << where.toStdString();
        QCoreApplication::processEvents();
        expectRowsFit(*list);
        QStringList rows;
        for (int row = 0; row < list->count(); ++row)
            rows << list->item(row)->text();
        Click(dialog, Inside(box));
        for (int row = 0; row < rows.size(); ++row) {
            Click(dialog, Inside(box));
            list = Control<QListWidget>(dialog, listId);
            ASSERT_NE(list, nullptr);
            ClickRow(*list, row);
            expectFieldShows(dialog, field, rows[row]);
        }
    }

    QTemporaryDir skins;
    QStringList skinNames;
    QString where;
    test::TempDir dir{"text-fit"};
    QtKeyboardHook hook;
    int cutRows = 0;
};

TEST_F(DialogTextFitTest, PickerFieldsListsAndPromptsFitOrAreCutWithTheWholeTextInATooltip) {
    everySkinAndLanguage([&] {
        CWindowsDialog windows(skinContext, prompter);
        Open(windows);
        walkPicker(windows, CWindowsDialog::kLayout.box, CWindowsDialog::kLayout.listId,
                   *Control<QLabel>(windows, CWindowsDialog::kLayout.staticId));
        windows.reject();

        CMediaDialog media(skinContext, prompter);
        Open(media);
        walkPicker(media, CMediaDialog::kLayout.box, CMediaDialog::kLayout.listId,
                   *Control<QLabel>(media, CMediaDialog::kLayout.staticId));
        media.reject();

        CMacroDialog macro(skinContext, dir / "record.ini", prompter);
        Open(macro);
        expectPromptsFit(macro);
        walkPicker(macro, CMacroDialog::kLayout.box, CMacroDialog::kLayout.listId,
                   *Control<QLabel>(macro, CMacroDialog::kLayout.staticId));
        macro.reject();

        CFireKeyDialog fire(skinContext, prompter);
        Open(fire);
        expectPromptsFit(fire);
        // The explanation lies on the skins' panel.
        for (const CSkinDialog::Prompt& prompt : fire.Prompts())
            if ((prompt.flags & Qt::TextWordWrap) != 0) {
                const QRect needed = QFontMetrics(fire.TextFont()).boundingRect(prompt.box, prompt.flags, prompt.text);
                EXPECT_TRUE(kFireKeyPanel.contains(needed)) << where.toStdString() << ": " << prompt.text.toStdString();
            }
        walkPicker(fire, CFireKeyDialog::kKeyBox, CFireKeyDialog::kKeyListId,
                   *Control<QLabel>(fire, CFireKeyDialog::kKeyStaticId));
        fire.reject();

        CComboDialog combo(skinContext, hook, prompter);
        Open(combo);
        walkPicker(combo, CComboDialog::kModifierBox, CComboDialog::kModifierListId,
                   *Control<QLabel>(combo, CComboDialog::kModifierStaticId));
        combo.reject();

        CDelayTimeDialog delay(skinContext, prompter);
        Open(delay);
        expectPromptsFit(delay);
        delay.reject();
    });
    // The walk met texts too wide for their rows ("Browser-My Favorites" among them).
    EXPECT_GT(cutRows, 0);
}

TEST_F(DialogTextFitTest, EveryKeyNameFitsTheSingleKeyFieldOrIsCutWithATooltip) {
    everySkinAndLanguage([&] {
        CSingleDialog single(skinContext, hook, prompter);
        Open(single);
        expectPromptsFit(single);
        const QLabel* field = Control<QLabel>(single, CSingleDialog::kKeyStaticId);
        ASSERT_NE(field, nullptr);
        int names = 0;
        for (quint32 code = 1; code < 256; ++code) {
            const std::string name = KeyNameOf(code);
            if (name.empty())
                continue;
            ++names;
            test::SendKey(single, QEvent::KeyPress, test::NativeKey{Qt::Key_unknown, code, ""});
            test::SendKey(single, QEvent::KeyRelease, test::NativeKey{Qt::Key_unknown, code, ""});
            ASSERT_EQ(single.m_strKeyName, QString::fromStdString(name)) << code;
            expectFieldShows(single, *field, single.m_strKeyName);
        }
        EXPECT_GT(names, 50);
        single.reject();
    });
}

TEST_F(DialogTextFitTest, EveryKeyNameFitsTheComboKeyFieldsOrIsCutWithATooltip) {
    int cut = 0;
    everySkinAndLanguage([&] {
        CComboDialog combo(skinContext, hook, prompter);
        Open(combo);
        for (const int id : {CComboDialog::kKey1EditId, CComboDialog::kKey2EditId}) {
            auto* field = Control<QLineEdit>(combo, id);
            ASSERT_NE(field, nullptr);
            Click(*field, QPoint(5, 5));
            ASSERT_TRUE(field->hasFocus());
            // What the field leaves for its text: its contents less QLineEdit's own side margins.
            const int room = field->contentsRect().width() - 4;
            const QFontMetrics metrics(field->font());
            for (quint32 code = 1; code < 256; ++code) {
                const std::string name = KeyNameOf(code);
                if (name.empty())
                    continue;
                test::SendKey(combo, QEvent::KeyPress, test::NativeKey{Qt::Key_unknown, code, ""});
                test::SendKey(combo, QEvent::KeyRelease, test::NativeKey{Qt::Key_unknown, code, ""});
                const QString whole = QString::fromStdString(name);
                const QString captured = id == CComboDialog::kKey1EditId ? combo.m_strKey1 : combo.m_strKey2;
                ASSERT_EQ(captured, whole) << code;
                const QString shown = field->text();
                if (shown == whole) {
                    EXPECT_LE(metrics.horizontalAdvance(whole), room) << where.toStdString() << ": " << name;
                    EXPECT_TRUE(field->toolTip().isEmpty()) << where.toStdString() << ": " << name;
                    continue;
                }
                ++cut;
                EXPECT_LE(metrics.horizontalAdvance(shown), room) << where.toStdString() << ": " << name;
                EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << where.toStdString() << ": " << shown.toStdString();
                EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << where.toStdString() << ": " << shown.toStdString();
                EXPECT_EQ(field->toolTip(), whole) << where.toStdString();
                EXPECT_EQ(field->cursorPosition(), 0) << where.toStdString() << ": the start of the name shows";
            }
        }
        combo.reject();
    });
    // Some names are too wide for the fields ("Katakana/Hiragana" among them).
    EXPECT_GT(cut, 0);
}

} // namespace
} // namespace vexo
