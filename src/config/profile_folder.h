// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexo {

// Where the named profiles live and which names they may have; shared by vexoctl and the window's
// tray menu, so both see and accept the same profiles.
class ProfileFolder {
public:
    static constexpr std::size_t kMaxNameLength = 100;

    // $XDG_CONFIG_HOME/vexo-t58/profiles (an XDG_CONFIG_HOME that is not absolute is ignored), else
    // $HOME/.config/vexo-t58/profiles; nullopt when neither is set.
    static std::optional<std::filesystem::path> Path();

    // Empty when name can name a profile, else why not: a name becomes a file name in the folder,
    // so nothing that could leave the folder, hide the file or break a line of a list is accepted.
    static std::string CheckName(std::string_view name);

    // The file of a profile of that name in folder (the name must pass CheckName).
    static std::filesystem::path FileOf(const std::filesystem::path& folder, std::string_view name);

    // The names of the profiles in folder (regular *.json files), sorted; none when there is no
    // folder. Files whose name could not be loaded again (CheckName) are left out.
    static std::vector<std::string> List(const std::filesystem::path& folder);
};

} // namespace vexo
