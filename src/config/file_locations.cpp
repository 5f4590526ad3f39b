// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/file_locations.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <string_view>
#include <system_error>
#include <vector>
#include <unistd.h>

#include "config/atomic_file.h"

#ifndef VEXO_INSTALL_DATADIR
#define VEXO_INSTALL_DATADIR "/usr/local/share/vexo-t58"
#endif

namespace vexo {
namespace {

constexpr const char* kAppFolder = "vexo-t58";

std::filesystem::path userFolder(const FileLocations::Environment& env, const char* xdgName, const char* fallback) {
    // A relative XDG value is invalid by the base-directory rules and is ignored.
    if (const auto value = env(xdgName); value && !value->empty() && value->front() == '/') {
        return std::filesystem::path(*value) / kAppFolder;
    }
    // Without any home the folder lands under "/", where creating it fails with a clear message;
    // a world-writable place such as /tmp would let another user prepare it first.
    const auto home = env("HOME");
    return std::filesystem::path(home && !home->empty() ? *home : std::string("/")) / fallback / kAppFolder;
}

std::optional<std::string> HomeOfThisUser() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr || found->pw_dir[0] != '/') {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool isFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

} // namespace

FileLocations FileLocations::resolve(const std::filesystem::path& programDir, const std::filesystem::path& sharedDir,
                                     const Environment& environment) {
    FileLocations where;
    if (isFile(programDir / "config.bin")) {
        where.dataDir_ = programDir;
        where.skinRoots_ = {programDir / "Skins"};
        return where;
    }
    where.dataDir_ = userFolder(environment, "XDG_CONFIG_HOME", ".config");
    where.sharedDir_ = sharedDir;
    where.skinRoots_ = {sharedDir / "Skins", userFolder(environment, "XDG_DATA_HOME", ".local/share") / "Skins"};
    return where;
}

FileLocations FileLocations::detect() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path programDir = ec ? std::filesystem::current_path(ec) : exe.parent_path();
    // A relocated installation finds its data beside itself before the prefix it was built for.
    std::filesystem::path shared = programDir.parent_path() / "share" / kAppFolder;
    if (!std::filesystem::is_directory(shared, ec)) {
        shared = VEXO_INSTALL_DATADIR;
    }
    return resolve(programDir, shared, [](const char* name) -> std::optional<std::string> {
        if (const char* v = std::getenv(name)) {
            return std::string(v);
        }
        // Services and some session starters run without HOME; the account still has a home.
        if (std::string_view(name) == "HOME") {
            return HomeOfThisUser();
        }
        return std::nullopt;
    });
}

FileLocations FileLocations::inFolder(const std::filesystem::path& dir) {
    FileLocations where;
    where.dataDir_ = dir;
    where.skinRoots_ = {dir / "Skins"};
    return where;
}

FileLocations FileLocations::withDataDir(const std::filesystem::path& dir) const {
    FileLocations where = *this;
    where.dataDir_ = dir;
    where.sharedDir_.reset();
    return where;
}

std::optional<std::filesystem::path> FileLocations::findSkin(const std::string& name) const {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return std::nullopt;
    }
    // The user's own skin of a name wins over the delivered one, as the skin picker lists it.
    for (auto root = skinRoots_.rbegin(); root != skinRoots_.rend(); ++root) {
        std::error_code ec;
        if (std::filesystem::is_directory(*root / name, ec)) {
            return *root / name;
        }
    }
    // Skins made on Windows name their folder in whatever case; "Path" was matched without regard
    // to it there.
    for (auto root = skinRoots_.rbegin(); root != skinRoots_.rend(); ++root) {
        std::error_code ec;
        std::filesystem::directory_iterator it(*root, ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            std::error_code dirEc;
            if (sameIgnoringCase(entry, name) && std::filesystem::is_directory(it->path(), dirEc)) {
                return it->path();
            }
        }
    }
    return std::nullopt;
}

std::filesystem::path FileLocations::skinFolder(const std::string& name) const {
    if (const auto found = findSkin(name)) {
        return *found;
    }
    const std::filesystem::path root = skinRoots_.empty() ? std::filesystem::path("Skins") : skinRoots_.front();
    return name.empty() ? root : root / name;
}

bool FileLocations::prepare(std::string& error) const {
    if (!sharedDir_) {
        return true;
    }
    std::error_code ec;
    std::filesystem::create_directories(dataDir_, ec);
    if (ec) {
        error = "cannot create " + dataDir_.string() + ": " + ec.message();
        return false;
    }
    for (const char* name : {"config.bin", "str.ini", "record.ini"}) {
        const auto target = dataDir_ / name;
        const auto source = *sharedDir_ / name;
        if (std::filesystem::exists(target, ec) || !isFile(source)) {
            continue;
        }
        std::ifstream in(source, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!in.good() && !in.eof()) {
            error = "cannot read " + source.string();
            return false;
        }
        if (const auto result = AtomicFile::write(target, bytes); !result.ok) {
            error = result.message;
            return false;
        }
    }
    return true;
}

} // namespace vexo
