#include "ui/media_dialog.h"

#include "keys/picker_lists.h"

namespace vexo {

CMediaDialog::CMediaDialog(Prompter& prompter, QWidget* parent)
    : CPickerDialog("/media-key.png", "Media Dialog Load background image failed!!!", kLayout, prompter, parent)
{
}

QStringList CMediaDialog::LoadRows()
{
    QStringList rows;
    for (const LocalizedText& text : MediaTexts())
        rows << Localized(text);
    return rows;
}

} // namespace vexo
