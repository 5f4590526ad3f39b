// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/single_dialog.h"

#include <QLabel>
#include <QPainter>

#include "ui/skin/static_controls.h"

namespace vexo {

CSingleDialog::CSingleDialog(SkinContext& skin, KeyboardHook& hook, Prompter& prompter, QWidget* parent)
    : CKeyCaptureDialog(skin, "/single-key.png", "Single Key Dialog Load background image failed!!!",
                        "KeyboardHook_SingleDlgKey Install error code :0\n", hook, prompter, parent) {}

void CSingleDialog::CreateControls() { m_pKeyStatic = CreateStatic(kKeyStaticId, kKeyStatic, Qt::AlignCenter); }

void CSingleDialog::DrawContent(QPainter& canvas) {
    DrawPrompt(canvas, kPrompt.rect(), Localized("请输入一个按键", "請輸入一個按鍵", "Please enter a key"),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
}

void CSingleDialog::OnCapturedKey(const QString& name) {
    m_strKeyName = name;
    if (m_pKeyStatic != nullptr)
        SetStaticText(m_pKeyStatic, name);
}

} // namespace vexo
