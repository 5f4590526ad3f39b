// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl encode-macros: record.ini into the macro area of config.bin, as the macro editor does on
// every confirmed change.
#include <ostream>

#include "command_registry.h"
#include "config/config_store.h"
#include "config/folder_lock.h"
#include "config/profile_ini.h"
#include "macro/macro_area.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "macro_files.h"
#include "text_escape.h"

namespace vexo::cli {
namespace {

constexpr const char* kName = "encode-macros";

bool LoadRecord(ConfigStore& config, std::ostream& err) {
    switch (config.LoadConfig()) {
    case ConfigStore::LoadResult::Loaded: return true;
    case ConfigStore::LoadResult::Missing:
        err << "vexoctl " << kName << ": there is no " << config.path() << "\n";
        return false;
    case ConfigStore::LoadResult::WrongSize:
        err << "vexoctl " << kName << ": " << config.path() << " is not " << ConfigStore::kFileSize
            << " bytes long, so it is not a configuration file; it was left as it is\n";
        return false;
    case ConfigStore::LoadResult::Unreadable:
        err << "vexoctl " << kName << ": cannot read " << config.path() << ": " << config.lastError() << "\n";
        return false;
    }
    return false;
}

void WarnAboutLostMacros(const ProfileIni& store, const MacroEncodeResult& result, std::ostream& err) {
    const auto names = ReadMacroSectionNames(store);
    for (std::size_t slot = 0; slot < result.slotsEncoded; ++slot) {
        if (result.droppedEvents[slot] == 0)
            continue;
        err << "vexoctl " << kName << ": warning: macro" << slot + 1 << " \"" << PrintableText(names[slot])
            << "\": " << result.droppedEvents[slot]
            << " event(s) at its end do not fit the mouse's block and were left out\n";
    }
    if (result.sectionsIgnored > 0) {
        err << "vexoctl " << kName << ": warning: the mouse holds " << kMacroSlotCount << " macros; "
            << result.sectionsIgnored << " more section(s) of record.ini were not encoded\n";
    }
    // names already holds the sections counted as ignored above; the rest were never read.
    if (const std::size_t unlisted = CountUnlistedSections(store, names.size()); unlisted > 0)
        err << "vexoctl " << kName << ": warning: " << UnlistedSectionsText(unlisted) << ", and were not encoded\n";
}

int runEncodeMacros(CommandContext& context, const std::vector<std::string>& args) {
    int status = kExitOk;
    const std::optional<FileLocations> located = PrepareMacroCommand(context, args, kName, status);
    if (!located)
        return status;
    const FileLocations& locations = *located;
    // From reading config.bin to saving it, so that no other program's save falls in between and
    // is overwritten (or overwrites this one).
    const FolderLock lock(locations.dataDir());
    if (lock.busy()) {
        context.err << "vexoctl " << kName << ": " << lock.message() << "; nothing was changed\n";
        return kExitFailure;
    }
    ConfigStore config(locations.configBin());
    if (!LoadRecord(config, context.err))
        return kExitFailure;

    const ProfileIni store(locations.recordIni());
    const MacroEncodeResult result = EncodeMacroStore(store, config.record().macroArea());
    if (config.SaveConfig() != ConfigStore::SaveResult::Saved) {
        context.err << "vexoctl " << kName << ": cannot save " << config.path() << ": " << config.lastError()
                    << " (the file was left as it was)\n";
        return kExitFailure;
    }
    WarnAboutLostMacros(store, result, context.err);
    const auto area = config.record().macroArea();
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
        context.out << "macro" << slot + 1 << " "
                    << HexBytes(std::span(area).subspan(slot * kMacroBlockSize, kMacroBlockSize)) << "\n";
    }
    return kExitOk;
}

const CommandRegistration registration({
    kName,
    "encode record.ini into the macro blocks of config.bin",
    "Usage: vexoctl [--data DIR] encode-macros\n\n"
    "Reads the macro store record.ini, encodes every macro into its block of the configuration\n"
    "(slot = position of its section in the file; blocks of slots without a section keep their\n"
    "content), saves config.bin and prints the ten blocks as lines macro1 .. macro10, 128 bytes\n"
    "each in upper-case hex. Events that do not fit a block are left out with a warning.\n"
    "Exit status 1 when a file is missing, unreadable, not a regular file, of the wrong size or\n"
    "cannot be saved, or when another program keeps the folder busy for more than 5 seconds.\n",
    runEncodeMacros,
    "",
});

} // namespace
} // namespace vexo::cli
