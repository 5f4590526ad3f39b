// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QIcon>
#include <QObject>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <optional>

#include "platform/tray_icon.h"

class QAction;
class QMenu;

namespace vexo {

// The notification-area icon over QSystemTrayIcon (StatusNotifierItem or XEmbed, as the desktop
// offers). Its context menu holds the changing entries, a separator and the fixed item; Qt opens it
// on a right click by itself, and the entries are asked for just before.
class QtTrayIcon final : public QObject, public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(const QIcon& icon, QObject* parent = nullptr);
    ~QtTrayIcon() override;

    bool available() const override;
    void show(const std::string& tip) override;
    void hide() override;
    // Where the icon is still being placed in the notification area (just after show()), the
    // notice waits for it, up to a second: a balloon placed before the icon is, lands in a corner
    // of the screen far from it.
    void notice(const std::string& title, const std::string& text, int timeoutMs) override;
    void onClick(std::function<void(Click)> handler) override;
    void setMenuItem(const std::string& text, std::function<void()> handler) override;
    void setMenuEntries(std::function<std::vector<MenuEntry>()> entries) override;

    // What a Qt activation means for the caller; nothing for activations it does not report
    // (a middle click, an unknown reason).
    static std::optional<Click> clickOf(QSystemTrayIcon::ActivationReason reason);

    // The underlying icon, for wiring and inspection.
    QSystemTrayIcon& systemTrayIcon() { return *icon_; }
    QMenu& menu() { return *menu_; }

private:
    std::unique_ptr<QMenu> menu_;
    QAction* menuItem_ = nullptr;
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::function<void(Click)> clickHandler_;
    std::function<void()> menuHandler_;
    std::function<std::vector<MenuEntry>()> entries_;
    // The entries' actions of the last opening (and the separator after them), with the texts and
    // handlers they were made for; an opening with the same texts only takes the new handlers.
    std::vector<QAction*> entryActions_;
    std::vector<std::string> entryTexts_;
    std::vector<std::shared_ptr<std::function<void()>>> entryHandlers_;
    void refreshEntries();
    struct Pending {
        QString title;
        QString text;
        int timeoutMs = 0;
    };
    void showPending();
    std::optional<Pending> pending_;
    QTimer placement_;
    QElapsedTimer sinceShown_;
};

} // namespace vexo
