// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QPainter>
#include <QRectF>

namespace vexo::skingen {

// A top view of the T58 with its eight programmable buttons numbered as on the button function
// boxes (1 left, 2 right, 3 wheel, 4 forward, 5 backward, 6 DPI+, 7 DPI-, 8 front thumb button),
// drawn with paths into area (about 220 x 400 pixels is the intended size).
void drawMouseIllustration(QPainter& painter, const QRectF& area, const Palette& pal);

} // namespace vexo::skingen
