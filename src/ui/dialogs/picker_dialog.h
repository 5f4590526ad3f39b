// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>
#include <QStringList>

#include "ui/dialogs/skin_dialog.h"

class QLabel;

namespace vexo {

class SkinContext;

class DropDownList;

// A dialog that picks one row of a list: a field showing the picked row's text over a drop-down
// box, and a list that exists only while it is open. A click in the box opens or closes the list,
// a click outside box and list closes it, and picking a row (click, selection change or double
// click) shows its text and closes the list. The first row is preselected, so OK without a pick
// gives row 0 with its text; an empty list gives row 0 with an empty text.
class CPickerDialog : public CSkinDialog {
    Q_OBJECT
public:
    struct Layout {
        int staticId = 0;
        Region field;
        Region box;
        int listId = 0;
        Region list;
        bool wheelScrollsRows = false; // the wheel scrolls three rows a notch
    };

    CPickerDialog(SkinContext& skin, QString background, std::string failureTitle, Layout layout, Prompter& prompter,
                  QWidget* parent = nullptr);
    ~CPickerDialog() override;

    // The picked row and its text.
    int m_nIndex = 0;
    QString m_strChoice;

    const DropDownList& List() const { return *m_pList; }
    const QStringList& Rows() const { return m_rows; }

protected:
    // The rows, read once when the dialog is initialised.
    virtual QStringList LoadRows() = 0;

    void CreateControls() override;
    void HandleDialogClick(QPoint p) override;

private:
    void RowChosen(int row);

    Layout m_layout;
    QStringList m_rows;
    DropDownList* m_pList = nullptr;
    QLabel* m_pField = nullptr;
};

} // namespace vexo
