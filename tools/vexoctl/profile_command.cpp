// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl export / import / profile: the whole setup as one JSON document, and named profiles.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "command_registry.h"
#include "config/atomic_file.h"
#include "config/json_value.h"
#include "config/profile_folder.h"
#include "device/settings_sync.h"
#include "device_environment.h"
#include "macro_files.h"
#include "profile_files.h"
#include "settings_files.h"
#include "window_bus.h"

namespace vexo::cli {
namespace {

// A document named after a data file would replace it with JSON.
void RefuseDataFile(const SettingsFiles& files, const std::filesystem::path& file) {
    std::error_code ec;
    for (const auto& data : {files.locations.configBin(), files.locations.strIni(), files.locations.recordIni()})
        if (std::filesystem::equivalent(file, data, ec))
            throw UsageError(file.string() + " is one of the data files; choose another file");
}

int WriteDocument(CommandContext& context, const std::string& target, const std::string& command) {
    SettingsFiles files(context, SettingsFiles::Use::Modify); // the lock: one consistent moment
    const std::string text = ProfileDocument::Write(ReadProfileContent(files));
    // A document import would refuse (text that is not UTF-8, say) is never written.
    if (const auto check = ProfileDocument::Read(text); !check.content) {
        context.err << "vexoctl " << command << ": the setup cannot be carried as a profile: " << check.errors.front()
                    << "\n";
        return kExitFailure;
    }
    if (target == "-") {
        context.out << text;
        return kExitOk;
    }
    RefuseDataFile(files, target);
    if (const auto written = AtomicFile::write(target, text); !written.ok) {
        context.err << "vexoctl " << command << ": " << target << " not written: " << written.message << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

// Sends the saved files to the mouse when it is there, as apply does; the files are already saved.
int ApplyToMouse(CommandContext& context, SettingsFiles& files, const std::string& command) {
    DeviceEnvironment environment(context);
    SilentListener listener;
    DeviceSession& session = environment.session(listener);
    if (!ConnectMouse(session)) {
        context.err << "vexoctl " << command
                    << ": no usable mouse found; the settings are saved and reach it with apply\n";
        return kExitOk;
    }
    SilentPrompter prompter;
    SettingsSync sync(session, files.store, files.settings, prompter);
    const bool sensor = sync.ConnectSensor();
    const SettingsSync::ApplyResult result = sync.ApplyConfig();
    if (!result.sent || !result.complete() || !sensor) {
        context.err << "vexoctl " << command << ": the mouse did not take every setting; run vexoctl apply again\n";
        return kExitFailure;
    }
    context.out << "sent to the mouse\n";
    return kExitOk;
}

// The document of file, checked whole; nullopt after its errors were printed.
std::optional<ProfileContent> CheckedDocument(CommandContext& context, const std::filesystem::path& file,
                                              const std::string& command) {
    const std::string text = ReadDocumentFile(file, JsonValue::kMaxText);
    ProfileDocument::ReadResult read = ProfileDocument::Read(text);
    if (read.content) {
        read.errors = CheckProfileContent(*read.content);
    }
    if (!read.errors.empty()) {
        for (const std::string& error : read.errors)
            context.err << "vexoctl " << command << ": " << file.string() << ": " << error << "\n";
        context.err << "vexoctl " << command << ": nothing was changed\n";
        return std::nullopt;
    }
    return std::move(read.content);
}

int ReadDocument(CommandContext& context, const std::filesystem::path& file, bool apply, const std::string& command) {
    std::optional<ProfileContent> content = CheckedDocument(context, file, command);
    if (!content)
        return kExitUsage;
    SettingsFiles files(context, SettingsFiles::Use::Modify);
    if (const std::string problem = WriteProfileContent(files, *content); !problem.empty()) {
        context.err << "vexoctl " << command << ": " << problem << "\n";
        return kExitFailure;
    }
    context.out << "saved\n";
    return apply ? ApplyToMouse(context, files, command) : kExitOk;
}

std::string OneArgument(const std::vector<std::string>& args, const std::string& command, const std::string& what) {
    if (args.size() != 1 || args[0].empty() || (args[0][0] == '-' && args[0] != "-"))
        throw UsageError(command + " needs " + what + " (see vexoctl " + command + " --help)");
    return args[0];
}

int runExport(CommandContext& context, const std::vector<std::string>& args) {
    return WriteDocument(context, OneArgument(args, "export", "one FILE (- for standard output)"), "export");
}

int runImport(CommandContext& context, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const auto apply = std::find(args.begin(), args.end(), "--apply");
    const bool applying = apply != args.end();
    if (applying)
        args.erase(apply);
    return ReadDocument(context, OneArgument(args, "import", "one FILE"), applying, "import");
}

// --- named profiles -----------------------------------------------------------------------------

std::filesystem::path ProfilesFolder() {
    if (auto folder = ProfileFolder::Path())
        return *folder;
    throw std::runtime_error("neither XDG_CONFIG_HOME nor HOME is set; the profiles have no folder");
}

std::filesystem::path ProfileFile(const std::string& name) {
    if (const std::string problem = ProfileFolder::CheckName(name); !problem.empty())
        throw UsageError(problem);
    return ProfileFolder::FileOf(ProfilesFolder(), name);
}

int runProfile(CommandContext& context, const std::vector<std::string>& arguments) {
    if (arguments.empty())
        throw UsageError("profile needs list, save NAME, load NAME or delete NAME");
    const std::string& action = arguments[0];
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (action == "list") {
        if (!rest.empty())
            throw UsageError("profile list takes no arguments");
        for (const std::string& name : ProfileFolder::List(ProfilesFolder()))
            context.out << name << "\n";
        return kExitOk;
    }
    bool apply = true;
    if (action == "load") {
        const auto flag = std::find(rest.begin(), rest.end(), "--no-apply");
        if (flag != rest.end()) {
            apply = false;
            rest.erase(flag);
        }
    }
    if (rest.size() != 1)
        throw UsageError("profile " + action + " needs one NAME");
    if (action != "save" && action != "load" && action != "delete")
        throw UsageError("unknown profile action '" + action + "'; use list, save, load or delete");
    const std::filesystem::path file = ProfileFile(rest[0]);
    std::error_code ec;
    if (action == "save") {
        std::filesystem::create_directories(file.parent_path(), ec);
        if (ec) {
            context.err << "vexoctl profile: cannot create " << file.parent_path().string() << ": " << ec.message()
                        << "\n";
            return kExitFailure;
        }
        return WriteDocument(context, file.string(), "profile save");
    }
    if (!std::filesystem::is_regular_file(file, ec)) {
        context.err << "vexoctl profile: there is no profile '" << rest[0] << "'\n";
        return kExitFailure;
    }
    if (action == "load") {
        // While the window runs it loads the profile, so its page and the mouse follow at once; the
        // profile is checked here first, so a broken one is refused the same way either way.
        if (auto window = WindowBus::Find(context)) {
            if (!CheckedDocument(context, file, "profile load"))
                return kExitUsage;
            const SessionBus::Reply reply = window->call("LoadProfile", {rest[0], apply});
            if (!reply.ok)
                return WindowBus::Report(context, reply, "vexoctl profile load: ");
            context.out << "saved\n";
            if (reply.texts == std::vector<std::string>{"sent"})
                context.out << "sent to the mouse\n";
            else if (apply)
                context.err << "vexoctl profile load: no usable mouse found; the settings are saved and reach it "
                               "with apply\n";
            return kExitOk;
        }
        return ReadDocument(context, file, apply, "profile load");
    }
    if (!std::filesystem::remove(file, ec) || ec) {
        context.err << "vexoctl profile: cannot delete " << file.string() << ": " << ec.message() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

const CommandRegistration exportRegistration({
    "export",
    "write the whole setup as one JSON document",
    "Usage: vexoctl [global options] export FILE\n\n"
    "Writes config.bin, the button labels, skin, language and the macros of record.ini as one\n"
    "versioned JSON document (docs/profile.schema.json) to FILE, or to standard output for -.\n",
    runExport,
    "FILE",
});

const CommandRegistration importRegistration({
    "import",
    "replace the whole setup with a JSON document written by export",
    "Usage: vexoctl [global options] import [--apply] FILE\n\n"
    "Checks the whole document first: any wrong or unknown field is named, exit status 64 and no\n"
    "file changes. Then writes config.bin, the labels, skin, language and record.ini as they were\n"
    "exported, byte for byte. --apply also sends the setup to the mouse when it is there.\n",
    runImport,
    "[--apply] FILE",
});

const CommandRegistration profileRegistration({
    "profile",
    "named setups: list, save, load (and send to the mouse), delete",
    "Usage: vexoctl [global options] profile list | save NAME | load [--no-apply] NAME | delete NAME\n\n"
    "Profiles are export documents in $XDG_CONFIG_HOME/vexo-t58/profiles (~/.config without it).\n"
    "load checks the profile first, writes the data files and sends them to the mouse when it is\n"
    "there. A name with '/', '..', control characters or a leading '.' or '-' is refused (status 64).\n",
    runProfile,
    "list | save NAME | load [--no-apply] NAME | delete NAME",
});

} // namespace
} // namespace vexo::cli
