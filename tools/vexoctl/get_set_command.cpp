// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl get / set: the settings by their stable names (see SettingsVocabulary).
#include "command_registry.h"
#include "device/settings_sync.h"
#include "device_environment.h"
#include "macro_files.h"
#include "settings_files.h"
#include "settings_state_files.h"
#include "window_bus.h"

namespace vexo::cli {
namespace {

// The mouse's sensor type, read without changing anything on it; nullopt without a mouse.
std::optional<std::uint8_t> ProbeSensor(CommandContext& context) {
    DeviceEnvironment environment(context);
    SilentListener listener;
    DeviceSession& session = environment.session(listener);
    if (!ConnectMouse(session))
        return std::nullopt;
    session.commands().ReadSensorBlock();
    return session.image().sensor[DeviceImage::kSensorTypeByte];
}

int runGet(CommandContext& context, const std::vector<std::string>& arguments) {
    std::vector<std::string> names = arguments;
    std::optional<std::uint8_t> sensor = TakeSensorOption(names);
    for (const std::string& name : names) {
        if (!name.empty() && name[0] == '-')
            throw UsageError("unexpected option '" + name + "' (see vexoctl get --help)");
        if (!SettingsVocabulary::Get(SettingsState{}, name))
            throw UsageError("unknown setting '" + name + "'; names are: " + SettingsVocabulary::NamesHelp());
    }
    // While the window runs it answers, with what it shows (edits not yet applied included).
    if (auto window = sensor ? nullptr : WindowBus::Find(context)) {
        const SessionBus::Reply reply =
            names.empty() ? window->call("GetAll", {}) : window->call("Get", {SessionBus::Argument(names)});
        if (!reply.ok)
            return WindowBus::Report(context, reply, "vexoctl get: ");
        for (const std::string& line : reply.texts)
            context.out << line << "\n";
        return kExitOk;
    }
    SettingsFiles files(context);
    // DPI values are rows of the sensor's list; ask the mouse only when a DPI value is wanted.
    bool wantsDpi = names.empty();
    for (const std::string& name : names)
        wantsDpi = wantsDpi || (name.rfind("dpi.", 0) == 0 && name.find('.', 4) == std::string::npos);
    if (!sensor && wantsDpi)
        sensor = ProbeSensor(context);
    const SettingsState state = ReadSettingsState(files, sensor);
    if (names.empty())
        names = SettingsVocabulary::Names();
    for (const std::string& name : names)
        context.out << name << "=" << *SettingsVocabulary::Get(state, name) << "\n";
    return kExitOk;
}

int runSet(CommandContext& context, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::optional<std::uint8_t> sensor = TakeSensorOption(args);
    bool apply = true;
    std::vector<SettingAssignment> assignments;
    for (const std::string& arg : args) {
        if (arg == "--no-apply") {
            apply = false;
        } else if (auto assignment = SettingsVocabulary::ParseAssignment(arg); assignment && arg[0] != '-') {
            assignments.push_back(std::move(*assignment));
        } else {
            throw UsageError("'" + arg + "' is not NAME=VALUE (see vexoctl set --help)");
        }
    }
    if (assignments.empty())
        throw UsageError("set needs at least one NAME=VALUE (see vexoctl set --help)");

    // While the window runs, it takes the change: the same checks, its page shows it at once, and
    // neither overwrites the other's edits.
    if (auto window = sensor ? nullptr : WindowBus::Find(context)) {
        std::vector<std::string> texts;
        for (const SettingAssignment& a : assignments)
            texts.push_back(a.name + "=" + a.value);
        const SessionBus::Reply reply = window->call("Set", {texts, apply});
        if (!reply.ok)
            return WindowBus::Report(context, reply, "vexoctl set: ");
        if (reply.texts == std::vector<std::string>{"sent"})
            context.out << "sent to the mouse\n";
        else if (apply)
            context.err << "vexoctl set: no usable mouse found; the settings are saved and reach it with apply\n";
        context.out << "saved\n";
        return kExitOk;
    }

    SettingsFiles files(context, SettingsFiles::Use::Modify);
    DeviceEnvironment environment(context, DeviceEnvironment::Trace::Later);
    SilentListener listener;
    DeviceSession& session = environment.session(listener);
    SilentPrompter prompter;
    SettingsSync sync(session, files.store, files.settings, prompter);
    const bool mouse = ConnectMouse(session);
    environment.startTrace();
    if (mouse && !sensor) {
        // Apply connects the sensor anyway; --no-apply only reads it.
        if (apply) {
            if (sync.ConnectSensor())
                sensor = sync.sensorType();
        } else {
            session.commands().ReadSensorBlock();
            sensor = session.image().sensor[DeviceImage::kSensorTypeByte];
        }
    }

    SettingsState state = ReadSettingsState(files, sensor);
    // A new language brings its own labels: later assignments of the same set act on those.
    for (const SettingAssignment& a : assignments) {
        SettingsState probe = state;
        if (a.name == "language" && SettingsVocabulary::Apply(probe, {a}).empty()) {
            state.language = probe.language;
            ReloadLabelsForLanguage(files, state);
        }
    }
    const std::vector<std::string> errors = SettingsVocabulary::Apply(state, assignments);
    if (!errors.empty()) {
        for (const std::string& error : errors)
            context.err << "vexoctl set: " << error << "\n";
        context.err << "vexoctl set: nothing was changed\n";
        return kExitUsage;
    }
    // What config.bin held is taken as what the mouse holds: only what the change touches is sent.
    const ConfigRecord onMouse = files.store.record();
    TakeSettingsState(files, state);

    int status = kExitOk;
    if (apply && mouse) {
        const SettingsSync::ApplyResult result = sync.ApplyChanges(onMouse);
        if (!result.sent) {
            context.err << "vexoctl set: the mouse went away before anything was sent; nothing was saved\n";
            return kExitNoMouse;
        }
        if (!result.complete()) {
            context.err << "vexoctl set: " << result.failedCalls << " of " << result.calls
                        << " exchanges with the mouse failed or came back short; its settings may be incomplete\n";
            status = kExitFailure;
        } else {
            context.out << "sent to the mouse\n";
        }
        if (result.configSaved != ConfigStore::SaveResult::Saved || !result.labelsSaved) {
            context.err << "vexoctl set: not saved: " << files.store.lastError() << files.settings.lastError() << "\n";
            return kExitFailure;
        }
    } else {
        if (apply)
            context.err << "vexoctl set: no usable mouse found; the settings are saved and reach it with apply\n";
        if (files.store.SaveConfig() != ConfigStore::SaveResult::Saved) {
            context.err << "vexoctl set: " << files.store.path().string() << " not saved: " << files.store.lastError()
                        << "\n";
            return kExitFailure;
        }
        if (!files.settings.SaveButtonLabels()) {
            context.err << "vexoctl set: button labels not saved: " << files.settings.lastError() << "\n";
            return kExitFailure;
        }
    }
    if (const std::string problem = WriteSkinAndLanguage(files, state); !problem.empty()) {
        context.err << "vexoctl set: skin or language not saved: " << problem << "\n";
        return kExitFailure;
    }
    context.out << "saved\n";
    return status;
}

const std::string kVocabularyHelp = "Names: " + SettingsVocabulary::NamesHelp() +
    ".\nValues: see vexoctl(1) or README.md; a refused value is reported with what is allowed.\n";

const CommandRegistration getRegistration({
    "get",
    "print settings by name (all of them without names)",
    "Usage: vexoctl [global options] get [--sensor N] [NAME...]\n\n"
    "Prints NAME=VALUE lines in the syntax set takes. DPI values are those of sensor type N, or of\n"
    "the mouse's sensor when it is there; otherwise a stage shows its list row (row-R).\n"
    "An unknown name: exit status 64.\n\n" +
        kVocabularyHelp,
    runGet,
    "[--sensor N] [NAME...]",
});

const CommandRegistration setRegistration({
    "set",
    "change settings by name, save them and send them to the mouse",
    "Usage: vexoctl [global options] set [--no-apply] [--sensor N] NAME=VALUE...\n\n"
    "Checks every assignment first: when any name or value is refused, each is reported with what\n"
    "is allowed, nothing is changed and the exit status is 64. Otherwise the settings are saved\n"
    "(config.bin, the labels, skin and language in str.ini) under the folder's lock and, when the\n"
    "mouse is there and --no-apply is not given, what they change is sent to it (the blocks of the\n"
    "mouse they touch; vexoctl apply sends everything, as the window's Apply does).\n"
    "Buttons get their labels as the window gives them.\n\n" +
        kVocabularyHelp,
    runSet,
    "[--no-apply] [--sensor N] NAME=VALUE...",
});

} // namespace
} // namespace vexo::cli
