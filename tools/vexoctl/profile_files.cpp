// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "profile_files.h"

#include "macro/profile_setup.h"

namespace vexo::cli {

ProfileContent ReadProfileContent(const SettingsFiles& files) {
    return ProfileSetup::Read(files.store, files.settings, files.locations.recordIni());
}

std::vector<std::string> CheckProfileContent(const ProfileContent& content) { return ProfileSetup::Check(content); }

std::string WriteProfileContent(SettingsFiles& files, const ProfileContent& content) {
    return ProfileSetup::Write(files.store, files.settings, files.locations.recordIni(), content);
}

std::string ReadDocumentFile(const std::filesystem::path& file, std::size_t limit) {
    ProfileSetup::FileText read = ProfileSetup::ReadFile(file, limit);
    if (read.tooLarge)
        throw UsageError(read.error);
    if (!read.error.empty())
        throw std::runtime_error(read.error);
    return std::move(read.text);
}

} // namespace vexo::cli
