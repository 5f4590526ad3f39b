// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_tray_icon.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace vexo {

namespace {
// How long a notice may wait for its icon to be placed, and how often it looks.
constexpr qint64 kPlacementWaitMs = 1000;
constexpr int kPlacementPollMs = 50;
} // namespace

QtTrayIcon::QtTrayIcon(const QIcon& icon, QObject* parent)
    : QObject(parent), menu_(std::make_unique<QMenu>()), icon_(std::make_unique<QSystemTrayIcon>(icon)) {
    menuItem_ = menu_->addAction(QString());
    connect(menuItem_, &QAction::triggered, this, [this] {
        if (menuHandler_)
            menuHandler_();
    });
    connect(menu_.get(), &QMenu::aboutToShow, this, &QtTrayIcon::refreshEntries);
    icon_->setContextMenu(menu_.get());
    placement_.setInterval(kPlacementPollMs);
    connect(&placement_, &QTimer::timeout, this, &QtTrayIcon::showPending);
    connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (const auto click = clickOf(reason); click && clickHandler_)
            clickHandler_(*click);
    });
}

// The icon goes before the menu it shows.
QtTrayIcon::~QtTrayIcon() { icon_.reset(); }

bool QtTrayIcon::available() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtTrayIcon::show(const std::string& tip) {
    icon_->setToolTip(QString::fromStdString(tip));
    icon_->show();
    sinceShown_.start();
}

void QtTrayIcon::hide() {
    placement_.stop();
    pending_.reset();
    icon_->hide();
}

void QtTrayIcon::notice(const std::string& title, const std::string& text, int timeoutMs) {
    // A newer notice replaces one still waiting, as it replaces a balloon on screen.
    pending_ = Pending{QString::fromStdString(title), QString::fromStdString(text), timeoutMs};
    showPending();
}

void QtTrayIcon::showPending() {
    if (!pending_)
        return;
    // Until the notification area has taken the icon in, it has no place or sits at the origin.
    const QRect place = icon_->geometry();
    const bool placing = icon_->isVisible() && (place.isEmpty() || place.topLeft() == QPoint(0, 0)) &&
        sinceShown_.isValid() && sinceShown_.elapsed() < kPlacementWaitMs;
    if (placing) {
        placement_.start();
        return;
    }
    placement_.stop();
    // Even the warning that no mouse was found carries the information icon; only its title differs.
    icon_->showMessage(pending_->title, pending_->text, QSystemTrayIcon::Information, pending_->timeoutMs);
    pending_.reset();
}

void QtTrayIcon::onClick(std::function<void(Click)> handler) { clickHandler_ = std::move(handler); }

void QtTrayIcon::setMenuItem(const std::string& text, std::function<void()> handler) {
    menuItem_->setText(QString::fromStdString(text));
    menuHandler_ = std::move(handler);
}

void QtTrayIcon::setMenuEntries(std::function<std::vector<MenuEntry>()> entries) {
    entries_ = std::move(entries);
    refreshEntries();
}

void QtTrayIcon::refreshEntries() {
    std::vector<MenuEntry> entries = entries_ ? entries_() : std::vector<MenuEntry>{};
    // The same entries keep their actions, so they keep their ids on the session bus: a host may
    // still show the menu it fetched before this opening, and its click names the entry it saw.
    const bool same = std::equal(entries.begin(), entries.end(), entryTexts_.begin(), entryTexts_.end(),
                                 [](const MenuEntry& entry, const std::string& text) { return entry.text == text; });
    if (same) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            *entryHandlers_[i] = std::move(entries[i].chosen);
        return;
    }
    for (QAction* action : entryActions_) {
        menu_->removeAction(action);
        action->deleteLater(); // it may be the one being triggered right now
    }
    entryActions_.clear();
    entryTexts_.clear();
    entryHandlers_.clear();
    if (entries.empty())
        return;
    for (MenuEntry& entry : entries) {
        auto* action = new QAction(QString::fromStdString(entry.text), menu_.get());
        // Text shown as is: an '&' in a name is no mnemonic.
        action->setText(action->text().replace('&', QStringLiteral("&&")));
        auto chosen = std::make_shared<std::function<void()>>(std::move(entry.chosen));
        connect(action, &QAction::triggered, this, [chosen] {
            // A copy: the entry may change the menu's entries while it runs.
            if (const std::function<void()> run = *chosen)
                run();
        });
        menu_->insertAction(menuItem_, action);
        entryActions_.push_back(action);
        entryTexts_.push_back(entry.text);
        entryHandlers_.push_back(std::move(chosen));
    }
    entryActions_.push_back(menu_->insertSeparator(menuItem_));
}

std::optional<TrayIcon::Click> QtTrayIcon::clickOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger: return Click::Left;
    case QSystemTrayIcon::DoubleClick: return Click::DoubleLeft;
    case QSystemTrayIcon::Context: return Click::Right;
    default: return std::nullopt;
    }
}

} // namespace vexo
