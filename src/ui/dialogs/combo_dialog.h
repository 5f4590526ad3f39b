// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>

#include "ui/dialogs/key_capture_dialog.h"

class QLabel;
class QLineEdit;

namespace vexo {

class SkinContext;

class DropDownList;

// Asks for a key combination: an optional modifier from a drop-down list of eight names and up to
// two keys. A key is captured into the key field that has the keyboard focus (the user clicks into
// it); with the focus in neither field keys change nothing. The modifier cannot be cleared again
// other than by cancelling.
class CComboDialog final : public CKeyCaptureDialog {
    Q_OBJECT
public:
    static constexpr int kModifierStaticId = 512;
    static constexpr int kModifierListId = 515;
    static constexpr int kKey1EditId = 516;
    static constexpr int kKey2EditId = 517;
    static constexpr Region kModifierStatic{50, 70, 116, 84};
    static constexpr Region kModifierBox{50, 70, 132, 84};
    static constexpr Region kModifierList{50, 86, 132, 226};
    static constexpr Region kKey1Edit{50, 120, 131, 134};
    static constexpr Region kKey2Edit{50, 170, 131, 184};

    CComboDialog(SkinContext& skin, KeyboardHook& hook, Prompter& prompter, QWidget* parent = nullptr);
    ~CComboDialog() override;

    // Names, each empty until chosen.
    QString m_strModifier;
    QString m_strKey1;
    QString m_strKey2;

    // The modifier drop-down (open or closed).
    const DropDownList& ModifierList() const { return *m_pModifierList; }

protected:
    void CreateControls() override;
    void HandleDialogClick(QPoint p) override;
    void OnCapturedKey(const QString& name) override;
    // Shows a captured key's name in its field: whole when it fits, else cut with a tooltip.
    void ShowKeyName(QLineEdit* edit, const QString& name);

private:
    void ModifierChosen(int row);

    DropDownList* m_pModifierList = nullptr;
    QLabel* m_pModifierStatic = nullptr;
    QLineEdit* m_pKey1Edit = nullptr;
    QLineEdit* m_pKey2Edit = nullptr;
};

} // namespace vexo
