// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <QRect>

namespace vexo {

// A fixed client rectangle (left, top, right, bottom) with right and bottom outside it.
struct Region {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    bool contains(QPoint p) const { return contains(p.x(), p.y()); }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    QRect rect() const { return QRect(left, top, width(), height()); }
    QPoint topLeft() const { return QPoint(left, top); }
};

} // namespace vexo
