// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/picker_dialog.h"

#include <QLabel>

#include "ui/skin/drop_down_list.h"
#include "ui/skin/static_controls.h"

namespace vexo {

CPickerDialog::CPickerDialog(SkinContext& skin, QString background, std::string failureTitle, Layout layout,
                             Prompter& prompter, QWidget* parent)
    : CSkinDialog(skin, std::move(background), std::move(failureTitle), prompter, parent), m_layout(layout) {}

CPickerDialog::~CPickerDialog() = default;

void CPickerDialog::CreateControls() {
    m_rows = LoadRows();
    m_pField = CreateStatic(m_layout.staticId, m_layout.field, Qt::AlignLeft | Qt::AlignVCenter);
    // OK without a pick gives row 0, so the field names it from the start: the button's label
    // then says what the button does.
    if (!m_rows.isEmpty()) {
        m_strChoice = m_rows.front();
        SetStaticText(m_pField, m_strChoice);
    }
    m_pList = CreateDropDown(
        m_layout.listId, m_layout.box, m_layout.list, [this] { return m_rows; }, [this](int row) { RowChosen(row); },
        {}, m_layout.wheelScrollsRows);
    m_pList->setCurrent([this] { return m_nIndex; });
}

void CPickerDialog::HandleDialogClick(QPoint p) { ClickDropDowns(p); }

void CPickerDialog::RowChosen(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    m_nIndex = row;
    m_strChoice = m_rows[row];
    SetStaticText(m_pField, m_strChoice);
}

} // namespace vexo
