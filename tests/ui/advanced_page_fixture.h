// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>

#include "config/config_store.h"
#include "config/ui_texts.h"
#include "keys/key_name_of.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "qt_test_main.h"
#include "recording_frame_actions.h"
#include "sim/memory_pointer_settings.h"
#include "skin_fixture.h"
#include "support/recording_prompter.h"
#include "ui/advanced/advanced_page.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo::test {

// The main window with the real advanced page over the in-memory desktop, a recording prompter, the
// real keyboard hook, a delay prompt that answers what the test says and record.ini in a
// temporary folder. Every picture of the page is a solid colour of its own.
class AdvancedPageFixture {
public:
    static constexpr QRgb kDark = 0xff000080;
    static constexpr QRgb kLight = 0xff00ff00;
    static constexpr QRgb kPane = 0xff800000;
    static constexpr QRgb kTick = 0xffffff00;

    AdvancedPageFixture() {
        TestApp();
        skinContext.strSkinDir = skin.path().toStdString();
        skin.write("/slider-dark.png", 24, 11, QColor::fromRgb(kDark));
        skin.write("/slider-light.png", 24, 11, QColor::fromRgb(kLight));
        skin.write("/Pane.png", 16, 16, QColor::fromRgb(kPane));
        skin.write("/PaneMakingTick.png", 16, 16, QColor::fromRgb(kTick));
        actions.present = true;
    }
    ~AdvancedPageFixture() {
        if (window)
            window->SetPageContent(kAdvancedPage, nullptr);
        page.reset();
        window.reset();
    }

    // Builds the window and the page and shows the advanced page.
    void open() {
        window = std::make_unique<CMainDialog>(skinContext, actions);
        window->m_strAdvancedSettings = "Advanced Settings";
        window->LoadBackground();
        page = std::make_unique<AdvancedPage>(AdvancedPage::Services{*window, config, desktop, keyboard, prompter,
                                                                     texts, recordIni(), [this](int current) {
                                                                         delaysAsked.push_back(current);
                                                                         return delayAnswer;
                                                                     }});
        window->SetPageContent(kAdvancedPage, page.get());
        window->show();
        window->ShowAdvancedPage();
    }

    std::filesystem::path recordIni() const {
        return std::filesystem::path(folder.path().toStdString()) / "record.ini";
    }
    void writeRecordIni(const std::string& text) const {
        std::ofstream(recordIni(), std::ios::binary | std::ios::trunc) << text;
    }
    std::string recordIniText() const {
        std::ifstream in(recordIni(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    QRgb pixel(const Region& r) const { return window->BackBuffer().pixel(r.left + 1, r.top + 1); }
    static QPoint inside(const Region& r) { return QPoint(r.left + 2, r.top + 2); }
    void click(const Region& r) { window->HandleClick(inside(r)); }

    // A key event as the window system delivers it: the native scan code is the evdev code + 8.
    void key(QEvent::Type type, std::uint32_t evdev, bool autoRepeat = false, QWidget* target = nullptr) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, evdev + kXkbKeycodeOffset, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(target != nullptr ? target : page->editor().nameField(), &event);
    }
    void tap(std::uint32_t evdev) {
        key(QEvent::KeyPress, evdev);
        key(QEvent::KeyRelease, evdev);
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : prompter.shown)
            texts.push_back(shown.text);
        return texts;
    }

    SkinFixture skin;
    QTemporaryDir folder;
    RecordingFrameActions actions;
    ConfigStore config{std::filesystem::path(folder.path().toStdString()) / "config.bin"};
    MemoryPointerSettings desktop;
    QtKeyboardHook keyboard;
    RecordingPrompter prompter;
    UiTexts texts = SelectTexts("EN");
    std::optional<int> delayAnswer;
    std::vector<int> delaysAsked;
    SkinContext skinContext;
    std::unique_ptr<CMainDialog> window;
    std::unique_ptr<AdvancedPage> page;
};

// evdev codes of a few keys.
inline constexpr std::uint32_t kKeyA = 30, kKeyB = 48, kKeyCtrl = 29;

} // namespace vexo::test
