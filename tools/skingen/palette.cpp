// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "palette.h"

namespace vexo::skingen {

namespace {

// The neutral part of the theme, shared by every skin so that they differ in accent only.
Palette darkTheme(const QString& name, QColor accent) {
    Palette p;
    p.name = name;
    p.accent = accent;
    p.accentBright = mix(accent, Qt::white, 0.35);
    p.accentDeep = mix(accent, Qt::black, 0.45);
    p.windowTop = QColor(0x1b, 0x1d, 0x22);
    p.windowBottom = QColor(0x101114);
    p.titleBar = QColor(0x0c0d0f);
    p.panelTop = QColor(0x20, 0x23, 0x29);
    p.panelBottom = QColor(0x191b20);
    p.panelBorder = QColor(0x2f, 0x33, 0x3b);
    p.well = QColor(0x0a0b0d);
    p.wellBorder = QColor(0x35, 0x39, 0x42);
    p.controlTop = QColor(0x2e, 0x32, 0x3a);
    p.controlBottom = QColor(0x1f, 0x22, 0x28);
    p.controlBorder = QColor(0x41, 0x46, 0x50);
    p.glyph = QColor(0xb4, 0xb9, 0xc2);
    p.glyphMuted = QColor(0x6a, 0x70, 0x7a);
    p.link = mix(accent, QColor(0xdc, 0xdc, 0xdc), 0.45);
    return p;
}

} // namespace

Palette Palette::black() { return darkTheme(QStringLiteral("Black"), QColor(0xe5, 0x2e, 0x3d)); }

Palette Palette::blue() { return darkTheme(QStringLiteral("Blue"), QColor(0x2f, 0x8b, 0xff)); }

std::vector<Palette> Palette::all() { return {black(), blue()}; }

QColor mix(const QColor& a, const QColor& b, qreal t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor withAlpha(const QColor& c, int alpha) {
    QColor out = c;
    out.setAlpha(alpha);
    return out;
}

} // namespace vexo::skingen
