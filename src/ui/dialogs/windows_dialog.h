// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "ui/dialogs/picker_dialog.h"

namespace vexo {

class SkinContext;

// Picks a Windows function (application launch and browser control keys): the eleven texts of the
// interface language, in list order.
class CWindowsDialog final : public CPickerDialog {
    Q_OBJECT
public:
    static constexpr Layout kLayout{532, {43, 129, 135, 143}, {43, 129, 151, 143}, 533, {43, 145, 151, 305}, false};

    explicit CWindowsDialog(SkinContext& skin, Prompter& prompter, QWidget* parent = nullptr);

protected:
    QStringList LoadRows() override;
};

} // namespace vexo
