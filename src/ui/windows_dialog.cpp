#include "ui/windows_dialog.h"

#include "keys/picker_lists.h"

namespace vexo {

CWindowsDialog::CWindowsDialog(Prompter& prompter, QWidget* parent)
    : CPickerDialog("/windows-key.png", "Windows Dialog Load background image failed!!!", kLayout, prompter, parent)
{
}

QStringList CWindowsDialog::LoadRows()
{
    QStringList rows;
    for (const LocalizedText& text : WindowsFunctionTexts())
        rows << Localized(text);
    return rows;
}

} // namespace vexo
