// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "skin_set.h"

#include "dialog_art.h"
#include "page_art.h"
#include "widget_art.h"

#include <QDir>
#include <QSaveFile>

namespace vexo::skingen {

std::vector<SkinFile> renderSkin(const Palette& pal) {
    std::vector<SkinFile> files;
    auto add = [&files](const char* name, QImage image) {
        files.push_back({QString::fromLatin1(name), std::move(image)});
    };
    add("BasicSet2.png", basicPage(pal));
    add("AdvancedSet2.png", advancedPage(pal));
    add("button-min-normal.png", titleButton(pal, TitleGlyph::Minimise, false));
    add("button-min-over.png", titleButton(pal, TitleGlyph::Minimise, true));
    add("button-close-normal.png", titleButton(pal, TitleGlyph::Close, false));
    add("button-close-over.png", titleButton(pal, TitleGlyph::Close, true));
    add("button-Skins-normal.png", titleButton(pal, TitleGlyph::Skins, false));
    add("button-Skins-over.png", titleButton(pal, TitleGlyph::Skins, true));
    add("button-PrePage-normal.png", pageButton(pal, PageGlyph::Previous, false));
    add("button-PrePage-over.png", pageButton(pal, PageGlyph::Previous, true));
    add("button-NextPage-normal.png", pageButton(pal, PageGlyph::Next, false));
    add("button-NextPage-over.png", pageButton(pal, PageGlyph::Next, true));
    add("button-normal.png", textButton(pal, false));
    add("button-over.png", textButton(pal, true));
    add("DropdownBox-normal.png", functionBox(pal, false));
    add("DropdownBox-over.png", functionBox(pal, true));
    add("dropdownbox.png", smallDropBox(pal));
    add("Pane.png", checkBox(pal, false));
    add("PaneMakingTick.png", checkBox(pal, true));
    // The desktop sliders' segments touch, so they keep a gap of their own; the report-rate
    // segments are laid out with gaps between them.
    add("slider-dark.png", sliderSegment(pal, 24, false, true));
    add("slider-light.png", sliderSegment(pal, 24, true, true));
    add("slider-RP-dark.png", sliderSegment(pal, 70, false, false));
    add("slider-RP-light.png", sliderSegment(pal, 70, true, false));
    add("slider-DPI-dark.png", sliderSegment(pal, 24, false, true));
    add("slider-DPI-light.png", sliderSegment(pal, 24, true, true));
    add("combo-key.png", dialogBackground(pal, DialogKind::ComboKey));
    add("delay-time.png", dialogBackground(pal, DialogKind::DelayTime));
    add("fire-key.png", dialogBackground(pal, DialogKind::FireKey));
    add("macro-key.png", dialogBackground(pal, DialogKind::MacroKey));
    add("media-key.png", dialogBackground(pal, DialogKind::MediaKey));
    add("single-key.png", dialogBackground(pal, DialogKind::SingleKey));
    add("windows-key.png", dialogBackground(pal, DialogKind::WindowsKey));
    add("skins.png", dialogBackground(pal, DialogKind::Skins));
    return files;
}

bool writeSkin(const Palette& pal, const QString& folder, QString* error) {
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create folder %1").arg(folder);
        return false;
    }
    const QDir dir(folder);
    for (const SkinFile& file : renderSkin(pal)) {
        // Opaque pictures are stored as 24-bit PNG, the others with their alpha channel.
        const QImage image = file.image.hasAlphaChannel() ? file.image.convertToFormat(QImage::Format_ARGB32)
                                                          : file.image.convertToFormat(QImage::Format_RGB888);
        QSaveFile out(dir.filePath(file.name));
        if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit()) {
            *error = QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString());
            return false;
        }
    }
    return true;
}

} // namespace vexo::skingen
