// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <memory>

#include "ui/advanced/desktop_settings_panel.h"
#include "ui/advanced/macro_editor.h"
#include "ui/advanced/macro_recorder.h"
#include "ui/frame/page_content.h"

namespace vexo {

class CMainDialog;
class ConfigStore;
class DesktopPointerSettings;
class KeyboardHook;
class Prompter;
struct UiTexts;

// The advanced page: the desktop's pointer settings on the left, the macro editor with recording on
// the right. Texts are taken from the language's table each time the page is entered.
class AdvancedPage final : public PageContent {
public:
    struct Services {
        CMainDialog& window;
        ConfigStore& config;
        DesktopPointerSettings& desktop;
        KeyboardHook& keyboard;
        Prompter& prompter;
        const UiTexts& texts;
        std::filesystem::path recordIni;
        MacroEditor::DelayPrompt askDelay;
    };

    explicit AdvancedPage(Services services);
    ~AdvancedPage() override;

    void build() override;
    void draw(QPainter& canvas) override;
    void tearDown() override;
    bool click(QPoint p) override;
    std::vector<HoverTracker::Item> hoverItems() override;
    QRegion backgroundParts() const override;
    std::vector<DropDownList*> dropDowns() override;

    // After OK or Apply with a mouse present: the five desktop bytes go to the desktop.
    void ApplyDesktopSettings() { m_panel.ApplyDesktopSettings(); }

    DesktopSettingsPanel& panel() { return m_panel; }
    MacroEditor& editor() { return m_editor; }
    MacroRecorder& recorder() { return m_recorder; }

private:
    void takeTexts();

    CMainDialog& window_;
    const UiTexts& texts_;
    DesktopSettingsPanel::Texts m_panelTexts;
    MacroEditor::Texts m_editorTexts;
    MacroRecorder::Texts m_recorderTexts;
    DesktopSettingsPanel m_panel;
    MacroEditor m_editor;
    MacroRecorder m_recorder;
};

} // namespace vexo
