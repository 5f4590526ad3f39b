// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <map>

namespace vexo {

// The program's icon, drawn at a size only when something asks for that size, and then kept. A
// start behind the notification-area icon needs one size; the window's seven wait for its first
// showing.
class AppIconEngine final : public QIconEngine {
public:
    // The sizes offered to desktops, smallest first.
    static const QList<QSize>& offeredSizes();

    // A square picture whose side is the smaller of size's two (nothing for an empty size). Modes
    // other than Normal are the style's rendering of the normal picture, as for any Qt icon.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    // Draws the picture of rect's size centred in rect.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine* clone() const override;

    // How many sizes have been drawn so far (each once).
    int drawnSizes() const { return static_cast<int>(drawn_.size()); }

private:
    std::map<int, QPixmap> drawn_;
};

// The program's icon (window and notification area), backed by an AppIconEngine.
QIcon AppIcon();

} // namespace vexo
