// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QImage>

namespace vexo::skingen {

// The small pictures of a skin: buttons, tick boxes, slider segments and drop-down boxes. Each is
// drawn at the size of the region the window draws it into, with a transparent surround where its
// shape is rounded. "Over" variants are clearly brighter and take the accent.

enum class TitleGlyph { Minimise, Close, Skins };
enum class PageGlyph { Previous, Next };

// 105 x 21 text button; the program writes the caption on it.
QImage textButton(const Palette& pal, bool over);

// 18 x 18 title-bar button.
QImage titleButton(const Palette& pal, TitleGlyph glyph, bool over);

// 40 x 40 page button.
QImage pageButton(const Palette& pal, PageGlyph glyph, bool over);

// A slider segment of width x 11; lit segments glow in the accent. With gapped true the segment
// leaves a pixel free on each side, for sliders whose segments touch.
QImage sliderSegment(const Palette& pal, int width, bool lit, bool gapped);

// 16 x 16 tick box.
QImage checkBox(const Palette& pal, bool ticked);

// 211 x 21 closed button-function box: a number cell on the left, an arrow cell on the right.
QImage functionBox(const Palette& pal, bool over);

// 85 x 15 lighting drop-down box: text area (the program covers it with a field) and arrow cell.
QImage smallDropBox(const Palette& pal);

} // namespace vexo::skingen
