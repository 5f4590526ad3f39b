// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The macro editor's actions: New, Delete, Confirm, the mouse-event drop-down, the delay of a line
// and the context menu of the key-sequence list.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

#include "config/config_store.h"
#include "macro/macro_encoder.h"
#include "macro/macro_line.h"
#include "macro/macro_name.h"
#include "macro/macro_store.h"
#include "platform/prompter.h"
#include "ui/advanced/macro_editor.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/mem_dc.h"

namespace vexo {

namespace {
constexpr int kMinDialogDelayMs = 10;
constexpr int kMaxDialogDelayMs = 10000;
const QString kDelayLine = "50 ms";
} // namespace

void MacroEditor::NewMacro() {
    if (!built())
        return;
    const QString name = m_pNameField->text();
    if (name.isEmpty()) {
        prompter_.message(texts_.macroNameBlank, texts_.title);
        return;
    }
    // A name record.ini could not give back as the same section is refused before it is listed.
    if (const MacroNameCheck check = CheckMacroName(name.toStdString()); check != MacroNameCheck::Ok) {
        warn(std::string(MacroNameProblem(check)));
        return;
    }
    if (m_pMacroList->count() == 0) {
        m_pMacroList->addItem(name);
        selectMacroRow(0);
        return;
    }
    if (m_pMacroList->count() >= kMaxMacros) {
        warn("Macro numbers up to 10.");
        return;
    }
    for (int i = 0; i < m_pMacroList->count(); ++i) {
        if (m_pMacroList->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            prompter_.message(texts_.macroNameExists, texts_.title);
            return;
        }
    }
    m_pMacroList->addItem(name);
    m_pSequenceList->clear();
    selectMacroRow(m_pMacroList->count() - 1);
}

void MacroEditor::DeleteSelectedMacro() {
    if (!built() || m_pMacroList->count() == 0 || m_pMacroList->currentRow() < 0)
        return;
    const int row = m_pMacroList->currentRow();
    const std::string name = m_pMacroList->item(row)->text().toStdString();
    m_bFilling = true;
    delete m_pMacroList->takeItem(row);
    // As after a deletion on the desktop it came from, no row is selected afterwards.
    m_pMacroList->setCurrentRow(-1);
    m_bFilling = false;
    m_pSequenceList->clear();
    m_pNameField->clear();
    if (const MacroWriteResult deleted = DeleteMacro(m_store, name); !deleted.ok)
        warn(deleted.message);
}

void MacroEditor::ConfirmMacro() {
    if (!built() || m_pMacroList->count() == 0 || m_pMacroList->currentRow() < 0)
        return;
    const int row = m_pMacroList->currentRow();
    const MacroArea area(config_.record().macroArea());
    if (m_pSequenceList->count() == 0) {
        ClearMacroBlock(area, static_cast<std::size_t>(row));
        return;
    }
    std::vector<std::string> lines;
    lines.reserve(std::size_t(m_pSequenceList->count()));
    for (int i = 0; i < m_pSequenceList->count(); ++i)
        lines.push_back(m_pSequenceList->item(i)->text().toStdString());
    const std::string name = m_pMacroList->item(row)->text().toStdString();
    if (const MacroWriteResult saved = SaveMacro(m_store, name, m_strLoopTimesText.toStdString(), lines); !saved.ok) {
        warn(saved.message);
        return;
    }
    const MacroEncodeResult encoded = EncodeMacroStore(m_store, area);
    if (encoded.totalDropped() != 0)
        reportDroppedEvents(encoded.droppedEvents);
}

void MacroEditor::reportDroppedEvents(const std::array<std::size_t, 10>& dropped) {
    // record.ini keeps the whole macro; only the mouse's copy is short, and the user must know.
    const std::vector<std::string> names = ReadMacroSectionNames(m_store);
    std::string text;
    for (std::size_t slot = 0; slot < dropped.size() && slot < names.size(); ++slot) {
        if (dropped[slot] == 0)
            continue;
        text += "Macro \"" + names[slot] + "\" is too long for the mouse, which holds 63 event pairs: its last " +
            std::to_string(dropped[slot]) + (dropped[slot] == 1 ? " event is" : " events are") +
            " left out of the mouse.\n";
    }
    text += "record.ini keeps every event.";
    warn(text);
}

void MacroEditor::insertLines(int at, const QStringList& lines) {
    for (const QString& line : lines)
        m_pSequenceList->insertItem(at++, line);
}

void MacroEditor::OnMouseEventChosen(int row) {
    if (!built() || row < 0 || row >= MouseEvents().size())
        return;
    const QString event = MouseEvents().at(row);
    const bool isClick = event.contains("Click");
    QString press = event, release = event;
    press.replace(" Click", "   Dn");
    release.replace(" Click", "   Up");
    const int selected = m_pSequenceList->currentRow();
    if (selected < 0) {
        if (m_pSequenceList->count() == 0 && macroSelected())
            insertLines(0,
                        isClick ? QStringList{press, kDelayLine, release, kDelayLine} : QStringList{event, kDelayLine});
    } else if (m_pSequenceList->item(selected)->text().contains("ms")) {
        insertLines(selected + 1,
                    isClick ? QStringList{press, kDelayLine, release, kDelayLine} : QStringList{event, kDelayLine});
        m_pSequenceList->setCurrentRow(selected + 1);
    } else {
        insertLines(selected + 1,
                    isClick ? QStringList{kDelayLine, press, kDelayLine, release} : QStringList{kDelayLine, event});
        m_pSequenceList->setCurrentRow(selected + 2);
    }
    m_strEventBoxText = event;
    std::unique_ptr<CMemDC> dc = window_.OpenCanvas();
    if (QPainter* canvas = dc->painter())
        drawEventBox(*canvas);
}

void MacroEditor::OnSequenceDoubleClick(int row) {
    if (!built() || row < 0 || row >= m_pSequenceList->count())
        return;
    QListWidgetItem* item = m_pSequenceList->item(row);
    if (!item->text().contains("ms") || !askDelay_)
        return;
    const std::int64_t shown = ParseDelayMilliseconds(item->text().toStdString());
    const std::optional<int> entered =
        askDelay_(static_cast<int>(std::clamp<std::int64_t>(shown, 0, kMaxDialogDelayMs)));
    // The prompt is modal: the page may have been left meanwhile, or the list changed.
    if (!entered || !built() || row >= m_pSequenceList->count())
        return;
    item = m_pSequenceList->item(row);
    const int value = *entered;
    item->setText(value < kMinDialogDelayMs || value > kMaxDialogDelayMs ? QString("10 ms")
                                                                         : QString::number(value) + " ms");
    m_pSequenceList->setCurrentRow(row);
}

void MacroEditor::OnSequenceContextMenu(QPoint at) {
    if (!built())
        return;
    if (m_pContextMenu == nullptr) {
        auto* menu = new QMenu(&window_);
        menu->setObjectName("sequenceMenu");
        menu->addAction(texts_.deleteText, this, [this] { DeleteSequenceLine(); });
        m_pContextMenu = menu;
    }
    m_pContextMenu->popup(m_pSequenceList->viewport()->mapToGlobal(at));
}

void MacroEditor::DeleteSequenceLine() {
    if (!built())
        return;
    const int row = m_pSequenceList->currentRow();
    if (row >= 0)
        delete m_pSequenceList->takeItem(row);
}

} // namespace vexo
