// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "primitives.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace vexo::skingen {

QImage newImage(int width, int height, bool alpha) {
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(alpha ? Qt::transparent : Qt::black);
    return image;
}

void beginPainting(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont uiFont(qreal pixelSize, QFont::Weight weight, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(pixelSize + 0.5));
    font.setWeight(weight);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawPanel(QPainter& painter, const QRectF& rect, const Palette& pal, qreal radius) {
    painter.save();
    // Shadow: a few offset, increasingly transparent outlines below the panel.
    painter.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        painter.setBrush(QColor(0, 0, 0, 34 - i * 8));
        painter.drawRoundedRect(rect.adjusted(-i, -i + 2, i, i + 2), radius + i, radius + i);
    }
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, pal.panelTop);
    fill.setColorAt(1, pal.panelBottom);
    painter.setBrush(fill);
    painter.setPen(QPen(pal.panelBorder, 1));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // Light catches the top edge only.
    QLinearGradient edge(rect.topLeft(), rect.topRight());
    edge.setColorAt(0, QColor(255, 255, 255, 0));
    edge.setColorAt(0.5, QColor(255, 255, 255, 26));
    edge.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(QPen(QBrush(edge), 1));
    painter.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5), QPointF(rect.right() - radius, rect.top() + 1.5));
    painter.restore();
}

void drawHeadingMark(QPainter& painter, const QRect& heading, const Palette& pal) {
    painter.save();
    painter.setPen(Qt::NoPen);
    QLinearGradient plate(heading.topLeft(), heading.topRight());
    plate.setColorAt(0, QColor(255, 255, 255, 0));
    plate.setColorAt(0.5, QColor(255, 255, 255, 10));
    plate.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(plate);
    painter.drawRect(heading);
    const qreal cx = heading.left() + heading.width() / 2.0;
    const qreal y = heading.bottom() + 1.0;
    QLinearGradient bar(QPointF(cx - 24, y), QPointF(cx + 24, y));
    bar.setColorAt(0, withAlpha(pal.accent, 0));
    bar.setColorAt(0.5, pal.accent);
    bar.setColorAt(1, withAlpha(pal.accent, 0));
    painter.setBrush(bar);
    painter.drawRoundedRect(QRectF(cx - 24, y, 48, 2), 1, 1);
    painter.restore();
}

void drawWell(QPainter& painter, const QRect& inner, const Palette& pal) {
    painter.save();
    const QRectF outer = QRectF(inner).adjusted(-1, -1, 1, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pal.wellBorder);
    painter.drawRoundedRect(outer, 2, 2);
    painter.setBrush(pal.well);
    painter.drawRect(inner);
    // Inner shadow along the top edge reads as "sunken".
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRect(QRectF(inner.left(), inner.top(), inner.width(), 1));
    painter.restore();
}

void drawChevronDown(QPainter& painter, const QPointF& center, qreal size, const QColor& color, qreal width) {
    painter.save();
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal h = size / 2.0;
    QPainterPath path;
    path.moveTo(center.x() - h, center.y() - h / 2);
    path.lineTo(center.x(), center.y() + h / 2);
    path.lineTo(center.x() + h, center.y() - h / 2);
    painter.drawPath(path);
    painter.restore();
}

void drawDropField(QPainter& painter, const QRect& rect, int arrowLeft, const Palette& pal, bool hover) {
    painter.save();
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, hover ? QColor(0x26, 0x29, 0x30) : QColor(0x15, 0x17, 0x1b));
    face.setColorAt(1, hover ? QColor(0x1d, 0x20, 0x26) : QColor(0x0e, 0x0f, 0x12));
    painter.setBrush(face);
    painter.setPen(QPen(hover ? mix(pal.controlBorder, pal.accent, 0.7) : pal.controlBorder, 1));
    painter.drawRoundedRect(r, 2.5, 2.5);

    // The arrow cell is raised a little so that it reads as the part to click.
    const QRectF cell(arrowLeft + 0.5, r.top() + 1, r.right() - arrowLeft - 1, r.height() - 2);
    QLinearGradient cellFace(cell.topLeft(), cell.bottomLeft());
    cellFace.setColorAt(0, hover ? mix(pal.controlTop, pal.accent, 0.35) : pal.controlTop);
    cellFace.setColorAt(1, hover ? mix(pal.controlBottom, pal.accent, 0.25) : pal.controlBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(cellFace);
    painter.drawRoundedRect(cell, 1.5, 1.5);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
    painter.drawLine(QPointF(arrowLeft + 0.5, r.top() + 1), QPointF(arrowLeft + 0.5, r.bottom() - 1));

    const qreal size = qMin<qreal>(8, cell.height() * 0.55);
    drawChevronDown(painter, cell.center() + QPointF(0, 0.5), size, hover ? Qt::white : pal.glyph,
                    rect.height() > 17 ? 1.7 : 1.4);
    painter.restore();
}

