// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/tray_icon.h"

namespace vexo::test {

// Records what the shell does with its notification-area icon and lets tests click it.
class RecordingTrayIcon final : public TrayIcon {
public:
    struct Notice {
        std::string title;
        std::string text;
        int timeoutMs;
    };

    bool offered = true;
    bool shown = false;
    std::string tip;
    std::string menuText;
    std::vector<Notice> notices;

    bool available() const override { return offered; }
    void show(const std::string& text) override {
        shown = true;
        tip = text;
    }
    void hide() override { shown = false; }
    void notice(const std::string& title, const std::string& text, int timeoutMs) override {
        notices.push_back({title, text, timeoutMs});
    }
    void onClick(std::function<void(Click)> handler) override { click_ = std::move(handler); }
    void setMenuItem(const std::string& text, std::function<void()> handler) override {
        menuText = text;
        menu_ = std::move(handler);
    }

    void setMenuEntries(std::function<std::vector<MenuEntry>()> entries) override { entries_ = std::move(entries); }

    void click(Click which) { click_(which); }
    void chooseMenuItem() { menu_(); }
    // Opens the menu: the entries listed above the fixed item at this moment.
    std::vector<MenuEntry> openMenu() const { return entries_ ? entries_() : std::vector<MenuEntry>{}; }

private:
    std::function<void(Click)> click_;
    std::function<void()> menu_;
    std::function<std::vector<MenuEntry>()> entries_;
};

} // namespace vexo::test
