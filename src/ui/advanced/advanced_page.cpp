// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/advanced/advanced_page.h"

#include "config/application_title.h"
#include "config/ui_texts.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"

namespace vexo {

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
} // namespace

AdvancedPage::AdvancedPage(Services s)
    : window_(s.window), texts_(s.texts), m_panel(s.window, s.config, s.desktop, s.prompter, m_panelTexts),
      m_editor(s.window, s.config, s.prompter, std::move(s.recordIni), m_editorTexts, std::move(s.askDelay)),
      m_recorder(s.keyboard, s.prompter, m_editor, m_recorderTexts,
                 [&window = s.window](const QString& title) { window.setWindowTitle(title); }) {}

AdvancedPage::~AdvancedPage() { m_recorder.Abandon(); }

void AdvancedPage::takeTexts() {
    const UiTexts& t = texts_;
    m_panelTexts = {Q(t.m_strMouseSpeed),      Q(t.m_strEnhancePrecision), Q(t.m_strScrollSpeed),
                    Q(t.m_strScrollOneScreen), Q(t.m_strDoubleClickSpeed), Q(t.m_strRestoreDefaults)};
    m_editorTexts = {Q(t.m_strMacroSetting),
                     Q(t.m_strSelectMacro),
                     Q(t.m_strKeySequence),
                     Q(t.m_strRecordOption),
                     Q(t.m_strMacroName),
                     Q(t.m_strLoopTimes),
                     Q(t.m_strRecordOnlyKeys),
                     Q(t.m_strStartRecording),
                     Q(t.m_strStopRecording),
                     Q(t.m_strNew),
                     Q(t.m_strDelete),
                     Q(t.m_strConfirm),
                     t.m_strMacroNameBlank,
                     t.m_strMacroNameExists,
                     std::string(kApplicationTitle)};
    m_recorderTexts = {t.m_strStartRecording, t.m_strStopRecording, t.m_strNotRecording,
                       t.m_strMacroNameBlank, t.m_strStopHint,      std::string(kApplicationTitle)};
}

void AdvancedPage::build() {
    takeTexts();
    m_panel.enter();
    m_editor.build();
}

void AdvancedPage::draw(QPainter& canvas) {
    m_panel.draw(canvas);
    m_editor.draw(canvas);
}

void AdvancedPage::tearDown() {
    // Leaving the page ends a recording without a word; unconfirmed lines go with the controls.
    m_recorder.Abandon();
    m_editor.tearDown();
}

bool AdvancedPage::click(QPoint p) {
    if (m_panel.click(p) || m_editor.click(p))
        return true;
    if (MacroEditor::kStartRecording.contains(p)) {
        m_recorder.StartRecording();
        return true;
    }
    if (MacroEditor::kStopRecording.contains(p)) {
        m_recorder.StopRecording();
        return true;
    }
    return false;
}

QRegion AdvancedPage::backgroundParts() const { return QRegion(MacroEditor::kEventBox.rect()); }

std::vector<HoverTracker::Item> AdvancedPage::hoverItems() {
    std::vector<HoverTracker::Item> items{m_panel.hoverItem(frame::kFirstPageId, frame::kFirstPageGroup)};
    for (HoverTracker::Item& item : m_editor.hoverItems(frame::kFirstPageId + 1, frame::kFirstPageGroup + 1))
        items.push_back(std::move(item));
    return items;
}

std::vector<DropDownList*> AdvancedPage::dropDowns() { return {&m_editor.eventList()}; }

} // namespace vexo
