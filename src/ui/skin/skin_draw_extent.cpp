// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/skin_draw_extent.h"

namespace vexo {

namespace {
SkinDrawExtent* innermost = nullptr;
} // namespace

SkinDrawExtent::SkinDrawExtent() : outer_(innermost) { innermost = this; }

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
