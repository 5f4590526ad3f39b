// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/interface_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>

namespace vexo {

namespace {

bool HasCjk(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

} // namespace

QStringList InterfaceFonts::candidates(const QString& face, const std::string& language) {
    QStringList list{face};
    const bool traditional = language == "CHT";
    const bool chinese = language == "CHS" || traditional || HasCjk(face);
    if (chinese) {
        // 宋体 is a serif face, 黑体 a sans face; each falls back to its own style first.
        const bool serif = face == QStringLiteral("宋体") || face.compare("SimSun", Qt::CaseInsensitive) == 0;
        const QString sc = traditional ? "TC" : "SC";
        if (serif)
            list << "Noto Serif CJK " + sc << "Source Han Serif " + sc << "AR PL UMing CN";
        list << "Noto Sans CJK " + sc << "Source Han Sans " + sc << "WenQuanYi Zen Hei"
             << "WenQuanYi Micro Hei"
             << "Droid Sans Fallback"
             << "Noto Sans CJK JP";
        return list;
    }
    if (face.compare("Arial", Qt::CaseInsensitive) == 0)
        list << "Liberation Sans"
             << "Arimo"
             << "Nimbus Sans"
             << "Helvetica";
    else if (face.compare("Tahoma", Qt::CaseInsensitive) == 0)
        list << "DejaVu Sans"
             << "Verdana"
             << "Liberation Sans";
    list << "DejaVu Sans"
         << "Liberation Sans"
         << "Noto Sans";
    return list;
}

QString InterfaceFonts::nearestInstalled(const QString& face, const std::string& language, int weight) {
    const QStringList installed = QFontDatabase::families();
    // A family installed only in bold (Noto Serif CJK often is) would draw normal text bold.
    const auto hasWeight = [weight](const QString& family) {
        if (weight >= 700)
            return true;
        const QStringList styles = QFontDatabase::styles(family);
        return styles.isEmpty() || std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
                   return QFontDatabase::weight(family, style) < QFont::DemiBold;
               });
    };
    for (const QString& candidate : candidates(face, language)) {
        for (const QString& family : installed) {
            if (family.compare(candidate, Qt::CaseInsensitive) == 0 && hasWeight(family))
                return family;
        }
    }
    return {};
}

QFont InterfaceFonts::make(const QString& face, int cellHeight, int weight, const std::string& language) {
    QFont font;
    const QString family = nearestInstalled(face, language, weight);
    if (!family.isEmpty())
        font.setFamily(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setPixelSize(std::max(1, cellHeight));
    // Windows sizes these fonts by cell height (ascent + descent); Qt by em height. Scale so the
    // line fits the same cell.
    const int measured = QFontMetrics(font).height();
    if (measured > cellHeight)
        font.setPixelSize(std::max(1, (cellHeight * cellHeight + measured / 2) / measured));
    return font;
}

} // namespace vexo
