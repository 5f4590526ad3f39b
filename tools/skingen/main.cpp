// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexo-skingen: draws the default skins of the utility.
//
//   vexo-skingen <skins-folder>               writes <skins-folder>/<skin>/*.png for every skin
//   vexo-skingen --preview <skin> <prefix>    writes <prefix>-basic.png, -advanced.png, -dialogs.png,
//                                             -parts.png and -sheet.png, a review of one skin
//
// Runs without a display: the offscreen platform is chosen before Qt starts.

#include "palette.h"
#include "preview.h"
#include "skin_set.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: vexo-skingen <skins-folder>\n"
                 "       vexo-skingen --preview <skin-name> <output-prefix>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vexo::skingen;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    if (args.size() == 3 && args[0] == QLatin1String("--preview")) {
        for (const Palette& pal : Palette::all()) {
            if (pal.name.compare(args[1], Qt::CaseInsensitive) != 0)
                continue;
            for (const PreviewPart& part : renderPreview(pal)) {
                const QString file = args[2] + QLatin1Char('-') + part.first + QStringLiteral(".png");
                if (!part.second.save(file, "PNG")) {
                    std::fprintf(stderr, "vexo-skingen: cannot write %s\n", qPrintable(file));
                    return 1;
                }
            }
            return 0;
        }
        std::fprintf(stderr, "vexo-skingen: no skin named %s\n", qPrintable(args[1]));
        return 1;
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-')))
        return usage();

    for (const Palette& pal : Palette::all()) {
        QString error;
        if (!writeSkin(pal, QDir(args[0]).filePath(pal.name), &error)) {
            std::fprintf(stderr, "vexo-skingen: %s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
