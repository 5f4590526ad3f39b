// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

#include "ui/skin/page_background.h"
#include "ui/skin/skin_image_cache.h"

namespace vexo {

// Colour of every interface text except page titles, as str.ini stores it.
struct TextColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// What every skinned window draws with: the interface language, the current skin and the text
// colour, and the decoded pictures of the skins. The shell owns one and hands it to the main window
// and every dialog, which keep a reference, so a skin change reaches all of them at once; a test
// makes its own. Empty until the shell has read str.ini.
class SkinContext {
public:
    explicit SkinContext(SkinImageCache::Mode mode = SkinImageCache::Mode::Cached) : m_images(mode) {}
    SkinContext(const SkinContext&) = delete;
    SkinContext& operator=(const SkinContext&) = delete;

    std::string strLanguage; // language code of str.ini ("CHS", "CHT", anything else English)
    std::string strSkinDir; // folder of the current skin, UTF-8, no trailing separator
    std::string strSkinName; // that folder's name
    TextColour textColor;

    QString skinDir() const { return QString::fromStdString(strSkinDir); }
    QColor textColour() const { return QColor(textColor.r, textColor.g, textColor.b); }
    // The picture name (beginning with "/") of the current skin; null when it cannot be loaded.
    QImage image(const QString& name) { return m_images.load(skinDir(), name); }
    SkinImageCache& images() { return m_images; }
    // The background laid under the main window's page (see PageBackground).
    PageBackground& pageBackground() { return m_pageBackground; }

private:
    SkinImageCache m_images;
    PageBackground m_pageBackground;
};

} // namespace vexo
