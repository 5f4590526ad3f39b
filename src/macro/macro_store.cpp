// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/macro_store.h"

#include <algorithm>

#include "macro/macro_line.h"
#include "macro/macro_section.h"

namespace vexo {
namespace {

MacroWriteResult Refused(MacroNameCheck check) { return {false, check, std::string(MacroNameProblem(check))}; }

MacroWriteResult WriteFailed(const ProfileIni& store) {
    return {false, MacroNameCheck::Ok, "cannot write " + store.path().string() + ": " + store.lastError()};
}

} // namespace

std::vector<std::string> ReadMacroSectionNames(const ProfileIni& store) {
    if (!store.exists())
        return {};
    // Each name is followed by its terminator in the list, which must lie within the part of the
    // list that is used. A name that could not end there even as the first one is left out alone,
    // so that a damaged or hostile section cannot hide the macros after it.
    return store.shortSectionNames(kUsedSectionNameChars - 1, kUsedSectionNameChars);
}

std::size_t CountUnlistedSections(const ProfileIni& store, std::size_t listed) {
    if (!store.exists())
        return 0;
    const std::size_t inFile = store.sectionCount();
    return inFile > listed ? inFile - listed : 0;
}

std::string UnlistedSectionsText(std::size_t count) {
    return std::to_string(count) + " section(s) of record.ini have names that do not fit the " +
        std::to_string(kUsedSectionNameChars) + " characters of names the macro list reads";
}

StoredMacro LoadMacro(const ProfileIni& store, std::string_view name) {
    const MacroSection section(store, name);
    StoredMacro macro;
    macro.loopTimesText = section.value(kLoopTimesKey);
    const std::int64_t count = ParseLeadingNumber(section.value(kItemCountKey));
    const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
    macro.truncated = wanted > kMaxMacroLines;
    const std::size_t lineCount = std::min(wanted, kMaxMacroLines);
    macro.lines.reserve(lineCount);
    for (std::size_t i = 0; i < lineCount; ++i)
        macro.lines.push_back(section.line(i));
    return macro;
}

MacroWriteResult WriteMacroLoopTimes(ProfileIni& store, std::string_view name, std::string_view loopTimesText) {
    if (const MacroNameCheck check = CheckMacroName(name); check != MacroNameCheck::Ok)
        return Refused(check);
    if (!store.writeString(name, kLoopTimesKey, loopTimesText))
        return WriteFailed(store);
    return {true, MacroNameCheck::Ok, {}};
}

MacroWriteResult SaveMacro(ProfileIni& store, std::string_view name, std::string_view loopTimesText,
                           std::span<const std::string> lines) {
    if (const MacroNameCheck check = CheckMacroName(name); check != MacroNameCheck::Ok)
        return Refused(check);
    if (lines.size() > kMaxMacroLines) {
        return {false, MacroNameCheck::Ok,
                "the macro has " + std::to_string(lines.size()) + " lines, more than the " +
                    std::to_string(kMaxMacroLines) + " a macro can keep"};
    }
    // The old section goes and the new one is written in one replacement of the file, so a failure
    // leaves the old macro whole, and a long macro costs one rewrite instead of one per line.
    std::vector<std::pair<std::string, std::string>> keys;
    keys.reserve(lines.size() + 2);
    keys.emplace_back(kLoopTimesKey, std::string(loopTimesText));
    keys.emplace_back(kItemCountKey, std::to_string(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i)
        keys.emplace_back(ItemKey(i), lines[i]);
    if (!store.replaceSection(name, keys))
        return WriteFailed(store);
    return {true, MacroNameCheck::Ok, {}};
}

MacroWriteResult DeleteMacro(ProfileIni& store, std::string_view name) {
    if (!store.deleteSection(name))
        return WriteFailed(store);
    return {true, MacroNameCheck::Ok, {}};
}

} // namespace vexo
