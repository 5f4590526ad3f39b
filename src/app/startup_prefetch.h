// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>
#include <future>

#include "ui/skin/skin_image_cache.h"

namespace vexo {

class FileLocations;

// Start-up work that needs neither the window nor the mouse, started on helper threads so that it
// runs while the window's thread opens the mouse and waits out the handshake's pauses: decoding
// the page background of the skin str.ini names, and loading the desktop's font database. Both
// only warm caches, so nothing is lost when a guess misses: the start-up then does that work itself.
// Needs the QGuiApplication to exist for as long as the object does.
class StartupPrefetch {
public:
    explicit StartupPrefetch(const FileLocations& locations);
    // Waits for the helpers.
    ~StartupPrefetch();
    StartupPrefetch(const StartupPrefetch&) = delete;
    StartupPrefetch& operator=(const StartupPrefetch&) = delete;

    // Waits for the background and gives it to cache when it was decoded for skinDir (the folder
    // the start-up settled on); otherwise drops it. Only the first call hands anything over.
    void handOverBackground(SkinImageCache& cache, const QString& skinDir);

private:
    QString skinDir_;
    std::future<SkinImageCache::Entry> background_;
    std::future<void> fonts_;
};

} // namespace vexo
