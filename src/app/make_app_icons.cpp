// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// make_app_icons: writes the program's icon into an icon theme folder, one PNG per size:
//   make_app_icons <theme-folder> <icon-name> <size>...
// gives <theme-folder>/<size>x<size>/apps/<icon-name>.png. Run by the build.
#include <QDir>
#include <QString>
#include <cstdio>

#include "app/app_icon.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_app_icons THEME-FOLDER ICON-NAME SIZE...\n");
        return 64;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "make_app_icons: not a size: %s\n", argv[i]);
            return 64;
        }
        const QString folder = QString("%1/%2x%2/apps").arg(theme).arg(size);
        const QString file = folder + "/" + name + ".png";
        if (!QDir().mkpath(folder) || !vexo::DrawAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "make_app_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
