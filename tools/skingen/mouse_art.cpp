// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "mouse_art.h"

#include "primitives.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace vexo::skingen {

namespace {

// The shell in a 100 x 190 unit box, front at the top, built as the right half and its mirror.
QPainterPath shellOutline() {
    QPainterPath p;
    p.moveTo(50, 0);
    p.cubicTo(72, 0, 90, 10, 93, 40);
    p.cubicTo(95, 58, 90, 72, 90, 88);
    p.cubicTo(90, 105, 99, 125, 97, 148);
    p.cubicTo(95, 175, 75, 190, 50, 190);
    p.cubicTo(25, 190, 5, 175, 3, 148);
    p.cubicTo(1, 125, 10, 105, 10, 88);
    p.cubicTo(10, 72, 5, 58, 7, 40);
    p.cubicTo(10, 10, 28, 0, 50, 0);
    p.closeSubpath();
    return p;
}

// Everything in front of the curved seam where the two main buttons end.
QPainterPath buttonZone() {
    QPainterPath p;
    p.moveTo(-5, -5);
    p.lineTo(105, -5);
    p.lineTo(105, 64);
    p.cubicTo(70, 84, 30, 84, -5, 64);
    p.closeSubpath();
    return p;
}

struct Callout {
    int number;
    QPointF anchor; // on the mouse, unit coordinates
    QPointF badge; // where the number sits
};

// Number badges to the left and right of the shell, led to the button they name.
const std::array<Callout, 8> kCallouts{{
    {1, {25, 28}, {-11, 14}},
    {8, {4, 59}, {-11, 48}},
    {4, {3, 83}, {-11, 82}},
    {5, {3, 105}, {-11, 116}},
    {2, {75, 28}, {111, 14}},
    {3, {53, 34}, {111, 40}},
    {6, {54, 53}, {111, 66}},
    {7, {54, 62}, {111, 92}},
}};

void drawThumbButton(QPainter& painter, const QRectF& r, const Palette& pal) {
    QLinearGradient face(r.topLeft(), r.topRight());
    face.setColorAt(0, QColor(0x4a, 0x4f, 0x58));
    face.setColorAt(1, QColor(0x25, 0x28, 0x2e));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(0x0a, 0x0b, 0x0d), 0.8));
    painter.drawRoundedRect(r, 2.2, 2.2);
    painter.setPen(QPen(withAlpha(pal.accent, 120), 0.6));
    painter.drawLine(QPointF(r.left() + 0.8, r.top() + 2), QPointF(r.left() + 0.8, r.bottom() - 2));
}

} // namespace

