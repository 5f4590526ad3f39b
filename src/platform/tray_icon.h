// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vexo {

// The notification-area icon with balloon notices and a menu: entries that change (asked for each
// time the menu opens) above one fixed item, the exit command. Texts are UTF-8.
class TrayIcon {
public:
    enum class Click { Left, DoubleLeft, Right };

    virtual ~TrayIcon() = default;
    // Whether the desktop offers a notification area at all.
    virtual bool available() const = 0;
    virtual void show(const std::string& tip) = 0;
    virtual void hide() = 0;
    // Replaces the balloon with this notice, under the information icon, for timeoutMs milliseconds.
    virtual void notice(const std::string& title, const std::string& text, int timeoutMs) = 0;
    // Receives the icon's clicks; a right click opens the menu itself.
    virtual void onClick(std::function<void(Click)> handler) = 0;
    // The menu's single item (the exit command) and its text in the current language.
    virtual void setMenuItem(const std::string& text, std::function<void()> handler) = 0;

    struct MenuEntry {
        std::string text;
        std::function<void()> chosen;
    };
    // The entries above the fixed item: entries() is called each time the menu opens, so what it
    // lists is current then (a profile saved by another program meanwhile appears).
    virtual void setMenuEntries(std::function<std::vector<MenuEntry>()> entries) = 0;
};

} // namespace vexo
