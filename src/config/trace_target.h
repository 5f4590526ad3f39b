// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/unique_fd.h"

namespace vexo {

// Opens the file --trace names, in the window and in vexoctl alike, by the rules the data files
// follow: a trace must never destroy what is not the user's to lose.
//
// A path naming one of the data files (by name, through a link or as a hard link) is refused as a
// usage mistake. A symbolic link is followed only to an existing file of the running user (root
// included), so that a link planted by someone else cannot make us write into their file. A regular
// file is emptied only when it is ours; one of another user is refused and left as it is. Anything
// else named directly (a terminal, a pipe, /dev/null) is written to without being emptied. A name
// that does not exist yet is created, never through a link made meanwhile.
class TraceTarget {
public:
    enum class Outcome { Opened, DataFile, Refused };
    struct Result {
        Outcome outcome = Outcome::Refused;
        UniqueFd fd; // open for writing when Opened
        std::string error; // why not, otherwise
    };

    static Result open(const std::filesystem::path& path, const std::vector<std::filesystem::path>& dataFiles);

    // The data file that path names, by its name or, for a file that exists, by its identity.
    static std::optional<std::filesystem::path> DataFileNamed(const std::filesystem::path& path,
                                                              const std::vector<std::filesystem::path>& dataFiles);
};

} // namespace vexo
