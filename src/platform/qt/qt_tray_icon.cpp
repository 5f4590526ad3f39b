#include "platform/qt/qt_tray_icon.h"

#include <QAction>
#include <QMenu>

namespace vexo {

QtTrayIcon::QtTrayIcon(const QIcon& icon, QObject* parent)
    : QObject(parent), menu_(std::make_unique<QMenu>()), icon_(std::make_unique<QSystemTrayIcon>(icon)) {
    menuItem_ = menu_->addAction(QString());
    connect(menuItem_, &QAction::triggered, this, [this] {
        if (menuHandler_)
            menuHandler_();
    });
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (const auto click = clickOf(reason); click && clickHandler_)
            clickHandler_(*click);
    });
}

// The icon goes before the menu it shows.
QtTrayIcon::~QtTrayIcon() {
    icon_.reset();
}

bool QtTrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::show(const std::string& tip) {
    icon_->setToolTip(QString::fromStdString(tip));
    icon_->show();
}

void QtTrayIcon::hide() {
    icon_->hide();
}

void QtTrayIcon::notice(const std::string& title, const std::string& text, int timeoutMs) {
    // Even the warning that no mouse was found carries the information icon; only its title differs.
    icon_->showMessage(QString::fromStdString(title), QString::fromStdString(text), QSystemTrayIcon::Information,
                       timeoutMs);
}

void QtTrayIcon::onClick(std::function<void(Click)> handler) {
    clickHandler_ = std::move(handler);
}

void QtTrayIcon::setMenuItem(const std::string& text, std::function<void()> handler) {
    menuItem_->setText(QString::fromStdString(text));
    menuHandler_ = std::move(handler);
}

std::optional<TrayIcon::Click> QtTrayIcon::clickOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return Click::Left;
    case QSystemTrayIcon::DoubleClick:
        return Click::DoubleLeft;
    case QSystemTrayIcon::Context:
        return Click::Right;
    default:
        return std::nullopt;
    }
}

} // namespace vexo
