// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "config/profile_document.h"
#include "settings_files.h"

namespace vexo::cli {

// The whole setup of the data files as a profile: config.bin's flag and record, the labels of the
// language str.ini selects, skin, language and every macro of record.ini in file order. Throws
// std::runtime_error when a macro cannot be carried whole (more lines than record.ini keeps).
ProfileContent ReadProfileContent(const SettingsFiles& files);

// What would stop WriteProfileContent: macro names record.ini cannot keep. Empty when none.
std::vector<std::string> CheckProfileContent(const ProfileContent& content);

// Writes the content over the data files (files must hold the folder's lock): config.bin with the
// content's flag, the labels into the section of the content's language, skin and language, and
// record.ini replaced whole through a file beside it. Returns the reason of the first failure, or
// an empty text.
std::string WriteProfileContent(SettingsFiles& files, const ProfileContent& content);

// Reads a whole file of at most limit bytes. A larger file is a usage mistake (UsageError); one that
// is no regular file or cannot be read throws std::runtime_error naming it.
std::string ReadDocumentFile(const std::filesystem::path& file, std::size_t limit);

} // namespace vexo::cli
