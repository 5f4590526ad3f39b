// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "widget_art.h"

#include "primitives.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace vexo::skingen {

namespace {

// The raised face shared by text and page buttons.
void drawRaised(QPainter& painter, const QRectF& r, qreal radius, const Palette& pal, bool over) {
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    if (over) {
        // Bright enough to read as lit, dark enough for light captions (at least 4.5:1).
        face.setColorAt(0, mix(QColor(0x42, 0x47, 0x51), pal.accent, 0.33));
        face.setColorAt(0.5, mix(QColor(0x33, 0x37, 0x3f), pal.accent, 0.28));
        face.setColorAt(1, mix(QColor(0x26, 0x29, 0x2f), pal.accent, 0.24));
    } else {
        face.setColorAt(0, pal.controlTop);
        face.setColorAt(1, pal.controlBottom);
    }
    painter.setBrush(face);
    painter.setPen(QPen(over ? pal.accentBright : pal.controlBorder, 1));
    painter.drawRoundedRect(r, radius, radius);
    // A glossy top line.
    painter.setPen(QPen(QColor(255, 255, 255, over ? 70 : 30), 1));
    painter.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

} // namespace

QImage textButton(const Palette& pal, bool over) {
    QImage image = newImage(105, 21, true);
    QPainter painter;
    beginPainting(painter, image);
    drawRaised(painter, QRectF(0.5, 0.5, 104, 20), 3.5, pal, over);
    if (over) {
        // An accent underline glow tells hover apart even for colour-blind users (brightness too).
        QLinearGradient line(QPointF(10, 0), QPointF(95, 0));
        line.setColorAt(0, withAlpha(pal.accentBright, 0));
        line.setColorAt(0.5, pal.accentBright);
        line.setColorAt(1, withAlpha(pal.accentBright, 0));
        painter.setPen(QPen(QBrush(line), 1));
        painter.drawLine(QPointF(10, 19), QPointF(95, 19));
    }
    painter.end();
    return image;
}

QImage titleButton(const Palette& pal, TitleGlyph glyph, bool over) {
    QImage image = newImage(18, 18, true);
    QPainter painter;
    beginPainting(painter, image);
    const QRectF disc(0.5, 0.5, 17, 17);
    if (over) {
        QRadialGradient face(QPointF(9, 6), 12);
        const QColor base = glyph == TitleGlyph::Close ? pal.accent : mix(QColor(0x5a, 0x60, 0x6b), pal.accent, 0.35);
        face.setColorAt(0, mix(base, Qt::white, 0.25));
        face.setColorAt(1, base);
        painter.setBrush(face);
        painter.setPen(QPen(mix(base, Qt::white, 0.4), 1));
    } else {
        painter.setBrush(QColor(0x23, 0x26, 0x2c));
        painter.setPen(QPen(QColor(0x3a, 0x3e, 0x46), 1));
    }
    painter.drawRoundedRect(disc, 4, 4);

    const QColor ink = over ? Qt::white : pal.glyph;
    QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case TitleGlyph::Minimise: painter.drawLine(QPointF(5.5, 12), QPointF(12.5, 12)); break;
    case TitleGlyph::Close:
        painter.drawLine(QPointF(5.8, 5.8), QPointF(12.2, 12.2));
        painter.drawLine(QPointF(12.2, 5.8), QPointF(5.8, 12.2));
        break;
    case TitleGlyph::Skins: {
        // A painter's palette: a rounded blob with a thumb notch and three paint dots.
        QPainterPath blob;
        blob.addEllipse(QPointF(9, 9), 5.6, 5.0);
        QPainterPath notch;
        notch.addEllipse(QPointF(11.2, 11.6), 1.6, 1.6);
        painter.setPen(QPen(ink, 1.2));
        painter.drawPath(blob.subtracted(notch));
        painter.setPen(Qt::NoPen);
        painter.setBrush(over ? Qt::white : pal.accent);
        painter.drawEllipse(QPointF(6.6, 8.2), 1.2, 1.2);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(9.2, 6.2), 1.1, 1.1);
        painter.drawEllipse(QPointF(12.0, 8.0), 1.0, 1.0);
        break;
    }
    }
    painter.end();
    return image;
}

