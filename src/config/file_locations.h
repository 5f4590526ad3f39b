// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexo {

// Where config.bin, str.ini, record.ini and the skin folders live. Everything else asks this class.
//
// Portable layout: when the program's own folder holds config.bin (the build tree's bin folder, an
// unpacked archive), the three files and Skins/ are used there. Installed layout: the files live in
// $XDG_CONFIG_HOME/vexo-t58 (default ~/.config/vexo-t58), copied there on first start from the
// delivered files in <prefix>/share/vexo-t58; skins come from <prefix>/share/vexo-t58/Skins and
// the user's own from $XDG_DATA_HOME/vexo-t58/Skins (default ~/.local/share/vexo-t58/Skins).
// The executable's name plays no part.
class FileLocations {
public:
    // Reads one environment variable; nullopt when unset.
    using Environment = std::function<std::optional<std::string>(const char* name)>;

    // The rule above for a program in programDir with the delivered files in sharedDir.
    static FileLocations resolve(const std::filesystem::path& programDir, const std::filesystem::path& sharedDir,
                                 const Environment& environment);
    // The rule above for the running executable, the real environment and the install prefix the
    // program was built for (or <program>/../share/vexo-t58 when that folder exists).
    static FileLocations detect();
    // Everything in one given folder (vexoctl --data DIR); skins in DIR/Skins.
    static FileLocations inFolder(const std::filesystem::path& dir);
    // These locations with the three files in dir instead (vexo --data DIR): the skins stay where
    // they are, and nothing is copied into dir.
    FileLocations withDataDir(const std::filesystem::path& dir) const;

    const std::filesystem::path& dataDir() const { return dataDir_; }
    std::filesystem::path configBin() const { return dataDir_ / "config.bin"; }
    std::filesystem::path strIni() const { return dataDir_ / "str.ini"; }
    std::filesystem::path recordIni() const { return dataDir_ / "record.ini"; }
    // The skin a missing one falls back to; delivered with the program.
    static constexpr const char* kDefaultSkin = "Black";

    // Folders that may hold skin folders, the delivered ones first.
    const std::vector<std::filesystem::path>& skinRoots() const { return skinRoots_; }
    // The folder of the skin `name` (a folder, or a link to one, directly below a root): the last
    // root (the user's own skins win) with exactly that name, else the last with that name in
    // another letter case, as
    // Windows matches it ("Path=black" finds "Black"). Nothing for an empty name or no such folder.
    std::optional<std::filesystem::path> findSkin(const std::string& name) const;
    // findSkin(name), else the place below the first root (where drawing then finds nothing). An
    // empty name gives that root itself.
    std::filesystem::path skinFolder(const std::string& name) const;
    bool portable() const { return !sharedDir_; }

    // Installed layout only: creates the user's folder and copies each delivered file that is
    // missing there. Existing files are never replaced. Returns false with a readable reason when
    // a folder cannot be created or a file cannot be copied.
    bool prepare(std::string& error) const;

private:
    std::filesystem::path dataDir_;
    std::optional<std::filesystem::path> sharedDir_;
    std::vector<std::filesystem::path> skinRoots_;
};

} // namespace vexo
