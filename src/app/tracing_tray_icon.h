// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <string>

#include "platform/tray_icon.h"

namespace vexo {

// A tray icon that also writes each balloon notice to the --trace file ("NOTICE title: text"),
// so that a run without a visible notification area still shows which notices reached the user.
// Everything else goes to the wrapped icon unchanged.
class TracingTrayIcon final : public TrayIcon {
public:
    using LineWriter = std::function<void(const std::string&)>;
    TracingTrayIcon(TrayIcon& icon, LineWriter write) : icon_(icon), write_(std::move(write)) {}

    bool available() const override { return icon_.available(); }
    void show(const std::string& tip) override { icon_.show(tip); }
    void hide() override { icon_.hide(); }
    void notice(const std::string& title, const std::string& text, int timeoutMs) override;
    void onClick(std::function<void(Click)> handler) override { icon_.onClick(std::move(handler)); }
    void setMenuItem(const std::string& text, std::function<void()> handler) override {
        icon_.setMenuItem(text, std::move(handler));
    }
    void setMenuEntries(std::function<std::vector<MenuEntry>()> entries) override {
        icon_.setMenuEntries(std::move(entries));
    }

private:
    TrayIcon& icon_;
    LineWriter write_;
};

} // namespace vexo
