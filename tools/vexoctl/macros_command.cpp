// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl macros: the macro store as the macro list shows it.
#include <ostream>

#include "command_registry.h"
#include "config/profile_ini.h"
#include "macro/macro_area.h"
#include "macro/macro_line.h"
#include "macro/macro_store.h"
#include "macro_files.h"
#include "text_escape.h"

namespace vexo::cli {
namespace {

constexpr const char* kName = "macros";

int runMacros(CommandContext& context, const std::vector<std::string>& args) {
    int status = kExitOk;
    const std::optional<FileLocations> located = PrepareMacroCommand(context, args, kName, status);
    if (!located)
        return status;
    const FileLocations& locations = *located;
    const ProfileIni store(locations.recordIni());
    const auto names = ReadMacroSectionNames(store);
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        const StoredMacro macro = LoadMacro(store, names[slot]);
        context.out << "macro" << slot + 1 << " \"" << PrintableText(names[slot]) << "\" loop "
                    << ParseLoopTimes(macro.loopTimesText) << " lines " << macro.lines.size();
        if (slot >= kMacroSlotCount)
            context.out << " (no block in the mouse)";
        if (macro.truncated)
            context.out << " (cut to " << kMaxMacroLines << " lines)";
        context.out << "\n";
        for (const std::string& line : macro.lines)
            context.out << "  " << PrintableText(line) << "\n";
    }
    // A name too long, or too many names, keeps sections out of the macro list: say so.
    if (const std::size_t unlisted = CountUnlistedSections(store, names.size()); unlisted > 0)
        context.err << "vexoctl " << kName << ": warning: " << UnlistedSectionsText(unlisted)
                    << ", and are not listed\n";
    return kExitOk;
}

const CommandRegistration registration({
    kName,
    "list the macros of record.ini",
    "Usage: vexoctl [--data DIR] macros\n\n"
    "Lists the macros of record.ini in slot order: a line\n"
    "  macroN \"NAME\" loop LOOPTIMES lines COUNT\n"
    "followed by each stored line indented by two blanks (\"A   Dn\", \"50 ms\", \"A   Up\").\n"
    "Control characters in names and lines are shown as \\xNN, a backslash as \\\\.\n"
    "Exit status 1 when record.ini is missing or unreadable.\n",
    runMacros,
    "",
});

} // namespace
} // namespace vexo::cli
