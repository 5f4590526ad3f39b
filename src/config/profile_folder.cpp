// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/profile_folder.h"

#include <algorithm>
#include <cstdlib>

namespace vexo {

std::optional<std::filesystem::path> ProfileFolder::Path() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path base;
    if (xdg != nullptr && xdg[0] == '/')
        base = xdg;
    else if (home != nullptr && home[0] != '\0')
        base = std::filesystem::path(home) / ".config";
    else
        return std::nullopt;
    return base / "vexo-t58" / "profiles";
}

std::string ProfileFolder::CheckName(std::string_view name) {
    const bool control =
        std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (name.empty() || name.size() > kMaxNameLength || name.find('/') != std::string_view::npos ||
        name.find("..") != std::string_view::npos || name[0] == '.' || name[0] == '-' || control)
        return "'" + std::string(name) +
            "' cannot name a profile: use 1-100 characters without '/', '..', control "
            "characters or a leading '.' or '-'";
    return {};
}

std::filesystem::path ProfileFolder::FileOf(const std::filesystem::path& folder, std::string_view name) {
    return folder / (std::string(name) + ".json");
}

std::vector<std::string> ProfileFolder::List(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        const std::filesystem::path& file = it->path();
        if (file.extension() != ".json" || !it->is_regular_file(ec))
            continue;
        std::string name = file.stem().string();
        if (CheckName(name).empty())
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vexo
