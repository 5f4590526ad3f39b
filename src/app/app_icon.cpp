// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace vexo {

QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    // A mouse seen from above: dark body, red wheel and split line, the product's accent.
    QPainterPath body;
    body.addRoundedRect(QRectF(8, 3, 16, 26), 8, 8);
    painter.fillPath(body, QColor(30, 30, 34));
    painter.setPen(QPen(QColor(220, 40, 50), 1.6));
    painter.drawPath(body);
    painter.drawLine(QPointF(16, 3.5), QPointF(16, 13));
    painter.setBrush(QColor(220, 40, 50));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(14.5, 6, 3, 5), 1.5, 1.5);
    return image;
}

} // namespace vexo
