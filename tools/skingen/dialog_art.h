// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QImage>
#include <QSize>

namespace vexo::skingen {

// The pop-up dialogs. All share the close button at (352, 6), OK at (166, 253) and Cancel at
// (270, 253) and are 400 pixels wide, enough for their widest texts (to x 390); each is tall
// enough for the list it opens (the Windows-function list reaches y 305).
enum class DialogKind { SingleKey, ComboKey, FireKey, DelayTime, MediaKey, WindowsKey, MacroKey, Skins };

// Size of the dialog's background, which sizes the dialog.
QSize dialogSize(DialogKind kind);

// Background of the dialog, opaque.
QImage dialogBackground(const Palette& pal, DialogKind kind);

} // namespace vexo::skingen
