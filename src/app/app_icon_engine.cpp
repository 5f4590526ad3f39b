// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/app_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "app/app_icon.h"

namespace vexo {

const QList<QSize>& AppIconEngine::offeredSizes() {
    static const QList<QSize> sizes{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
    return sizes;
}

QPixmap AppIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    const int side = std::min(size.width(), size.height());
    if (side <= 0)
        return {};
    auto found = drawn_.find(side);
    if (found == drawn_.end())
        found = drawn_.emplace(side, QPixmap::fromImage(DrawAppIcon(side))).first;
    if (mode == QIcon::Normal || mode == QIcon::Active)
        return found->second;
    // Disabled and Selected look as the style makes them for every other icon.
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QStyleOption option;
        option.palette = QApplication::palette();
        return application->style()->generatedIconPixmap(mode, found->second, &option);
    }
    return found->second;
}

void AppIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) {
    const QPixmap picture = pixmap(rect.size(), mode, state);
    if (picture.isNull())
        return;
    const QRect place(rect.x() + (rect.width() - picture.width()) / 2,
                      rect.y() + (rect.height() - picture.height()) / 2, picture.width(), picture.height());
    painter->drawPixmap(place, picture);
}

QSize AppIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const int side = std::max(0, std::min(size.width(), size.height()));
    return {side, side};
}

QList<QSize> AppIconEngine::availableSizes(QIcon::Mode, QIcon::State) { return offeredSizes(); }

QString AppIconEngine::key() const { return QStringLiteral("vexo-app-icon"); }

QIconEngine* AppIconEngine::clone() const { return new AppIconEngine(*this); }

QIcon AppIcon() { return QIcon(new AppIconEngine); }

} // namespace vexo
