// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QImage>

namespace vexo {

// The icon drawn at size x size pixels on a transparent ground. Needs no running application, so
// the build can write the icon theme's pictures with it. data/icons holds the same drawing as SVG.
QImage DrawAppIcon(int size);

} // namespace vexo
