// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QRect>

namespace vexo {

// Records where skin pictures land while it is alive: every DrawSkinImage that draws unites the
// picture's rectangle into the innermost live recorder. A hover region's over picture may be larger
// than the region (a glow around a button); what it covered is what has to be restored later.
// Main-thread only, like all drawing; recorders nest.
class SkinDrawExtent {
public:
    SkinDrawExtent();
    ~SkinDrawExtent();
    SkinDrawExtent(const SkinDrawExtent&) = delete;
    SkinDrawExtent& operator=(const SkinDrawExtent&) = delete;

    // The union of the pictures drawn so far; empty when none was drawn.
    QRect rect() const { return rect_; }

    // Called by the skin drawing for each picture drawn at rect.
    static void note(const QRect& rect);

private:
    QRect rect_;
    SkinDrawExtent* outer_;
};

} // namespace vexo
