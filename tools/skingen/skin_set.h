// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "palette.h"

#include <QImage>
#include <QString>

#include <vector>

namespace vexo::skingen {

// One picture of a skin under the file name the program opens it by.
struct SkinFile {
    QString name; // file name inside the skin folder, e.g. "button-over.png"
    QImage image;
};

// Every picture of a skin, drawn with pal. The drop-down box of the lighting section is opened as
// both "/dropdownbox.png" and "/DropdownBox.png"; names are matched without regard to case, so it
// is written once, as "dropdownbox.png" (a second file differing only in case would collide on a
// case-insensitive file system).
std::vector<SkinFile> renderSkin(const Palette& pal);

// Writes every picture of pal's skin into folder (created when missing), each file replaced whole.
// Returns false and sets error when a folder or file cannot be written.
bool writeSkin(const Palette& pal, const QString& folder, QString* error);

} // namespace vexo::skingen
