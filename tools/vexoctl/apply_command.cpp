// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl apply: what the window's Apply does, from the command line.
#include "command_registry.h"
#include "text_escape.h"
#include "device/settings_sync.h"
#include "device_environment.h"
#include "macro_files.h"
#include "settings_files.h"

namespace vexo::cli {
namespace {

int runApply(CommandContext& context, const std::vector<std::string>& args) {
    if (!args.empty())
        throw UsageError("unexpected argument '" + args.front() + "' (see vexoctl apply --help)");
    DeviceEnvironment environment(context, DeviceEnvironment::Trace::Later);
    SilentListener listener;
    DeviceSession& session = environment.session(listener);
    if (!ConnectMouse(session)) {
        context.err << "vexoctl apply: no usable mouse found; nothing was sent and no file was changed\n";
        return kExitNoMouse;
    }
    // Only now the files: on an installed program's first use even finding them fills the user's
    // folder, and without a mouse no file may change. The handshake changed nothing on the mouse.
    SettingsFiles files(context, SettingsFiles::Use::Modify);
    // Only now the trace: a trace file can then never be written before the data files are read.
    environment.startTrace();
    // Every outcome is reported below in plain words; the window's message boxes would repeat it.
    SilentPrompter prompter;
    SettingsSync sync(session, files.store, files.settings, prompter);
    const bool sensorConnected = sync.ConnectSensor();
    const SettingsSync::ApplyResult result = sync.ApplyConfig();
    if (result.folderBusy) {
        context.err << "vexoctl apply: another program keeps the folder busy; nothing was sent or saved\n";
        return kExitFailure;
    }
    if (!result.sent) {
        context.err << "vexoctl apply: the mouse went away before anything was sent; no file was changed\n";
        return kExitNoMouse;
    }
    int status = kExitOk;
    if (!sensorConnected) {
        context.err << "vexoctl apply: the mouse's sensor block could not be read whole; it was left unchanged\n";
        status = kExitFailure;
    }
    if (result.complete() && sensorConnected) {
        context.out << "sent to the mouse (sensor type " << int(sync.sensorType()) << ")\n";
    } else {
        // The window ignores such failures as the protocol does; a script must not take them for success.
        if (result.failedCalls > 0)
            context.err << "vexoctl apply: " << result.failedCalls << " of " << result.calls
                        << " exchanges with the mouse failed or came back short; its settings may be incomplete\n";
        if (!result.readBack)
            context.err << "vexoctl apply: the mouse's lighting, LED and colour blocks could not be read as asked; "
                           "they were left unchanged on the mouse\n";
        status = kExitFailure;
    }
    if (result.configSaved == ConfigStore::SaveResult::Saved) {
        context.out << "saved " << PrintableText(files.store.path().string()) << "\n";
    } else {
        context.err << "vexoctl apply: " << PrintableText(files.store.path().string())
                    << " not saved: " << PrintableText(files.store.lastError()) << "\n";
        status = kExitFailure;
    }
    if (result.labelsSaved) {
        context.out << "saved the button labels in " << PrintableText(files.settings.m_strStrIniPath.string()) << "\n";
    } else {
        context.err << "vexoctl apply: button labels not saved: " << PrintableText(files.settings.lastError()) << "\n";
        status = kExitFailure;
    }
    return status;
}

const CommandRegistration registration({
    "apply",
    "send config.bin to the mouse and save, as the window's Apply does",
    "Usage: vexoctl [global options] apply\n\n"
    "Opens the mouse, performs the handshake, reads the sensor block and writes it back with the\n"
    "connection bit set, then sends the whole configuration of config.bin (report rate, lighting,\n"
    "DPI stage colours and codes, macros, key matrices) and saves config.bin and the button labels.\n"
    "Without a usable mouse: exit status 2 and no file is changed. A missing or damaged config.bin\n"
    "is reported with exit status 1 before anything is sent, and so is a folder that another\n"
    "program keeps busy for more than 5 seconds. An exchange that fails or comes back short, or a\n"
    "block read answered for another index or length, gives exit status 1; blocks that could not\n"
    "be read are then not written back.\n",
    runApply,
    "",
});

} // namespace
} // namespace vexo::cli
