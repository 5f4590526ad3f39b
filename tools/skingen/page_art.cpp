// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "page_art.h"

#include "mouse_art.h"
#include "panel_icons.h"
#include "primitives.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace vexo::skingen {

namespace {

// Layout of the window shared by both pages. The coordinates are those the window draws its
// controls and texts at; the artwork is placed around them.
constexpr int kTitleBarBottom = 32;
constexpr int kHeaderBottom = 110;
constexpr int kFooterTop = 602;
constexpr int kPanelTop = 150;
constexpr int kPanelBottom = 598;
const QRect kWebLink(138, 629, 172, 15);

void drawTitleBar(QPainter& painter, const Palette& pal) {
    painter.fillRect(QRect(0, 0, kPageWidth, kTitleBarBottom), pal.titleBar);
    // The accent line along the top edge fades out towards both sides.
    QLinearGradient top(QPointF(0, 0), QPointF(kPageWidth, 0));
    top.setColorAt(0, withAlpha(pal.accent, 0));
    top.setColorAt(0.25, pal.accent);
    top.setColorAt(0.75, pal.accent);
    top.setColorAt(1, withAlpha(pal.accent, 0));
    painter.fillRect(QRect(0, 0, kPageWidth, 2), top);
    painter.fillRect(QRect(0, kTitleBarBottom, kPageWidth, 1), QColor(0x26, 0x29, 0x2f));

    drawEmblem(painter, QRectF(14, 8, 18, 17), pal);
    painter.setFont(uiFont(11, QFont::Bold));
    painter.setPen(pal.glyph);
    painter.drawText(QRectF(38, 2, 200, kTitleBarBottom - 2), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("VEXO T58"));
    painter.setFont(uiFont(10));
    painter.setPen(pal.glyphMuted);
    painter.drawText(QRectF(106, 2, 200, kTitleBarBottom - 2), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("GAMING MOUSE"));
    // A hairline separates the skin button from the window buttons.
    painter.fillRect(QRect(733, 8, 1, 12), QColor(0x2e, 0x32, 0x3a));
}

void drawHeader(QPainter& painter, const Palette& pal) {
    const QRect band(0, kTitleBarBottom + 1, kPageWidth, kHeaderBottom - kTitleBarBottom - 1);
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0, QColor(0x1e, 0x21, 0x27));
    fill.setColorAt(1, QColor(0x15, 0x17, 0x1b));
    painter.fillRect(band, fill);

    // Speed lines behind the wordmark.
    painter.save();
    painter.setClipRect(band);
    for (int i = 0; i < 9; ++i) {
        const qreal x = 560 + i * 34;
        QLinearGradient stripe(QPointF(x, band.top()), QPointF(x + 40, band.bottom()));
        stripe.setColorAt(0, withAlpha(pal.accent, 0));
        stripe.setColorAt(1, withAlpha(pal.accent, 6 + i * 2));
        QPainterPath p;
        p.moveTo(x + 30, band.top());
        p.lineTo(x + 44, band.top());
        p.lineTo(x + 14, band.bottom() + 1);
        p.lineTo(x, band.bottom() + 1);
        p.closeSubpath();
        painter.fillPath(p, stripe);
    }
    painter.restore();

    // A recessed plate for the two page buttons.
    painter.setPen(QPen(QColor(0x2a, 0x2d, 0x34), 1));
    painter.setBrush(QColor(0x0f, 0x10, 0x13));
    painter.drawRoundedRect(QRectF(15.5, 50.5, 99, 49), 10, 10);

    // The wordmark, right-aligned in the header.
    const qreal size = 26;
    QPainterPath probe;
    probe.addText(0, 0, uiFont(size * 1.37, QFont::Black), QStringLiteral("VEXO T58"));
    drawWordmark(painter, QPointF(kPageWidth - 22 - probe.boundingRect().width() - 10, 86), size, pal);