void drawCheckBox(QPainter& painter, const QPointF& topLeft, const Palette& pal, bool ticked) {
    painter.save();
    const QRectF box(topLeft.x() + 1, topLeft.y() + 1, 14, 14);
    if (ticked) {
        QLinearGradient face(box.topLeft(), box.bottomLeft());
        face.setColorAt(0, pal.accentBright);
        face.setColorAt(1, pal.accent);
        painter.setBrush(face);
        painter.setPen(QPen(pal.accentDeep, 1));
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        QPen tick(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(tick);
        QPainterPath path;
        path.moveTo(box.left() + 3.5, box.top() + 7.5);
        path.lineTo(box.left() + 6, box.top() + 10);
        path.lineTo(box.left() + 10.8, box.top() + 4);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    } else {
        QLinearGradient face(box.topLeft(), box.bottomLeft());
        face.setColorAt(0, QColor(0x0b, 0x0c, 0x0e));
        face.setColorAt(1, QColor(0x17, 0x19, 0x1d));
        painter.setBrush(face);
        painter.setPen(QPen(mix(pal.controlBorder, Qt::white, 0.12), 1));
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    painter.restore();
}

void drawEmblem(QPainter& painter, const QRectF& box, const Palette& pal) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100.0, box.height() / 100.0);
    // Two blades meeting at the bottom point, the right one in the accent.
    QPainterPath left;
    left.moveTo(2, 8);
    left.lineTo(30, 8);
    left.lineTo(54, 70);
    left.lineTo(44, 94);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(98, 8);
    right.lineTo(70, 8);
    right.lineTo(50, 60);
    right.lineTo(60, 84);
    right.closeSubpath();
    painter.setPen(Qt::NoPen);
    QLinearGradient steel(QPointF(0, 0), QPointF(0, 100));
    steel.setColorAt(0, QColor(0xf2, 0xf3, 0xf5));
    steel.setColorAt(1, QColor(0x8d, 0x93, 0x9c));
    painter.setBrush(steel);
    painter.drawPath(left);
    QLinearGradient hot(QPointF(0, 0), QPointF(0, 100));
    hot.setColorAt(0, pal.accentBright);
    hot.setColorAt(1, pal.accentDeep);
    painter.setBrush(hot);
    painter.drawPath(right);
    painter.restore();
}

qreal drawWordmark(QPainter& painter, const QPointF& origin, qreal pixelSize, const Palette& pal) {
    painter.save();
    // The text is drawn as outlines so that it can carry gradients; the shear gives it speed.
    QFont font = uiFont(pixelSize * 1.37, QFont::Black);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.06);
    QPainterPath vexo;
    vexo.addText(0, 0, font, QStringLiteral("VEXO"));
    QFont model = uiFont(pixelSize * 1.37, QFont::Light);
    QPainterPath t58;
    const qreal gap = pixelSize * 0.35;
    t58.addText(vexo.boundingRect().right() + gap, 0, model, QStringLiteral("T58"));

    painter.translate(origin);
    QTransform shear;
    shear.shear(-0.18, 0);
    painter.setTransform(shear, true);
    painter.setPen(Qt::NoPen);
    QLinearGradient steel(QPointF(0, -pixelSize), QPointF(0, 0));
    steel.setColorAt(0, QColor(0xff, 0xff, 0xff));
    steel.setColorAt(1, QColor(0xa4, 0xaa, 0xb3));
    painter.setBrush(steel);
    painter.drawPath(vexo);
    painter.setBrush(pal.accent);
    painter.drawPath(t58);
    const qreal width = t58.boundingRect().right();
    painter.restore();
    return width;
}

void drawGlow(QPainter& painter, const QPainterPath& path, const QColor& color, qreal width) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const int steps = 6;
    for (int i = steps; i >= 1; --i) {
        const qreal w = width * i / steps * 3.0;
        painter.setPen(
            QPen(withAlpha(color, color.alpha() * 2 / (i * i + 4)), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.setPen(QPen(mix(color, Qt::white, 0.35), width * 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

void drawWeave(QPainter& painter, const QRect& rect, int alpha) {
    painter.save();
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A 4-pixel twill: alternate diagonal steps in slightly lighter and darker tones.
    QImage tile(8, 8, QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool light = ((x + y) / 2 + (x / 4)) % 2 == 0;
            tile.setPixelColor(x, y, light ? QColor(255, 255, 255, alpha) : QColor(0, 0, 0, alpha));
        }
    }
    painter.fillRect(rect, QBrush(tile));
    painter.restore();
}

} // namespace vexo::skingen
