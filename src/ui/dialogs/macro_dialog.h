// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstdint>
#include <filesystem>

#include "ui/dialogs/picker_dialog.h"

namespace vexo {

class SkinContext;

// Picks a macro of the user's macro store record.ini (its slot is its row: the names are listed in
// file order) and how it repeats: 1 a given number of times or until any key, 2 until any key,
// 3 until the button is released. Only the names that have a block in the mouse are listed (the
// first ten); without the file the list is empty.
class CMacroDialog final : public CPickerDialog {
    Q_OBJECT
public:
    static constexpr Layout kLayout{592, {43, 129, 136, 143}, {43, 129, 151, 143}, 593, {43, 146, 151, 285}, true};
    // The three option boxes (16 x 16) and their texts.
    static constexpr std::array<Region, 3> kOptionBoxes{Region{220, 78, 236, 94}, Region{220, 128, 236, 144},
                                                        Region{220, 178, 236, 194}};
    static constexpr std::array<Region, 3> kOptionTexts{Region{237, 70, 390, 102}, Region{237, 120, 390, 152},
                                                        Region{237, 170, 390, 202}};

    // recordIni: the user's macro store, read when the dialog is initialised.
    CMacroDialog(SkinContext& skin, std::filesystem::path recordIni, Prompter& prompter, QWidget* parent = nullptr);

    // Names listed, and the repeat choice 1-3 (1 when the dialog opens).
    std::uint8_t m_nMacroCount = 0;
    std::uint8_t m_nRepeatChoice = 1;

protected:
    void OnInitDialog() override;
    QStringList LoadRows() override;
    void DrawContent(QPainter& canvas) override;
    void HandleDialogClick(QPoint p) override;

private:
    std::filesystem::path m_pathRecordIni;
};

} // namespace vexo
