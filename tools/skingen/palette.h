// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QString>

#include <vector>

namespace vexo::skingen {

// The colours of one skin. Every skin shares the dark theme; skins differ in their accent, which
// marks lit slider segments, ticked boxes, hovered controls and the logo.
struct Palette {
    QString name; // folder name under Skins/, stored as "Path" in str.ini

    QColor accent; // lit segments, ticks, emblem
    QColor accentBright; // highlights on accent shapes, hover rings
    QColor accentDeep; // shadows and lower gradient stops of accent shapes

    QColor windowTop, windowBottom; // window body gradient
    QColor titleBar; // title strip and footer
    QColor panelTop, panelBottom; // framed panels
    QColor panelBorder;
    QColor well; // sunken fields that the program fills with text or child windows
    QColor wellBorder;
    QColor controlTop, controlBottom; // raised controls at rest
    QColor controlBorder;
    QColor glyph; // icons at rest
    QColor glyphMuted; // secondary artwork, separators with text
    QColor link; // web link text

    // The default skin: dark theme, red accent.
    static Palette black();
    // The same dark theme with a blue accent.
    static Palette blue();
    // Every skin the generator writes, the default first.
    static std::vector<Palette> all();
};

// Linear blend of a and b: t = 0 gives a, t = 1 gives b (alpha blended too).
QColor mix(const QColor& a, const QColor& b, qreal t);

// A copy of c with its alpha set to alpha (0 to 255).
QColor withAlpha(const QColor& c, int alpha);

} // namespace vexo::skingen
