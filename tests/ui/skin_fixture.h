// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace vexo::test {

// A skin folder in a temporary directory: every frame picture a solid, distinct colour, so tests can
// tell from the back buffer's pixels which picture is drawn where.
class SkinFixture {
public:
    SkinFixture() {
        write("/BasicSet2.png", 880, 650, kBasicBackground);
        write("/AdvancedSet2.png", 880, 650, kAdvancedBackground);
        write("/button-normal.png", 105, 21, kNormal);
        write("/button-over.png", 105, 21, kOver);
        for (const char* name : {"min", "close", "Skins", "PrePage", "NextPage"}) {
            const bool page = QString(name).endsWith("Page");
            write(QString("/button-%1-normal.png").arg(name), page ? 40 : 18, page ? 40 : 18, kNormal);
            write(QString("/button-%1-over.png").arg(name), page ? 40 : 18, page ? 40 : 18, kOver);
        }
    }
    QString path() const { return dir_.path(); }
    void write(const QString& name, int w, int h, QColor colour, bool alpha = false) {
        QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        image.fill(colour);
        image.save(dir_.path() + name);
    }
    void remove(const QString& name) { QDir(dir_.path()).remove(name.mid(1)); }

    static constexpr QRgb kBasicBackground = 0xff102030;
    static constexpr QRgb kAdvancedBackground = 0xff302010;
    static constexpr QRgb kNormal = 0xff404040;
    static constexpr QRgb kOver = 0xffc0c0c0;

private:
    QTemporaryDir dir_;
};

} // namespace vexo::test
