// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QFont>
#include <QString>
#include <QStringList>
#include <string>

namespace vexo {

// The interface fonts of a language, built from the faces its text table names. A face the
// system lacks falls back to the nearest installed one: a CJK face of the right script for the
// Chinese languages, a metric-compatible face for the Windows Latin faces (Liberation Sans for
// Arial, DejaVu Sans for Tahoma), so that texts keep the width the layouts were drawn for.
class InterfaceFonts {
public:
    // face: the face the table names; cellHeight: its height in pixels including internal leading
    // (ascent + descent), as Windows fonts are sized; weight: 400 normal, 700 bold.
    static QFont make(const QString& face, int cellHeight, int weight, const std::string& language);

    // The installed family used for face, or an empty string when none of the candidates is there
    // (Qt then picks its own default for the style hint). Below weight 700 a family installed only
    // in bold styles is passed over.
    static QString nearestInstalled(const QString& face, const std::string& language, int weight = 400);

    // The families tried for face, best first (face itself first).
    static QStringList candidates(const QString& face, const std::string& language);
};

} // namespace vexo
