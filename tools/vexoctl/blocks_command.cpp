// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl blocks: the data blocks Apply would send, built from config.bin.
#include "command_registry.h"
#include "config/dpi_table.h"
#include "config/key_entry.h"
#include "device_environment.h"
#include "macro_files.h"
#include "settings_files.h"

namespace vexo::cli {
namespace {

int runBlocks(CommandContext& context, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::optional<std::uint8_t> sensor = TakeSensorOption(args);
    if (!args.empty())
        throw UsageError("unexpected argument '" + args.front() + "' (see vexoctl blocks --help)");
    SettingsFiles files(context);
    std::optional<DeviceEnvironment> environment;
    SilentListener listener;
    if (!sensor) {
        environment.emplace(context);
        DeviceSession& session = environment->session(listener);
        if (!ConnectMouse(session)) {
            context.err << "vexoctl blocks: no usable mouse to read the sensor type from; give --sensor N\n";
            return kExitNoMouse;
        }
        session.commands().ReadSensorBlock();
        sensor = session.image().sensor[DeviceImage::kSensorTypeByte];
    }
    const ConfigRecord& record = files.store.record();
    const std::uint8_t rate[1] = {record.reportRate()};
    context.out << "rate " << HexBytes(rate) << "\n";
    context.out << "dpi " << HexBytes(DpiImage(record, *sensor)) << "\n";
    const auto matrices = KeyMatrixImage(record);
    for (std::size_t m = 0; m < matrices.size(); ++m)
        context.out << "matrix" << m + 1 << " " << HexBytes(matrices[m]) << "\n";
    for (std::size_t m = 1; m <= ConfigRecord::kMacroCount; ++m)
        context.out << "macro" << m << " " << HexBytes(record.macro(m)) << "\n";
    return kExitOk;
}

const CommandRegistration registration({
    "blocks",
    "print the data blocks Apply would send, from config.bin",
    "Usage: vexoctl [global options] blocks [--sensor N]\n\n"
    "Prints what Apply sends, built from config.bin, one block a line:\n"
    "  rate XX                 the report-rate byte\n"
    "  dpi XX ... (8 bytes)    the DPI block for the sensor type\n"
    "  matrix1 .. matrix4      the key matrices, 64 bytes each\n"
    "  macro1 .. macro10       the macro blocks, 128 bytes each\n"
    "Bytes are two-digit upper-case hex separated by single spaces. --sensor N (0-3) gives the\n"
    "sensor type; without it the type is read from the mouse (exit status 2 without a mouse).\n",
    runBlocks,
    "[--sensor N]",
});

} // namespace
} // namespace vexo::cli
