// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/macro_dialog.h"

#include <QPainter>

#include "config/profile_ini.h"
#include "macro/macro_area.h"
#include "macro/macro_store.h"

namespace vexo {

namespace {
// The prompt sits to the left of and above the drop-down box.
const QRect kPrompt(20, 106, 180, 18);
const QString kTicked = QStringLiteral("/PaneMakingTick.png");
const QString kEmpty = QStringLiteral("/Pane.png");
constexpr int kOptionTextSlack = 8;
} // namespace

CMacroDialog::CMacroDialog(SkinContext& skin, std::filesystem::path recordIni, Prompter& prompter, QWidget* parent)
    : CPickerDialog(skin, "/macro-key.png", "Macro Key Dialog Load background image failed!!!", kLayout, prompter,
                    parent),
      m_pathRecordIni(std::move(recordIni)) {}

void CMacroDialog::OnInitDialog() {
    m_nRepeatChoice = 1;
    CPickerDialog::OnInitDialog();
}

QStringList CMacroDialog::LoadRows() {
    const ProfileIni store(m_pathRecordIni);
    std::vector<std::string> names = ReadMacroSectionNames(store);
    // A name past the tenth has no block in the mouse: a button bound to it would do nothing.
    if (names.size() > kMacroSlotCount)
        names.resize(kMacroSlotCount);
    QStringList rows;
    for (const std::string& name : names)
        rows << QString::fromStdString(name);
    m_nMacroCount = static_cast<std::uint8_t>(rows.size());
    return rows;
}

void CMacroDialog::DrawContent(QPainter& canvas) {
    DrawPrompt(canvas, kPrompt, Localized("请从列表框选择一个宏", "請從清單方塊選擇一個巨集", "Please select a macro"),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    static constexpr std::array<LocalizedText, 3> kOptions{
        LocalizedText{"重复指定次数或按任意键结束", "重複指定次數或按任意鍵結束",
                      "Repeat a specified number of times or press any key to end"},
        LocalizedText{"重复直到按任意键结束", "重複直到按任意鍵結束", "Repeat until press any key to end"},
        LocalizedText{"重复直到该按键松开结束", "重複直到該按鍵鬆開結束", "Repeat until the key is released"},
    };
    for (std::size_t k = 0; k < kOptions.size(); ++k) {
        DrawImage(canvas, m_nRepeatChoice == k + 1 ? kTicked : kEmpty, kOptionBoxes[k].left, kOptionBoxes[k].top);
        // A text that wraps onto a third line may use the room between the options.
        DrawPrompt(canvas, kOptionTexts[k].rect().adjusted(0, -kOptionTextSlack, 0, kOptionTextSlack),
                   Localized(kOptions[k]), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    }
}

void CMacroDialog::HandleDialogClick(QPoint p) {
    CPickerDialog::HandleDialogClick(p);
    for (std::size_t k = 0; k < kOptionBoxes.size(); ++k) {
        if (kOptionBoxes[k].contains(p) && m_nRepeatChoice != k + 1) {
            m_nRepeatChoice = static_cast<std::uint8_t>(k + 1);
            Redraw();
        }
    }
}

} // namespace vexo
