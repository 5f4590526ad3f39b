// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "dialog_art.h"

#include "primitives.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace vexo::skingen {

namespace {

constexpr int kWidth = 400;
constexpr int kTitleBottom = 30;
constexpr int kFooterTop = 244; // OK and Cancel sit at y 253 to 274

void drawDialogFrame(QPainter& painter, const Palette& pal, const QSize& size) {
    const QRect all(QPoint(0, 0), size);
    QLinearGradient body(QPointF(0, 0), QPointF(0, size.height()));
    body.setColorAt(0, pal.panelTop);
    body.setColorAt(1, pal.windowBottom);
    painter.fillRect(all, body);
    drawWeave(painter, QRect(0, kTitleBottom, size.width(), kFooterTop - kTitleBottom), 4);

    painter.fillRect(QRect(0, 0, size.width(), kTitleBottom), pal.titleBar);
    QLinearGradient top(QPointF(0, 0), QPointF(size.width(), 0));
    top.setColorAt(0, withAlpha(pal.accent, 0));
    top.setColorAt(0.3, pal.accent);
    top.setColorAt(0.7, pal.accent);
    top.setColorAt(1, withAlpha(pal.accent, 0));
    painter.fillRect(QRect(0, 0, size.width(), 2), top);
    painter.fillRect(QRect(0, kTitleBottom, size.width(), 1), QColor(0x26, 0x29, 0x2f));
    drawEmblem(painter, QRectF(12, 7, 17, 16), pal);
    painter.setFont(uiFont(11, QFont::Bold));
    painter.setPen(pal.glyph);
    painter.drawText(QRectF(35, 2, 150, kTitleBottom - 2), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("VEXO T58"));

    // Footer band under OK and Cancel.
    const QRect footer(0, kFooterTop, size.width(), size.height() - kFooterTop);
    QLinearGradient foot(footer.topLeft(), footer.bottomLeft());
    foot.setColorAt(0, QColor(0x13, 0x14, 0x18));
    foot.setColorAt(1, pal.titleBar);
    painter.fillRect(footer, foot);
    painter.fillRect(QRect(0, kFooterTop, size.width(), 1), QColor(0x26, 0x29, 0x2f));

    painter.setPen(QPen(QColor(0x32, 0x36, 0x3e), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

// A keycap seen from above at an angle, without a legend.
void drawKeycap(QPainter& painter, const QRectF& r, const Palette& pal, bool accent) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRoundedRect(r.translated(0, 4), 8, 8);
    QLinearGradient skirt(r.topLeft(), r.bottomLeft());
    skirt.setColorAt(0, QColor(0x3a, 0x3e, 0x46));
    skirt.setColorAt(1, QColor(0x16, 0x18, 0x1c));
    painter.setBrush(skirt);
    painter.setPen(QPen(QColor(0x0a, 0x0b, 0x0d), 1));
    painter.drawRoundedRect(r, 8, 8);
    const QRectF top = r.adjusted(r.width() * 0.12, r.height() * 0.08, -r.width() * 0.12, -r.height() * 0.2);
    QLinearGradient face(top.topLeft(), top.bottomRight());
    face.setColorAt(0, QColor(0x4e, 0x54, 0x5e));
    face.setColorAt(1, QColor(0x2a, 0x2e, 0x34));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(255, 255, 255, 30), 1));
    painter.drawRoundedRect(top, 6, 6);
    if (accent)
        drawGlow(
            painter,
            [&] {
                QPainterPath p;
                p.moveTo(r.left() + 10, r.bottom() + 1.5);
                p.lineTo(r.right() - 10, r.bottom() + 1.5);
                return p;
            }(),
            pal.accent, 1.2);
    painter.restore();
}

// The large line icon on the free right-hand side of a dialog.
void drawDialogIcon(QPainter& painter, DialogKind kind, const QPointF& c, const Palette& pal) {
    painter.save();
    // A soft accent halo behind every icon.
    QRadialGradient halo(c, 70);
    halo.setColorAt(0, withAlpha(pal.accent, 36));
    halo.setColorAt(1, withAlpha(pal.accent, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(c, 70, 70);

    QPen line(pal.glyph, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen hot(pal.accent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setBrush(Qt::NoBrush);
    switch (kind) {
    case DialogKind::SingleKey: drawKeycap(painter, QRectF(c.x() - 34, c.y() - 34, 68, 66), pal, true); break;
    case DialogKind::ComboKey:
        drawKeycap(painter, QRectF(c.x() - 70, c.y() - 26, 54, 52), pal, false);
        drawKeycap(painter, QRectF(c.x() + 16, c.y() - 26, 54, 52), pal, true);
        painter.setPen(hot);
        painter.drawLine(QPointF(c.x() - 7, c.y()), QPointF(c.x() + 7, c.y()));
        painter.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() + 7));
        break;
    case DialogKind::FireKey:
        // Crosshair with a burst of repeats.
        painter.setPen(line);
        painter.drawEllipse(c, 26, 26);
        for (int i = 0; i < 4; ++i) {
            painter.save();
            painter.translate(c);
            painter.rotate(90 * i);
            painter.drawLine(QPointF(0, -36), QPointF(0, -18));
            painter.restore();
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.accent);
        painter.drawEllipse(c, 5, 5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(withAlpha(pal.accent, 160), 2, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i)
            painter.drawArc(QRectF(c.x() - 44 - 6 * i, c.y() - 44 - 6 * i, 88 + 12 * i, 88 + 12 * i), 20 * 16, 50 * 16);
        break;
    case DialogKind::DelayTime: {
        painter.setPen(line);
        painter.drawEllipse(c + QPointF(0, 6), 32, 32);
        painter.drawLine(c + QPointF(0, -26), c + QPointF(0, -34));
        painter.drawLine(c + QPointF(-8, -36), c + QPointF(8, -36));
        painter.drawLine(c + QPointF(24, -22), c + QPointF(29, -27));
        painter.setPen(hot);
        painter.drawLine(c + QPointF(0, 6), c + QPointF(0, -14));
        painter.drawLine(c + QPointF(0, 6), c + QPointF(13, 13));
        painter.setPen(QPen(withAlpha(pal.accent, 110), 5, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(QRectF(c.x() - 24, c.y() - 18, 48, 48), 90 * 16, -120 * 16);
        break;
    }
    case DialogKind::MediaKey: {
        painter.setPen(line);
        painter.drawEllipse(c, 34, 34);
        QPainterPath play;
        play.moveTo(c.x() - 9, c.y() - 15);
        play.lineTo(c.x() + 16, c.y());
        play.lineTo(c.x() - 9, c.y() + 15);
        play.closeSubpath();
        painter.setPen(QPen(pal.accentBright, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(pal.accent);
        painter.drawPath(play);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(pal.glyphMuted, 2.4, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 2; ++i)
            painter.drawArc(QRectF(c.x() - 48 - 8 * i, c.y() - 48 - 8 * i, 96 + 16 * i, 96 + 16 * i), -30 * 16,
                            60 * 16);
        break;
    }
    case DialogKind::WindowsKey: {
        // An application window with a title strip and a pointer on it.
        painter.setPen(line);
        painter.drawRoundedRect(QRectF(c.x() - 40, c.y() - 30, 80, 60), 6, 6);
        painter.drawLine(QPointF(c.x() - 40, c.y() - 16), QPointF(c.x() + 40, c.y() - 16));
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.accent);
        for (int i = 0; i < 3; ++i)
            painter.drawEllipse(QPointF(c.x() - 31 + 8 * i, c.y() - 23), 2.2, 2.2);
        painter.setBrush(QColor(255, 255, 255, 18));
        painter.drawRect(QRectF(c.x() - 32, c.y() - 8, 28, 30));
        painter.drawRect(QRectF(c.x() + 2, c.y() - 8, 30, 12));
        painter.drawRect(QRectF(c.x() + 2, c.y() + 8, 30, 14));
        break;
    }
    case DialogKind::Skins: {
        // Two miniature windows, one in each accent of the default skins.
        const QColor accents[] = {QColor(0x2f, 0x8b, 0xff), QColor(0xe5, 0x2e, 0x3d)};
        for (int i = 0; i < 2; ++i) {
            const QRectF w(c.x() - 52 + 26 * i, c.y() - 40 + 26 * i, 78, 54);
            painter.setPen(QPen(QColor(0x40, 0x44, 0x4d), 1));
            painter.setBrush(QColor(0x17, 0x19, 0x1d));
            painter.drawRoundedRect(w, 5, 5);
            painter.setPen(Qt::NoPen);
            painter.setBrush(accents[i]);
            painter.drawRect(QRectF(w.left() + 4, w.top() + 2, w.width() - 8, 2));
            painter.setBrush(QColor(255, 255, 255, 20));
            painter.drawRoundedRect(QRectF(w.left() + 6, w.top() + 10, 28, 36), 2, 2);
            painter.drawRoundedRect(QRectF(w.left() + 38, w.top() + 10, 34, 16), 2, 2);
            painter.setBrush(accents[i]);
            painter.drawRoundedRect(QRectF(w.left() + 38, w.top() + 32, 22, 4), 2, 2);
        }
        break;
    }
    case DialogKind::MacroKey: break;
    }
    painter.restore();
}

} // namespace

QSize dialogSize(DialogKind kind) { return QSize(kWidth, kind == DialogKind::WindowsKey ? 316 : 292); }

QImage dialogBackground(const Palette& pal, DialogKind kind) {
    const QSize size = dialogSize(kind);
    QImage image = newImage(size.width(), size.height(), false);
    QPainter painter;
    beginPainting(painter, image);
    drawDialogFrame(painter, pal, size);

    switch (kind) {
    case DialogKind::SingleKey:
        // Prompt at (45, 108)-(181, 124), key name field at (74, 129)-(150, 143).
        drawWell(painter, QRect(74, 129, 76, 14), pal);
        drawDialogIcon(painter, kind, QPointF(300, 130), pal);
        break;
    case DialogKind::ComboKey:
        // Modifier box (50, 70)-(132, 84), key edits at y 120 and 170, with "+" between.
        drawDropField(painter, QRect(49, 69, 84, 16), 116, pal, false);
        drawWell(painter, QRect(50, 120, 81, 14), pal);
        drawWell(painter, QRect(50, 170, 81, 14), pal);
        painter.setPen(QPen(pal.accent, 2, Qt::SolidLine, Qt::RoundCap));
        for (int y : {102, 152}) {
            painter.drawLine(QPointF(86, y), QPointF(96, y));
            painter.drawLine(QPointF(91, y - 5), QPointF(91, y + 5));
        }
        drawDialogIcon(painter, kind, QPointF(290, 126), pal);
        break;
    case DialogKind::FireKey:
        // Key box (50, 70)-(132, 84); speed and times edits; explanation lines from y 184.
        drawDropField(painter, QRect(49, 69, 84, 16), 116, pal, false);
        drawWell(painter, QRect(50, 120, 81, 14), pal);
        drawWell(painter, QRect(50, 170, 81, 14), pal);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawRoundedRect(QRectF(9, 188, 382, 54), 5, 5);
        drawDialogIcon(painter, kind, QPointF(320, 105), pal);
        break;
    case DialogKind::DelayTime:
        // Two prompt lines (14, 89)-(210, 129) and the delay edit at (74, 129)-(150, 143).
        drawWell(painter, QRect(74, 129, 76, 14), pal);
        drawDialogIcon(painter, kind, QPointF(300, 126), pal);
        break;
    case DialogKind::MediaKey:
    case DialogKind::WindowsKey:
        // Choice box (43, 129)-(151, 143); the list opens under it.
        drawDropField(painter, QRect(42, 128, 110, 16), 135, pal, false);
        drawDialogIcon(painter, kind, QPointF(292, 128), pal);
        break;
    case DialogKind::MacroKey:
        // Choice box (43, 129)-(151, 143); three repeat options at x 220, y 78, 128, 178.
        drawDropField(painter, QRect(42, 128, 110, 16), 136, pal, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawRoundedRect(QRectF(210, 62, 184, 148), 6, 6);
        for (int i = 0; i < 3; ++i)
            drawCheckBox(painter, QPointF(220, 78 + 50 * i), pal, false);
        for (int y : {111, 161}) {
            painter.fillRect(QRect(218, y, 168, 1), QColor(255, 255, 255, 16));
        }
        break;
    case DialogKind::Skins:
        // Hint (12, 64)-(181, 94), swatch (42, 94)-(151, 110), name box (42, 128)-(151, 144).
        drawWell(painter, QRect(42, 94, 109, 16), pal);
        drawDropField(painter, QRect(41, 127, 111, 18), 136, pal, false);
        drawDialogIcon(painter, kind, QPointF(290, 128), pal);
        break;
    }
    painter.end();
    return image;
}

} // namespace vexo::skingen