void drawMouseIllustration(QPainter& painter, const QRectF& area, const Palette& pal) {
    painter.save();
    // Fit the 100 x 190 shell plus its badges (-19 to 119 wide) into the area.
    const qreal scale = qMin(area.width() / 140.0, area.height() / 205.0);
    painter.translate(area.center().x() - 50 * scale, area.center().y() - 95 * scale);
    painter.scale(scale, scale);

    const QPainterPath shell = shellOutline();

    // Ground shadow and an accent underglow, as if the mouse sat on a lit desk mat.
    painter.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        QRadialGradient glow(QPointF(50, 110), 70 + i * 4);
        glow.setColorAt(0, withAlpha(pal.accent, 10));
        glow.setColorAt(1, withAlpha(pal.accent, 0));
        painter.setBrush(glow);
        painter.drawEllipse(QPointF(50, 110), 66 + i * 4, 104 + i * 4);
    }
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(shell.translated(0, 5));

    // The shell: rounded from the light falling from the upper left.
    QLinearGradient side(QPointF(0, 0), QPointF(100, 0));
    side.setColorAt(0, QColor(0x17, 0x19, 0x1d));
    side.setColorAt(0.38, QColor(0x3b, 0x40, 0x49));
    side.setColorAt(0.62, QColor(0x2c, 0x30, 0x37));
    side.setColorAt(1, QColor(0x12, 0x13, 0x16));
    painter.setBrush(side);
    painter.setPen(QPen(QColor(0x08, 0x09, 0x0b), 1.2));
    painter.drawPath(shell);
    QRadialGradient palm(QPointF(44, 125), 50);
    palm.setColorAt(0, QColor(255, 255, 255, 34));
    palm.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(palm);
    painter.drawPath(shell);

    // The two main buttons, slightly lighter, split down the middle.
    const QPainterPath buttons = shell.intersected(buttonZone());
    QLinearGradient keys(QPointF(0, 0), QPointF(0, 80));
    keys.setColorAt(0, QColor(0x4d, 0x53, 0x5d));
    keys.setColorAt(1, QColor(0x2d, 0x31, 0x38));
    painter.setBrush(keys);
    painter.drawPath(buttons);
    QLinearGradient keyShade(QPointF(0, 0), QPointF(100, 0));
    keyShade.setColorAt(0, QColor(0, 0, 0, 110));
    keyShade.setColorAt(0.4, QColor(0, 0, 0, 0));
    keyShade.setColorAt(0.6, QColor(0, 0, 0, 0));
    keyShade.setColorAt(1, QColor(0, 0, 0, 130));
    painter.setBrush(keyShade);
    painter.drawPath(buttons);
    QPen seam(QColor(0x07, 0x08, 0x0a), 1.3, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(seam);
    painter.setBrush(Qt::NoBrush);
    QPainterPath seamCurve;
    seamCurve.moveTo(8, 68.5);
    seamCurve.cubicTo(30, 81.5, 70, 81.5, 92, 68.5);
    painter.drawPath(seamCurve);
    painter.drawLine(QPointF(50, 1), QPointF(50, 12));
    painter.drawLine(QPointF(50, 49), QPointF(50, 50));

    // Wheel in its well, with ribs.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x06, 0x07, 0x09));
    painter.drawRoundedRect(QRectF(42.5, 12, 15, 37), 6, 6);
    QLinearGradient wheel(QPointF(0, 14), QPointF(0, 47));
    wheel.setColorAt(0, QColor(0x22, 0x24, 0x28));
    wheel.setColorAt(0.45, QColor(0x6a, 0x70, 0x7a));
    wheel.setColorAt(1, QColor(0x1a, 0x1c, 0x20));
    painter.setBrush(wheel);
    painter.drawRoundedRect(QRectF(45, 14.5, 10, 32), 4.5, 4.5);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 0.7));
    for (qreal y = 17.5; y < 45; y += 3)
        painter.drawLine(QPointF(46.2, y), QPointF(53.8, y));
    painter.setPen(QPen(withAlpha(pal.accent, 200), 0.9));
    painter.drawLine(QPointF(50, 15.5), QPointF(50, 45.5));

    // DPI + and DPI - behind the wheel.
    for (int i = 0; i < 2; ++i) {
        const QRectF key(45, 52 + i * 8.5, 10, 6.5);
        QLinearGradient face(key.topLeft(), key.bottomLeft());
        face.setColorAt(0, QColor(0x5a, 0x60, 0x6a));
        face.setColorAt(1, QColor(0x2a, 0x2e, 0x34));
        painter.setBrush(face);
        painter.setPen(QPen(QColor(0x07, 0x08, 0x0a), 0.8));
        painter.drawRoundedRect(key, 2, 2);
        painter.setPen(QPen(pal.glyph, 0.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(48, key.center().y()), QPointF(52, key.center().y()));
        if (i == 0)
            painter.drawLine(QPointF(50, key.center().y() - 2), QPointF(50, key.center().y() + 2));
    }

    // Thumb buttons on the left flank: the front one (8), forward (4) and backward (5).
    drawThumbButton(painter, QRectF(5.2, 52, 6, 14), pal);
    drawThumbButton(painter, QRectF(4.6, 72, 6.5, 21), pal);
    drawThumbButton(painter, QRectF(4.6, 95, 6.5, 21), pal);

    // The light strip round the back, and the emblem on the palm.
    painter.save();
    painter.setClipRect(QRectF(-10, 118, 120, 80));
    QPainterPath strip = shellOutline();
    QTransform inset;
    inset.translate(50, 95);
    inset.scale(0.965, 0.975);
    inset.translate(-50, -95);
    drawGlow(painter, inset.map(strip), pal.accent, 1.4);
    painter.restore();
    drawEmblem(painter, QRectF(41, 128, 18, 18), pal);

    // Numbered callouts.
    const QFont badgeFont = uiFont(8.6, QFont::Bold);
    for (const Callout& c : kCallouts) {
        const bool left = c.badge.x() < 50;
        const QPointF edge = c.badge + QPointF(left ? 7.5 : -7.5, 0);
        painter.setPen(QPen(withAlpha(pal.glyph, 150), 0.7));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(c.anchor, edge);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.accentBright);
        painter.drawEllipse(c.anchor, 1.4, 1.4);
        QRadialGradient disc(c.badge - QPointF(2, 2), 10);
        disc.setColorAt(0, QColor(0x35, 0x39, 0x41));
        disc.setColorAt(1, QColor(0x16, 0x18, 0x1c));
        painter.setBrush(disc);
        painter.setPen(QPen(pal.accent, 1.1));
        painter.drawEllipse(c.badge, 7, 7);
        painter.setPen(QColor(0xee, 0xee, 0xee));
        painter.setFont(badgeFont);
        painter.drawText(QRectF(c.badge.x() - 7, c.badge.y() - 7, 14, 14), Qt::AlignCenter, QString::number(c.number));
    }
    painter.restore();
}

} // namespace vexo::skingen
