// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/skin_draw_extent.h"

namespace vexo {

namespace {
SkinDrawExtent* innermost = nullptr;
} // namespace

SkinDrawExtent::SkinDrawExtent(Mode mode)
    : outer_(innermost), measuring_(mode == Mode::Measure || (innermost != nullptr && innermost->measuring_)) {
    innermost = this;
}

bool SkinDrawExtent::measuring() { return innermost != nullptr && innermost->measuring_; }

SkinDrawExtent::~SkinDrawExtent() {
    innermost = outer_;
    // What an inner recorder saw was drawn for the outer one too.
    if (outer_ != nullptr)
        outer_->rect_ |= rect_;
}

void SkinDrawExtent::note(const QRect& rect) {
    if (innermost != nullptr)
        innermost->rect_ |= rect;
}

} // namespace vexo