    // The band ends in a hairline with an accent run under the page title.
    painter.fillRect(QRect(0, kHeaderBottom, kPageWidth, 1), QColor(0x2a, 0x2e, 0x35));
    QLinearGradient run(QPointF(14, 0), QPointF(420, 0));
    run.setColorAt(0, pal.accent);
    run.setColorAt(1, withAlpha(pal.accent, 0));
    painter.fillRect(QRect(14, kHeaderBottom, 406, 1), run);
}

void drawFooter(QPainter& painter, const Palette& pal) {
    const QRect band(0, kFooterTop, kPageWidth, kPageHeight - kFooterTop);
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0, QColor(0x13, 0x14, 0x18));
    fill.setColorAt(1, pal.titleBar);
    painter.fillRect(band, fill);
    painter.fillRect(QRect(0, kFooterTop, kPageWidth, 1), QColor(0x26, 0x29, 0x2f));

    drawEmblem(painter, QRectF(20, 618, 22, 21), pal);
    painter.setFont(uiFont(10, QFont::Bold));
    painter.setPen(pal.glyphMuted);
    painter.drawText(QRectF(48, 616, 86, 26), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VEXO"));

    // Web link: a globe and the address, underlined, inside the link's click area.
    painter.save();
    const QPointF globe(kWebLink.left() + 7.5, kWebLink.center().y() + 0.5);
    painter.setPen(QPen(pal.link, 1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(globe, 6, 6);
    painter.drawEllipse(globe, 2.6, 6);
    painter.drawLine(globe - QPointF(6, 0), globe + QPointF(6, 0));
    painter.setFont(uiFont(11));
    const QRectF text(kWebLink.left() + 18, kWebLink.top(), kWebLink.width() - 18, kWebLink.height());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(kWebLinkText));
    const qreal w = painter.fontMetrics().horizontalAdvance(QString::fromLatin1(kWebLinkText));
    painter.setPen(QPen(withAlpha(pal.link, 110), 1));
    painter.drawLine(QPointF(text.left(), kWebLink.bottom() + 0.5), QPointF(text.left() + w, kWebLink.bottom() + 0.5));
    painter.restore();
}

// The window body with title bar, header and footer, common to both pages.
void drawFrame(QPainter& painter, const Palette& pal) {
    QLinearGradient body(QPointF(0, 0), QPointF(0, kPageHeight));
    body.setColorAt(0, pal.windowTop);
    body.setColorAt(1, pal.windowBottom);
    painter.fillRect(QRect(0, 0, kPageWidth, kPageHeight), body);
    drawWeave(painter, QRect(0, kHeaderBottom, kPageWidth, kFooterTop - kHeaderBottom), 5);
    // A cool vignette from the upper left lifts the panels off the body.
    QRadialGradient light(QPointF(300, 160), 620);
    light.setColorAt(0, QColor(255, 255, 255, 10));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(0, kHeaderBottom, kPageWidth, kFooterTop - kHeaderBottom), light);

    drawTitleBar(painter, pal);
    drawHeader(painter, pal);
    drawFooter(painter, pal);
    // Window edge.
    painter.setPen(QPen(QColor(0x32, 0x36, 0x3e), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, kPageWidth - 1, kPageHeight - 1));
}

// A faint separator across a panel.
void drawSeparator(QPainter& painter, qreal left, qreal right, qreal y) {
    QLinearGradient line(QPointF(left, y), QPointF(right, y));
    line.setColorAt(0, QColor(255, 255, 255, 0));
    line.setColorAt(0.5, QColor(255, 255, 255, 22));
    line.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(left, y, right - left, 1), line);
}

// A groove the slider segments sit in.
void drawTrack(QPainter& painter, const QRectF& rect) {
    painter.save();
    painter.setPen(QPen(QColor(0x2c, 0x30, 0x37), 1));
    painter.setBrush(QColor(0x09, 0x0a, 0x0c));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.restore();
}

