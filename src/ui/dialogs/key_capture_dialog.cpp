// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/key_capture_dialog.h"

#include <QKeyEvent>

#include "config/application_title.h"
#include "platform/prompter.h"

namespace vexo {

namespace {
// Evdev codes of the two Windows (Super) keys.
constexpr std::uint32_t kEvdevLeftMeta = 125;
constexpr std::uint32_t kEvdevRightMeta = 126;
} // namespace

CKeyCaptureDialog::CKeyCaptureDialog(SkinContext& skin, QString background, std::string failureTitle,
                                     std::string installFailureText, KeyboardHook& hook, Prompter& prompter,
                                     QWidget* parent)
    : CSkinDialog(skin, std::move(background), std::move(failureTitle), prompter, parent), m_hook(hook),
      m_strInstallFailure(std::move(installFailureText)) {}

CKeyCaptureDialog::~CKeyCaptureDialog() { RemoveHook(); }

void CKeyCaptureDialog::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_hook.install([this](const KeyboardHook::Key& key) { return OnHookKey(key); });
    m_bHookInstalled = m_hook.installed();
    if (!m_bHookInstalled)
        m_prompter.message(m_strInstallFailure, std::string(kApplicationTitle));
}

bool CKeyCaptureDialog::OnHookKey(const KeyboardHook::Key& key) {
    OnCapturedKey(QString::fromStdString(key.name));
    // The Windows keys are taken here and go no further.
    return key.evdevCode == kEvdevLeftMeta || key.evdevCode == kEvdevRightMeta;
}

void CKeyCaptureDialog::RemoveHook() {
    if (m_bHookInstalled) {
        m_hook.remove();
        m_bHookInstalled = false;
    }
}

void CKeyCaptureDialog::done(int result) {
    // A closed dialog captures nothing more: keys go back to the program's windows.
    RemoveHook();
    CSkinDialog::done(result);
}

void CKeyCaptureDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: CSkinDialog::keyPressEvent(event);
    }
}

bool CKeyCaptureDialog::focusNextPrevChild(bool) { return false; }

} // namespace vexo
