// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexo::test {

// Folder of one skin in the build tree (bin/Skins/<name>).
QDir builtSkin(const QString& name);

// Every file in dir whose name equals name without regard to case, as the window looks images up.
QStringList caseInsensitiveMatches(const QDir& dir, const QString& name);

// Mean colour of image over rect (whole image when rect is null) after compositing it onto base,
// the way the window draws a picture with alpha onto its background.
QColor meanColor(const QImage& image, const QColor& base, QRect rect = {});

// Relative luminance (0 to 1) of a colour as used for contrast ratios.
double relativeLuminance(const QColor& c);

// Contrast ratio (1 to 21) between two colours.
double contrastRatio(const QColor& a, const QColor& b);

// True when some pixel of image is not fully opaque.
bool hasTransparentPixel(const QImage& image);

} // namespace vexo::test
