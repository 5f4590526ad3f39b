// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl info: is a usable mouse there, and what does its sensor block say.
#include <cstdio>
#include <iostream>

#include "command_registry.h"
#include "device_environment.h"

namespace vexo::cli {
namespace {

// info reports presence itself; the link's notices need no reaction.
class QuietListener final : public DeviceNoticeListener {
public:
    void deviceNotice(std::uint8_t, std::uint8_t) override {}
    void hideMainWindow() override {}
};

std::string hexByte(std::uint8_t b) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", b);
    return text;
}

int runInfo(CommandContext& context, const std::vector<std::string>& args) {
    if (!args.empty()) {
        context.err << "vexoctl info: unexpected argument '" << args.front() << "' (see vexoctl info --help)\n";
        return kExitUsage;
    }
    DeviceEnvironment environment(context);
    QuietListener listener;
    DeviceSession& session = environment.session(listener);
    if (session.link().OpenMouse() == 1)
        session.transport().PerformHandshake();
    if (!session.mousePresent()) {
        context.out << "present: no\n";
        return kExitNoMouse;
    }
    session.commands().ReadSensorBlock();
    const auto& sensor = session.image().sensor;
    context.out << "present: yes\n"
                << "scrambling: " << (session.link().scramblingOn ? "on" : "off") << "\n"
                << "sensor: " << hexByte(sensor[0]) << ' ' << hexByte(sensor[1]) << ' ' << hexByte(sensor[2]) << ' '
                << hexByte(sensor[3]) << "\n";
    return kExitOk;
}

const CommandRegistration registration({
    "info",
    "open the mouse, perform the handshake and show its sensor block",
    "Usage: vexoctl [global options] info\n\n"
    "Opens the mouse, performs the handshake and reads the sensor block. Prints\n"
    "  present: yes\n  scrambling: on\n  sensor: TT RR O1 O2   (Sensor Type, Rate, Option1, Option2 in hex)\n"
    "or, when no usable mouse is there, 'present: no' with exit status 2.\n",
    runInfo,
    "",
});

} // namespace
} // namespace vexo::cli
