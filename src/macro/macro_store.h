// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/profile_ini.h"
#include "macro/macro_name.h"

namespace vexo {

// The macro store record.ini: one section per macro, named after the macro, with the keys
// "MacroLoopTimes" (decimal text), "ItemCount" (decimal) and "Item0".."Item<n-1>" (the lines).
// A macro's slot is the position of its section in file order. Nothing is cached: every call
// reads the file again through ProfileIni.

inline constexpr std::string_view kLoopTimesKey = "MacroLoopTimes";
inline constexpr std::string_view kItemCountKey = "ItemCount";
// The line keys "Item0", "Item1", ... are ItemKey (macro_section.h).

// The most lines a macro keeps: longer macros are refused by SaveMacro and cut by LoadMacro, so a
// damaged ItemCount cannot make the editor list billions of empty lines. The mouse takes at most
// 63 events anyway.
inline constexpr std::size_t kMaxMacroLines = 4096;

// Only names that end within this many characters of the section-name list are used.
inline constexpr std::size_t kUsedSectionNameChars = 255;

struct StoredMacro {
    std::string loopTimesText; // "MacroLoopTimes" as stored (ParseLoopTimes turns it into a count)
    std::vector<std::string> lines; // "Item0".."Item<n-1>", a missing one as empty text
    bool truncated = false; // ItemCount was above kMaxMacroLines
};

struct MacroWriteResult {
    bool ok = false;
    MacroNameCheck nameCheck = MacroNameCheck::Ok; // why the name was refused, if it was
    std::string message; // readable reason when !ok
};

// The section names in file order, as far as they end within the first 255 characters of the list;
// empty when the file does not exist. Names are not checked: a longer hand-made name still takes
// its slot here, as it does in the encoding. Only a name too long to end within those characters
// even as the first one is left out, alone: it takes no slot and no room, and the names after it
// are listed as if it were not there.
std::vector<std::string> ReadMacroSectionNames(const ProfileIni& store);

// How many sections of the store ReadMacroSectionNames leaves out (0 for a missing file), and the
// sentence that says so to the user, the same in the window and in vexoctl.
std::size_t CountUnlistedSections(const ProfileIni& store, std::size_t listed);
std::string UnlistedSectionsText(std::size_t count);

// The loop-times text and lines of a section (ItemCount read with leading-number rules; a negative
// or missing count gives no lines). A missing section reads as empty.
StoredMacro LoadMacro(const ProfileIni& store, std::string_view name);

// Writes only "MacroLoopTimes" of the section, creating the section at the end of the file if need
// be. Refuses names that CheckMacroName does not accept.
MacroWriteResult WriteMacroLoopTimes(ProfileIni& store, std::string_view name, std::string_view loopTimesText);

// Replaces the whole section: deletes it, then writes "MacroLoopTimes", "ItemCount" and the lines
// in order, so the macro becomes the last section (the highest slot) and no stale line survives.
// Refuses (before touching the file) a name CheckMacroName does not accept and more than
// kMaxMacroLines lines. A failed write is reported with the file's reason; the section may then be
// incomplete.
MacroWriteResult SaveMacro(ProfileIni& store, std::string_view name, std::string_view loopTimesText,
                           std::span<const std::string> lines);

// Deletes the whole section (deleting a missing one succeeds). The macro blocks are not touched.
MacroWriteResult DeleteMacro(ProfileIni& store, std::string_view name);

} // namespace vexo
