// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>

#include "platform/keyboard_hook.h"
#include "ui/dialogs/skin_dialog.h"

namespace vexo {

class SkinContext;

// A dialog that captures keys (single key, combo key): while it is open, the keyboard hook names
// every key press, auto-repeat and release of the program's windows, and the dialog shows the last
// one. Enter and Escape are keys like the others here, so they neither confirm nor cancel; Tab does
// not move the focus (it would carry the key into the next field); the Windows (Super) keys are
// named and then kept from every widget.
class CKeyCaptureDialog : public CSkinDialog {
    Q_OBJECT
public:
    // hook must outlive the dialog; the dialog installs its handler when it is initialised and
    // removes it when it ends or is destroyed. installFailureText: the message shown (with the
    // application's title) when the hook cannot be installed.
    CKeyCaptureDialog(SkinContext& skin, QString background, std::string failureTitle, std::string installFailureText,
                      KeyboardHook& hook, Prompter& prompter, QWidget* parent = nullptr);
    ~CKeyCaptureDialog() override;

    void done(int result) override;

protected:
    void OnInitDialog() override;
    // A key was named (press, auto-repeat or release).
    virtual void OnCapturedKey(const QString& name) = 0;

    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool OnHookKey(const KeyboardHook::Key& key);
    void RemoveHook();

    KeyboardHook& m_hook;
    std::string m_strInstallFailure;
    bool m_bHookInstalled = false;
};

} // namespace vexo
