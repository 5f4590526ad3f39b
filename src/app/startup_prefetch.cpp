// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/startup_prefetch.h"

#include <QFontDatabase>
#include <exception>
#include <system_error>

#include "config/file_locations.h"
#include "config/ini_settings.h"
#include "ui/frame/frame_regions.h"

namespace vexo {

StartupPrefetch::StartupPrefetch(const FileLocations& locations)
    : skinDir_(QString::fromStdString(locations.skinFolder(IniSettings::ReadSkinName(locations.strIni())).string())) {
    // A helper that cannot be started leaves its future empty; the start-up then does the work.
    try {
        // Decoding the background takes longer than everything else before it is drawn.
        background_ = std::async(
            std::launch::async, [dir = skinDir_] { return SkinImageCache::decodeApart(dir, frame::kBasicBackground); });
        // Reading the font configuration is the other long step; the database is shared and
        // thread-safe, so the window's thread later finds it filled (or waits for it to be).
        fonts_ = std::async(std::launch::async, [] { QFontDatabase::families(); });
    } catch (const std::system_error&) {}
}

StartupPrefetch::~StartupPrefetch() {
    if (background_.valid())
        background_.wait();
    if (fonts_.valid())
        fonts_.wait();
}

void StartupPrefetch::handOverBackground(SkinImageCache& cache, const QString& skinDir) {
    if (!background_.valid())
        return;
    SkinImageCache::Entry entry;
    try {
        entry = background_.get();
    } catch (const std::exception&) {
        return; // out of memory on the helper: the window decodes the picture itself
    }
    if (skinDir == skinDir_)
        cache.adopt(skinDir, frame::kBasicBackground, std::move(entry));
}

} // namespace vexo
