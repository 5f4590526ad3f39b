// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QPaintDevice;

namespace vexo {

// The texts of a skinned face that were too wide for their boxes: drawn cut at the right with an
// ellipsis, and kept here whole, by the picture they were drawn on and their box, so that a tooltip
// can show them whole. Single-threaded, like all drawing of the interface.
class ElidedTexts {
public:
    // text as it is drawn in width pixels with font on device (null: the screen's metrics): whole
    // when it fits, otherwise cut at the right with an ellipsis.
    static QString fit(const QString& text, const QFont& font, int width, const QPaintDevice* device = nullptr);

    // A text was drawn in box on device: when shown differs from text, text is kept for box; any
    // text kept for box before is forgotten (the box now shows something else).
    static void note(const QPaintDevice* device, const QRect& box, const QString& text, const QString& shown);
    // The whole text drawn cut in a box of device that holds p, or an empty string.
    static QString at(const QPaintDevice* device, QPoint p);
    // device is going away or is drawn anew from nothing.
    static void forget(const QPaintDevice* device);
};

} // namespace vexo
