// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QImage>

namespace vexo::skingen {

// Size of both page backgrounds, which also sizes the main window. Every region of the window lies
// inside: the close button ends at x 868 and the web link at y 644.
inline constexpr int kPageWidth = 880;
inline constexpr int kPageHeight = 650;

// The web address shown in the link area of both pages; the window opens
// https://www.vexo-gaming.example for a click on it.
inline constexpr const char* kWebLinkText = "www.vexo-gaming.example";

// Background of the basic page (button functions, report rate, DPI stages, lighting), opaque.
QImage basicPage(const Palette& pal);

// Background of the advanced page (desktop pointer settings and the macro editor), opaque.
QImage advancedPage(const Palette& pal);

} // namespace vexo::skingen
