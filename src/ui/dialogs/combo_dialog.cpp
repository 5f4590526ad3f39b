// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/combo_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "ui/skin/drop_down_list.h"
#include "ui/skin/elided_texts.h"
#include "ui/skin/static_controls.h"

namespace vexo {

namespace {
// QLineEdit keeps this many pixels free on either side of its text, inside its contents.
constexpr int kLineEditInnerMargin = 2;
const QStringList kModifierNames{"Left Ctrl",  "Left Shift",  "Left Alt",  "Left Win",
                                 "Right Ctrl", "Right Shift", "Right Alt", "Right Win"};
} // namespace

CComboDialog::CComboDialog(SkinContext& skin, KeyboardHook& hook, Prompter& prompter, QWidget* parent)
    : CKeyCaptureDialog(skin, "/combo-key.png", "Combo Dialog Load background image failed!!!",
                        "KeyboardHook_ComboDlg Install error code :0\n", hook, prompter, parent) {}

CComboDialog::~CComboDialog() = default;

void CComboDialog::CreateControls() {
    m_pModifierStatic = CreateStatic(kModifierStaticId, kModifierStatic, Qt::AlignLeft | Qt::AlignVCenter);
    // Read-only: the captured name replaces the text; typing must not add characters to it.
    m_pKey1Edit = CreateEdit(kKey1EditId, kKey1Edit, false);
    m_pKey2Edit = CreateEdit(kKey2EditId, kKey2Edit, false);
    for (QLineEdit* edit : {m_pKey1Edit, m_pKey2Edit}) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
    }
    m_pModifierList = CreateDropDown(
        kModifierListId, kModifierBox, kModifierList, [] { return kModifierNames; },
        [this](int row) { ModifierChosen(row); }, {m_pKey1Edit, m_pKey2Edit});
    m_pModifierList->setCurrent([this] { return int(kModifierNames.indexOf(m_strModifier)); });
}

void CComboDialog::HandleDialogClick(QPoint p) { ClickDropDowns(p); }

void CComboDialog::ModifierChosen(int row) {
    if (row >= 0 && row < kModifierNames.size()) {
        m_strModifier = kModifierNames[row];
        SetStaticText(m_pModifierStatic, m_strModifier);
    }
}

void CComboDialog::OnCapturedKey(const QString& name) {
    const QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus == m_pKey1Edit) {
        m_strKey1 = name;
        ShowKeyName(m_pKey1Edit, name);
    } else if (focus != nullptr && focus == m_pKey2Edit) {
        m_strKey2 = name;
        ShowKeyName(m_pKey2Edit, name);
    }
}

void CComboDialog::ShowKeyName(QLineEdit* edit, const QString& name) {
    // A line edit scrolls a long text to its end and hides the start; a name too wide for the box
    // is cut at the right instead, and the tooltip shows it whole. The name itself is kept apart.
    const int room = edit->contentsRect().width() - 2 * kLineEditInnerMargin;
    const QString shown = ElidedTexts::fit(name, edit->font(), room, edit);
    edit->setText(shown);
    edit->setCursorPosition(0);
    edit->setToolTip(shown == name ? QString() : name);
}

} // namespace vexo
