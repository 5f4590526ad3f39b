// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "panel_icons.h"

#include <QPainterPath>

namespace vexo::skingen {

void drawPanelIcon(QPainter& painter, const QPointF& topLeft, PanelIcon icon, const Palette& pal) {
    painter.save();
    painter.translate(topLeft);
    const QPen line(pal.glyphMuted, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen hot(pal.accent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    switch (icon) {
    case PanelIcon::Buttons:
    case PanelIcon::Wheel:
    case PanelIcon::DoubleClick:
        // A mouse outline; the accent marks the part the section is about.
        painter.drawRoundedRect(QRectF(5, 1, 14, 22), 7, 7);
        painter.drawLine(QPointF(5, 9), QPointF(19, 9));
        painter.drawLine(QPointF(12, 1), QPointF(12, 9));
        painter.setPen(QPen(pal.accent, 2.2, Qt::SolidLine, Qt::RoundCap));
        if (icon == PanelIcon::Buttons) {
            painter.drawLine(QPointF(8.5, 4), QPointF(8.5, 6.5));
            painter.drawLine(QPointF(15.5, 4), QPointF(15.5, 6.5));
        } else if (icon == PanelIcon::Wheel) {
            painter.drawLine(QPointF(12, 3.5), QPointF(12, 7));
        } else {
            painter.drawLine(QPointF(8.6, 4.5), QPointF(8.6, 6.5));
            painter.setPen(QPen(withAlpha(pal.accent, 150), 1.1));
            painter.drawArc(QRectF(-3, -3, 13, 13), 60 * 16, 120 * 16);
            painter.drawArc(QRectF(-6, -6, 19, 19), 70 * 16, 100 * 16);
        }
        break;
    case PanelIcon::Rate:
        // Pulses at growing frequency.
        for (int i = 0; i < 4; ++i) {
            painter.setPen(i == 3 ? hot : line);
            const qreal h = 6 + i * 5;
            painter.drawLine(QPointF(3 + i * 6, 22), QPointF(3 + i * 6, 22 - h));
        }
        break;
    case PanelIcon::Dpi:
        painter.drawEllipse(QPointF(12, 12), 8, 8);
        for (int i = 0; i < 4; ++i) {
            painter.save();
            painter.translate(12, 12);
            painter.rotate(90 * i);
            painter.drawLine(QPointF(0, -11.5), QPointF(0, -5));
            painter.restore();
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.accent);
        painter.drawEllipse(QPointF(12, 12), 2.4, 2.4);
        break;
    case PanelIcon::Light:
        painter.setPen(hot);
        painter.drawEllipse(QPointF(12, 12), 4.5, 4.5);
        painter.setPen(line);
        for (int i = 0; i < 8; ++i) {
            painter.save();
            painter.translate(12, 12);
            painter.rotate(45 * i);
            painter.drawLine(QPointF(0, -11), QPointF(0, -8));
            painter.restore();
        }
        break;
    case PanelIcon::Pointer: {
        QPainterPath arrow;
        arrow.moveTo(5, 2);
        arrow.lineTo(5, 19);
        arrow.lineTo(9.5, 14.5);
        arrow.lineTo(13, 22);
        arrow.lineTo(15.5, 21);
        arrow.lineTo(12.2, 13.5);
        arrow.lineTo(18, 13.5);
        arrow.closeSubpath();
        painter.drawPath(arrow);
        painter.setPen(QPen(pal.accent, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(19, 4), QPointF(23, 4));
        painter.drawLine(QPointF(17, 8), QPointF(23, 8));
        break;
    }
    case PanelIcon::Macro:
        // A keyboard with a recording dot.
        painter.drawRoundedRect(QRectF(1, 8, 22, 14), 3, 3);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.glyphMuted);
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 4; ++col) {
                painter.drawRect(QRectF(4.5 + col * 4.4 + row * 1.5, 11 + row * 3.6, 2.4, 2.2));
            }
        }
        painter.drawRoundedRect(QRectF(7, 18.2, 10, 1.8), 0.9, 0.9);
        painter.setBrush(pal.accent);
        painter.drawEllipse(QPointF(20.5, 3.5), 3, 3);
        break;
    }
    painter.restore();
}

} // namespace vexo::skingen
