// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "skin_checks.h"

#include <cmath>
#include <cstdlib>

namespace vexo::test {

QDir builtSkin(const QString& name) {
    const char* build = std::getenv("VEXO_BUILD_DIR");
    return QDir(QString::fromLocal8Bit(build ? build : ".") + QStringLiteral("/bin/Skins/") + name);
}

QStringList caseInsensitiveMatches(const QDir& dir, const QString& name) {
    QStringList found;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            found << entry;
    }
    return found;
}

QColor meanColor(const QImage& image, const QColor& base, QRect rect) {
    if (rect.isNull())
        rect = image.rect();
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    double r = 0, g = 0, b = 0;
    long n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb px = argb.pixel(x, y);
            const double a = qAlpha(px) / 255.0;
            r += qRed(px) * a + base.red() * (1 - a);
            g += qGreen(px) * a + base.green() * (1 - a);
            b += qBlue(px) * a + base.blue() * (1 - a);
            ++n;
        }
    }
    return QColor(static_cast<int>(r / n + 0.5), static_cast<int>(g / n + 0.5), static_cast<int>(b / n + 0.5));
}

double relativeLuminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrastRatio(const QColor& a, const QColor& b) {
    double la = relativeLuminance(a);
    double lb = relativeLuminance(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

bool hasTransparentPixel(const QImage& image) {
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return true;
        }
    }
    return false;
}

} // namespace vexo::test