QImage pageButton(const Palette& pal, PageGlyph glyph, bool over) {
    QImage image = newImage(40, 40, true);
    QPainter painter;
    beginPainting(painter, image);
    const QRectF tile(2.5, 2.5, 35, 35);
    if (over) {
        // A soft accent halo in the two-pixel margin.
        for (int i = 2; i >= 1; --i) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(withAlpha(pal.accent, 40 / i));
            painter.drawRoundedRect(tile.adjusted(-i, -i, i, i), 7 + i, 7 + i);
        }
    }
    drawRaised(painter, tile, 7, pal, over);

    // A chevron pointing the way and two dots telling which of the two pages the button shows.
    const bool previous = glyph == PageGlyph::Previous;
    const QColor ink = over ? Qt::white : pal.glyph;
    painter.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath chevron;
    const qreal tip = previous ? 15.5 : 24.5;
    const qreal tail = previous ? 23.5 : 16.5;
    chevron.moveTo(tail, 10);
    chevron.lineTo(tip, 18);
    chevron.lineTo(tail, 26);
    painter.drawPath(chevron);
    for (int i = 0; i < 2; ++i) {
        const bool current = (i == 0) == previous;
        const QPointF dot(16.5 + 7 * i, 31.5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(current ? (over ? pal.accentBright : pal.accent) : withAlpha(ink, 90));
        painter.drawEllipse(dot, current ? 2.2 : 1.6, current ? 2.2 : 1.6);
    }
    painter.end();
    return image;
}

QImage sliderSegment(const Palette& pal, int width, bool lit, bool gapped) {
    QImage image = newImage(width, 11, true);
    QPainter painter;
    beginPainting(painter, image);
    const qreal inset = gapped ? 1.0 : 0.0;
    const QRectF bar(inset + 0.5, 1.5, width - 2 * inset - 1, 8);
    if (lit) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(withAlpha(pal.accent, 60));
        painter.drawRoundedRect(bar.adjusted(-0.5, -1.5, 0.5, 1.5), 3, 3);
        QLinearGradient face(bar.topLeft(), bar.bottomLeft());
        face.setColorAt(0, pal.accentBright);
        face.setColorAt(0.55, pal.accent);
        face.setColorAt(1, pal.accentDeep);
        painter.setBrush(face);
        painter.setPen(QPen(mix(pal.accentBright, Qt::white, 0.3), 0.8));
        painter.drawRoundedRect(bar, 2, 2);
        painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
        painter.drawLine(QPointF(bar.left() + 2, bar.top() + 1.5), QPointF(bar.right() - 2, bar.top() + 1.5));
    } else {
        QLinearGradient face(bar.topLeft(), bar.bottomLeft());
        face.setColorAt(0, QColor(0x0d, 0x0e, 0x11));
        face.setColorAt(1, QColor(0x22, 0x25, 0x2b));
        painter.setBrush(face);
        painter.setPen(QPen(QColor(0x33, 0x37, 0x3f), 0.8));
        painter.drawRoundedRect(bar, 2, 2);
    }
    painter.end();
    return image;
}

QImage checkBox(const Palette& pal, bool ticked) {
    QImage image = newImage(16, 16, true);
    QPainter painter;
    beginPainting(painter, image);
    drawCheckBox(painter, QPointF(0, 0), pal, ticked);
    painter.end();
    return image;
}

QImage functionBox(const Palette& pal, bool over) {
    QImage image = newImage(211, 21, true);
    QPainter painter;
    beginPainting(painter, image);
    drawDropField(painter, QRect(0, 0, 211, 21), 190, pal, over);
    // The number cell: the program writes the button number into the first 20 pixels.
    painter.setPen(Qt::NoPen);
    painter.setBrush(over ? withAlpha(pal.accent, 70) : QColor(255, 255, 255, 12));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 18, 18), 2, 2);
    painter.setPen(QPen(QColor(0, 0, 0, 140), 1));
    painter.drawLine(QPointF(20.5, 3), QPointF(20.5, 18));
    painter.setPen(QPen(over ? withAlpha(pal.accentBright, 160) : QColor(255, 255, 255, 18), 1));
    painter.drawLine(QPointF(21.5, 3), QPointF(21.5, 18));
    painter.end();
    return image;
}

QImage smallDropBox(const Palette& pal) {
    QImage image = newImage(85, 15, true);
    QPainter painter;
    beginPainting(painter, image);
    drawDropField(painter, QRect(0, 0, 85, 15), 69, pal, false);
    painter.end();
    return image;
}

} // namespace vexo::skingen
