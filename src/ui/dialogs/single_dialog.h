// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>

#include "ui/dialogs/key_capture_dialog.h"

class QLabel;

namespace vexo {

class SkinContext;

// Asks for one key: every key touched while the dialog is open replaces the name shown, so after
// OK m_strKeyName holds the last key pressed or released ("A" after Shift held with A).
class CSingleDialog final : public CKeyCaptureDialog {
    Q_OBJECT
public:
    static constexpr int kKeyStaticId = 502;
    static constexpr Region kKeyStatic{74, 129, 150, 143};
    static constexpr Region kPrompt{45, 108, 181, 124};

    CSingleDialog(SkinContext& skin, KeyboardHook& hook, Prompter& prompter, QWidget* parent = nullptr);

    // The captured name (KeyNameOf), empty until a key is touched.
    QString m_strKeyName;

protected:
    void CreateControls() override;
    void DrawContent(QPainter& canvas) override;
    void OnCapturedKey(const QString& name) override;

private:
    QLabel* m_pKeyStatic = nullptr;
};

} // namespace vexo
