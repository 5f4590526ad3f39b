// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QPainter>
#include <QPointF>

namespace vexo::skingen {

// Small line icons in the top right-hand corner of the page panels, telling the sections apart
// without words (the program writes the headings in the interface language).
enum class PanelIcon { Buttons, Rate, Dpi, Light, Pointer, Wheel, DoubleClick, Macro };

// Draws icon into the 24 x 24 box at topLeft.
void drawPanelIcon(QPainter& painter, const QPointF& topLeft, PanelIcon icon, const Palette& pal);

} // namespace vexo::skingen