// A round record-control button of the macro editor, 29 x 29 at topLeft.
void drawRecordButton(QPainter& painter, const QPointF& topLeft, bool record, const Palette& pal) {
    painter.save();
    const QRectF r(topLeft.x() + 0.5, topLeft.y() + 0.5, 28, 28);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, pal.controlTop);
    face.setColorAt(1, pal.controlBottom);
    painter.setBrush(face);
    painter.setPen(QPen(pal.controlBorder, 1));
    painter.drawEllipse(r);
    painter.setPen(Qt::NoPen);
    if (record) {
        QRadialGradient dot(r.center() - QPointF(2, 2), 8);
        dot.setColorAt(0, QColor(0xff, 0x7a, 0x7a));
        dot.setColorAt(1, QColor(0xd0, 0x1c, 0x28));
        painter.setBrush(dot);
        painter.drawEllipse(r.center(), 6.5, 6.5);
    } else {
        painter.setBrush(pal.glyph);
        painter.drawRoundedRect(QRectF(r.center().x() - 5.5, r.center().y() - 5.5, 11, 11), 2, 2);
    }
    painter.restore();
}

} // namespace

QImage basicPage(const Palette& pal) {
    QImage image = newImage(kPageWidth, kPageHeight, false);
    QPainter painter;
    beginPainting(painter, image);
    drawFrame(painter, pal);

    // Mouse illustration with the button numbers used by the function boxes.
    drawPanel(painter, QRectF(14, kPanelTop, 222, kPanelBottom - kPanelTop), pal);
    drawMouseIllustration(painter, QRectF(18, 176, 214, 400), pal);

    // Button functions: eight boxes (252, 186 + 23k), mode buttons and the key default button.
    drawPanel(painter, QRectF(244, kPanelTop, 230, kPanelBottom - kPanelTop), pal);
    drawHeadingMark(painter, QRect(259, 160, 105, 21), pal);
    drawPanelIcon(painter, QPointF(440, 158), PanelIcon::Buttons, pal);
    painter.save();
    painter.setOpacity(0.05);
    drawEmblem(painter, QRectF(303, 390, 110, 100), pal);
    painter.restore();
    drawSeparator(painter, 252, 464, 505);
    painter.setPen(QPen(QColor(0x2a, 0x2d, 0x34), 1));
    painter.setBrush(QColor(0x0e, 0x0f, 0x12));
    painter.drawRoundedRect(QRectF(250.5, 515.5, 214, 26), 5, 5);

    // Report rate: four 70-pixel segments from x 542, captions under them.
    drawPanel(painter, QRectF(494, kPanelTop, 372, 106), pal);
    drawHeadingMark(painter, QRect(504, 161, 105, 21), pal);
    drawPanelIcon(painter, QPointF(832, 158), PanelIcon::Rate, pal);
    drawTrack(painter, QRectF(538, 200, 294, 19));

    // DPI stages: rows at y 322 + 30k with number, tick box, colour swatch and value field.
    drawPanel(painter, QRectF(494, 266, 186, kPanelBottom - 266), pal);
    drawHeadingMark(painter, QRect(504, 275, 105, 21), pal);
    drawPanelIcon(painter, QPointF(646, 274), PanelIcon::Dpi, pal);
    for (int k = 0; k < 8; ++k) {
        const int y = 322 + 30 * k;
        if (k % 2 == 0)
            painter.fillRect(QRect(500, y - 6, 174, 28), QColor(255, 255, 255, 6));
        drawWell(painter, QRect(548, y, 16, 16), pal);
        drawDropField(painter, QRect(574, y, 86, 16), 644, pal, false);
    }

    // Lighting: mode and parameter boxes at (766, 329) and (766, 359), effect box at (767, 390).
    drawPanel(painter, QRectF(688, 266, 178, kPanelBottom - 266), pal);
    drawHeadingMark(painter, QRect(704, 275, 105, 21), pal);
    drawPanelIcon(painter, QPointF(832, 274), PanelIcon::Light, pal);
    for (int y : {329, 359})
        drawDropField(painter, QRect(766, y, 85, 15), 835, pal, false);
    drawDropField(painter, QRect(766, 389, 85, 16), 835, pal, false);
    // A spectrum ring hints at the lighting without competing with the controls.
    painter.save();
    const QPointF ring(777, 520);
    QConicalGradient spectrum(ring, 90);
    const QColor hues[] = {pal.accent,
                           QColor(0xff, 0xb0, 0x2e),
                           QColor(0x3c, 0xd8, 0x7a),
                           QColor(0x2f, 0x8b, 0xff),
                           QColor(0xb0, 0x4a, 0xff),
                           pal.accent};
    for (int i = 0; i < 6; ++i)
        spectrum.setColorAt(i / 5.0, withAlpha(hues[i], 150));
    painter.setPen(QPen(QBrush(spectrum), 5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring, 42, 42);
    painter.setPen(QPen(QBrush(spectrum), 1));
    painter.setOpacity(0.5);
    painter.drawEllipse(ring, 50, 50);
    painter.setOpacity(1);
    drawEmblem(painter, QRectF(ring.x() - 16, ring.y() - 15, 32, 30), pal);
    painter.restore();

    painter.end();
    return image;
}

QImage advancedPage(const Palette& pal) {
    QImage image = newImage(kPageWidth, kPageHeight, false);
    QPainter painter;
    beginPainting(painter, image);
    drawFrame(painter, pal);

    // Desktop pointer settings: three eleven-step sliders from x 52, two tick boxes at x 51.
    drawPanel(painter, QRectF(14, kPanelTop, 418, kPanelBottom - kPanelTop), pal);
    const int sliderTops[] = {200, 350, 500};
    const PanelIcon icons[] = {PanelIcon::Pointer, PanelIcon::Wheel, PanelIcon::DoubleClick};
    for (int i = 0; i < 3; ++i) {
        const int top = sliderTops[i];
        drawHeadingMark(painter, QRect(38, top - 40, 105, 21), pal);
        drawTrack(painter, QRectF(48, top - 4, 272, 19));
        drawPanelIcon(painter, QPointF(392, top - 42), icons[i], pal);
        if (i < 2)
            drawSeparator(painter, 30, 416, top + 94);
    }
    drawCheckBox(painter, QPointF(51, 255), pal, false);
    drawCheckBox(painter, QPointF(51, 405), pal, false);

    // Macro editor: name and sequence lists side by side, the recording column to their right.
    drawPanel(painter, QRectF(450, kPanelTop, 416, kPanelBottom - kPanelTop), pal);
    drawHeadingMark(painter, QRect(469, 160, 109, 21), pal);
    drawPanelIcon(painter, QPointF(832, 158), PanelIcon::Macro, pal);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 12));
    painter.drawRoundedRect(QRectF(461, 196, 265, 24), 3, 3);
    painter.drawRoundedRect(QRectF(733, 196, 123, 24), 3, 3);
    painter.fillRect(QRect(591, 200, 1, 16), QColor(255, 255, 255, 24));
    drawWell(painter, QRect(462, 220, 264, 292), pal);
    painter.fillRect(QRect(591, 220, 1, 292), QColor(0x2a, 0x2e, 0x35));
    drawRecordButton(painter, QPointF(735, 229), true, pal);
    drawRecordButton(painter, QPointF(735, 265), false, pal);
    drawWell(painter, QRect(735, 322, 64, 14), pal);
    drawWell(painter, QRect(735, 362, 64, 14), pal);
    drawDropField(painter, QRect(734, 401, 121, 16), 838, pal, false);
    drawSeparator(painter, 458, 858, 520);

    painter.end();
    return image;
}

} // namespace vexo::skingen
