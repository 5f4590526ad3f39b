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
//
// A measuring recorder only finds out where a drawing would land: while one is alive the skin
// drawing draws no picture and no text, it only notes where pictures would go.
class SkinDrawExtent {
public:
    enum class Mode { Record, Measure };

    explicit SkinDrawExtent(Mode mode = Mode::Record);
    ~SkinDrawExtent();
    SkinDrawExtent(const SkinDrawExtent&) = delete;
    SkinDrawExtent& operator=(const SkinDrawExtent&) = delete;

    // The union of the pictures drawn so far; empty when none was drawn.
    QRect rect() const { return rect_; }

    // Called by the skin drawing for each picture drawn at rect.
    static void note(const QRect& rect);
    // Whether a measuring recorder is alive: skin drawing then only notes.
    static bool measuring();

private:
    QRect rect_;
    SkinDrawExtent* outer_;
    bool measuring_;
};

} // namespace vexo
