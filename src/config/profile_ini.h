// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/ini_document.h" // UnquotedValue

namespace vexo {

// A Windows private-profile INI file (the GetPrivateProfileString family), with its rules:
// section and key names compare without regard to case; the first matching section and key win;
// values are trimmed of surrounding blanks; a new key is appended at the end of its section and a
// new section at the end of the file; everything else in the file (order, comments, unknown lines)
// is kept. Reads accept UTF-8 with or without BOM and UTF-16LE with BOM; new files are written as
// UTF-8 and an existing UTF-16LE file stays UTF-16LE; a file in another encoding is neither read
// nor written (see problem()). All strings here are UTF-8. Memory stays within a few times the
// file's size.
//
// Reads always reflect the file on disk (it is parsed again when its size, modification time or
// identity changed). Every write holds the lock of the file's folder (FolderLock) while it reads the
// file again, edits it and replaces it atomically, so a change another program saved meanwhile is
// kept; a failed write leaves the file as it was, and a folder kept busy by another program fails
// the write with that reason.
class ProfileIni {
public:
    explicit ProfileIni(std::filesystem::path file);

    const std::filesystem::path& path() const { return path_; }
    bool exists() const;

    // The value of key in section, or def when either is missing. A value enclosed in a pair of
    // double or single quotation marks loses them (what is inside, blanks included, stays). Like a
    // read into a buffer of bufferChars UTF-16 units, the result holds at most bufferChars - 1 of
    // them (never a split pair).
    std::string readString(std::string_view section, std::string_view key, std::string_view def = {},
                           std::size_t bufferChars = 1024) const;

    // Sets key in section, creating either as needed. A value is written only up to its first line
    // break, so that no value can add lines to the file. Returns false (see lastError()) on failure.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    // The values of several keys of one section, in the order of keys, each as readString would
    // return it with an empty default; one pass over the section instead of one search per key.
    std::vector<std::string> readStrings(std::string_view section, const std::vector<std::string>& keys,
                                         std::size_t bufferChars = 1024) const;

    // Why the file, which exists, cannot be used: it cannot be read, or it is in an encoding that
    // cannot be kept (UTF-16 big-endian or without a byte-order mark). Such a file reads as empty
    // and every write to it is refused. Empty when the file is fine or missing.
    std::string problem() const;

    // Every key of the first section of that name with its value, in file order (a key that
    // appears twice is listed twice; lookups by readString see the first). Each value is limited
    // like a readString value with bufferChars. Empty when the file or the section is missing.
    // Reads the file once, where readString for each key would search it again each time.
    std::vector<std::pair<std::string, std::string>> readSection(std::string_view section,
                                                                 std::size_t bufferChars = 1024) const;

    // Sets several keys of one section with a single replacement of the file, so either all of
    // them are written or none. Same rules as writeString.
    bool writeStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& keysAndValues);

    // Removes the first section of that name (if any) and appends it anew at the end of the file
    // with exactly these keys, in one replacement of the file: a failure leaves the old section.
    bool replaceSection(std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& keysAndValues);

    // Section names in file order, as far as they fit a buffer of bufferChars UTF-16 units in which
    // each name is followed by a terminating zero (the list is cut where the buffer ends).
    std::vector<std::string> sectionNames(std::size_t bufferChars = 1024) const;
    // Section names in file order, leaving out every name longer than maxNameUnits UTF-16 units, as
    // far as the names kept (each with a terminating zero) fit listUnits: a name too long for any
    // reader does not take the room of the names after it.
    std::vector<std::string> shortSectionNames(std::size_t maxNameUnits, std::size_t listUnits) const;
    // How many sections the file has, however many there are.
    std::size_t sectionCount() const;

    // Removes the first section of that name with all its lines. Removing a missing section succeeds.
    bool deleteSection(std::string_view section);

    // The reason of the last failed write, empty after a success.
    const std::string& lastError() const { return lastError_; }

private:
    std::filesystem::path path_;
    std::string lastError_;
    // Parsed content and the file identity it was read from live in the implementation.
    struct Cache;
    mutable std::shared_ptr<Cache> cache_;
};

} // namespace vexo
