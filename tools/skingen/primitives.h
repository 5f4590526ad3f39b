// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace vexo::skingen {

// Drawing helpers shared by every picture of a skin. All of them draw antialiased and leave the
// painter's state as they found it.

// A cleared image of the given size: transparent ARGB when alpha is true, opaque black RGB otherwise.
QImage newImage(int width, int height, bool alpha);

// A painter on image with antialiasing and smooth pixmap transforms on.
void beginPainting(QPainter& painter, QImage& image);

// DejaVu Sans (always installed on the build machine) at a pixel size.
QFont uiFont(qreal pixelSize, QFont::Weight weight = QFont::Normal, bool italic = false);

// A framed panel: soft drop shadow, vertical gradient, hairline border, faint top highlight.
void drawPanel(QPainter& painter, const QRectF& rect, const Palette& pal, qreal radius = 6);

// The mark under a section heading the program writes into heading: a short accent bar centred
// below it and a faint plate behind it. Nothing is drawn inside heading that would hurt legibility.
void drawHeadingMark(QPainter& painter, const QRect& heading, const Palette& pal);

// A sunken field whose inside is exactly inner (the program paints into it); the border lies one
// pixel outside inner.
void drawWell(QPainter& painter, const QRect& inner, const Palette& pal);

// A downward chevron centred on center, size pixels wide.
void drawChevronDown(QPainter& painter, const QPointF& center, qreal size, const QColor& color, qreal width = 1.6);

// A drop-down field: a dark text area and an arrow cell from arrowLeft to the right edge of rect.
// With hover the frame and arrow take the accent and the face brightens.
void drawDropField(QPainter& painter, const QRect& rect, int arrowLeft, const Palette& pal, bool hover);

// A 16 x 16 tick box at topLeft, empty or ticked.
void drawCheckBox(QPainter& painter, const QPointF& topLeft, const Palette& pal, bool ticked);

// The product emblem, a stylised "V" blade, fitted into box.
void drawEmblem(QPainter& painter, const QRectF& box, const Palette& pal);

// The "VEXO T58" wordmark with its baseline starting at origin, capital height about pixelSize.
// Returns the width drawn.
qreal drawWordmark(QPainter& painter, const QPointF& origin, qreal pixelSize, const Palette& pal);

// A glow along path: the path stroked several times with growing width and falling alpha.
void drawGlow(QPainter& painter, const QPainterPath& path, const QColor& color, qreal width);

// Fills rect with a faint diagonal weave so that large dark areas do not look flat.
void drawWeave(QPainter& painter, const QRect& rect, int alpha);

} // namespace vexo::skingen
