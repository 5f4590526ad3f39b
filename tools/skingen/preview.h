// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace vexo::skingen {

// A contact sheet of pal's skin for reviewing the artwork: both pages and every dialog with their
// buttons, boxes and segments composited at the window's coordinates and sample English texts in
// the delivered text colour (220, 220, 220), and the small pictures enlarged two times.
// Parts: "basic", "advanced", "dialogs", "parts" and "sheet" (all of them on one picture).
using PreviewPart = std::pair<QString, QImage>;
std::vector<PreviewPart> renderPreview(const Palette& pal);

} // namespace vexo::skingen
