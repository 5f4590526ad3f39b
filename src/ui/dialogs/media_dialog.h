// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "ui/dialogs/picker_dialog.h"

namespace vexo {

class SkinContext;

// Picks a multimedia key: the seven multimedia texts of the interface language, in list order.
class CMediaDialog final : public CPickerDialog {
    Q_OBJECT
public:
    static constexpr Layout kLayout{552, {43, 129, 135, 143}, {43, 129, 151, 143}, 553, {43, 145, 151, 265}, false};

    explicit CMediaDialog(SkinContext& skin, Prompter& prompter, QWidget* parent = nullptr);

protected:
    QStringList LoadRows() override;
};

} // namespace vexo
