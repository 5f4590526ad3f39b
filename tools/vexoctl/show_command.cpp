// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexoctl show: the whole configuration of config.bin, decoded, as text or JSON.
#include <cstdio>
#include <sstream>

#include "command_registry.h"
#include "config/dpi_table.h"
#include "config/key_entry.h"
#include "device_environment.h"
#include "macro_files.h"
#include "settings_files.h"
#include "text_escape.h"

namespace vexo::cli {
namespace {

// Function names in code order, from the English texts.
std::string functionName(std::uint8_t code) {
    static const UiTexts en = SelectTexts("EN");
    const std::string UiTexts::*names[16] = {
        &UiTexts::m_strLeftClick, &UiTexts::m_strRightClick,  &UiTexts::m_strMidClick,  &UiTexts::m_strForward,
        &UiTexts::m_strBackward,  &UiTexts::m_strTripleClick, &UiTexts::m_strDpiSwitch, &UiTexts::m_strRgbOnOff,
        &UiTexts::m_strWindows,   &UiTexts::m_strMultimedia,  &UiTexts::m_strFireKey,   &UiTexts::m_strSingleKey,
        &UiTexts::m_strComboKey,  &UiTexts::m_strMacroKey,    &UiTexts::m_strShift,     &UiTexts::m_strKeyOff};
    return code < 16 ? en.*names[code] : "invalid (" + std::to_string(code) + ")";
}

std::string dpiFunctionName(std::uint8_t sub) {
    static const char* names[] = {"DPI +", "DPI -", "DPI Loop", "Shift DPI"};
    return sub >= 1 && sub <= 4 ? names[sub - 1] : "invalid (" + std::to_string(sub) + ")";
}

std::string lightingName(std::uint8_t mode) {
    static const char* names[] = {"Off", "Standard", "Respiration", "Neon"};
    return mode <= 3 ? names[mode] : "unknown (" + std::to_string(mode) + ")";
}

std::string hex2(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", v & 0xFF);
    return text;
}

std::string colourText(Rgb c) { return "#" + hex2(c.red) + hex2(c.green) + hex2(c.blue); }

// The parameters of a button's function as name/value pairs (numbers as given).
std::vector<std::pair<std::string, std::string>> parametersOf(const ConfigRecord& r, KeyMode mode, std::size_t b) {
    const auto f = [&](ButtonArray a) { return std::to_string(r.buttons(mode, a)[b]); };
    switch (r.functionCode(mode, b)) {
    case function_code::DpiSwitch: return {{"dpiFunction", dpiFunctionName(r.dpiSubFunctions(mode)[b])}};
    case function_code::Windows:
        return {{"row", f(ButtonArray::WinFuncIndex)},
                {"usage", f(ButtonArray::WinFuncCode)},
                {"page", f(ButtonArray::WinFuncPage)}};
    case function_code::Multimedia: return {{"row", f(ButtonArray::MediaIndex)}, {"usage", f(ButtonArray::MediaCode)}};
    case function_code::FireKey:
        return {{"row", f(ButtonArray::FireKeyIndex)},
                {"key", f(ButtonArray::FireKeyCode)},
                {"speed", f(ButtonArray::FireSpeed)},
                {"times", f(ButtonArray::FireTimes)}};
    case function_code::SingleKey: return {{"key", f(ButtonArray::SingleKeyCode)}};
    case function_code::ComboKey:
        return {{"modifiers", f(ButtonArray::ComboModifiers)},
                {"key1", f(ButtonArray::ComboKey1)},
                {"key2", f(ButtonArray::ComboKey2)}};
    case function_code::MacroKey:
        return {{"macro", std::to_string(r.buttons(mode, ButtonArray::MacroSlot)[b] + 1)},
                {"runMode", std::to_string(r.buttons(mode, ButtonArray::MacroRepeatMode)[b] + 1)}};
    default: return {};
    }
}

void showText(std::ostream& out, const SettingsFiles& files, std::optional<std::uint8_t> sensor) {
    const ConfigRecord& r = files.store.record();
    out << "file: " << PrintableText(files.store.path().string()) << "\n"
        << "first run: " << (files.store.firstRunFlag() == 0 ? "yes" : "no") << "\n"
        << "labels: " << PrintableText(files.settings.m_strStrIniPath.string()) << " ["
        << files.settings.m_strSettingSection << "]\n"
        << "report rate: " << (r.reportRate() ? std::to_string(1000 / r.reportRate()) + " Hz" : "invalid")
        << " (interval " << int(r.reportRate()) << ")\n"
        << "page shows mode: " << (r.editedMode() == KeyMode::A ? "A" : "B") << "\n";
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        const auto& labels = mode == KeyMode::A ? files.settings.m_strButtonLabelA : files.settings.m_strButtonLabelB;
        out << "buttons, mode " << (mode == KeyMode::A ? "A" : "B") << ":\n";
        for (std::size_t b = 0; b < ConfigRecord::kButtons; ++b) {
            out << "  " << b + 1 << (b < 9 ? "  " : " ") << functionName(r.functionCode(mode, b));
            for (const auto& [name, value] : parametersOf(r, mode, b))
                out << " " << name << "=" << value;
            out << "  entry " << HexBytes(KeyEntry(r, mode, b)) << "  label \"" << PrintableText(labels[b]) << "\"\n";
        }
    }
    out << "DPI stages (sensor type " << (sensor ? std::to_string(*sensor) : std::string("unknown")) << "):\n";
    for (std::size_t s = 0; s < ConfigRecord::kDpiStages; ++s) {
        const auto value = sensor ? DpiValue(*sensor, r.dpiValues()[s]) : std::nullopt;
        out << "  " << s + 1 << "  " << (r.stageEnabled(s) ? "on " : "off") << "  row " << int(r.dpiValues()[s]) << "  "
            << (value ? std::to_string(*value) + " DPI" : std::string("-")) << "  colour " << colourText(r.dpiColour(s))
            << "\n";
    }
    out << "lighting: " << lightingName(r.lightingMode()) << "\n";
    for (std::size_t m = 1; m <= 3; ++m)
        out << "  " << lightingName(static_cast<std::uint8_t>(m)) << ": parameter " << int(r.lightingParameter1(m))
            << ", effect " << int(r.lightingParameter2(m)) << "\n";
    out << "loop colours:";
    for (std::size_t i = 0; i < ConfigRecord::kLoopColourCount; ++i)
        out << " " << colourText(r.loopColour(i));
    const DesktopBytes d = r.desktop();
    out << "\nDPI marks: " << hex2(r.dpiMarkBits() >> 8) << hex2(r.dpiMarkBits()) << "\n"
        << "desktop: enhance precision " << int(d.enhancePrecision) << ", scroll one screen " << int(d.scrollOneScreen)
        << ", pointer speed row " << int(d.pointerSpeedRow) << ", wheel lines " << int(d.wheelLines)
        << ", double-click row " << int(d.doubleClickRow) << "\n";
}

void showJson(std::ostream& out, const SettingsFiles& files, std::optional<std::uint8_t> sensor) {
    const ConfigRecord& r = files.store.record();
    out << "{\n  \"file\": " << JsonString(files.store.path().string()) << ",\n"
        << "  \"firstRun\": " << (files.store.firstRunFlag() == 0 ? "true" : "false") << ",\n"
        << "  \"reportRateInterval\": " << int(r.reportRate()) << ",\n"
        << "  \"reportRateHz\": " << (r.reportRate() ? std::to_string(1000 / r.reportRate()) : "null") << ",\n"
        << "  \"pageMode\": \"" << (r.editedMode() == KeyMode::A ? "A" : "B") << "\",\n"
        << "  \"buttons\": {";
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        const auto& labels = mode == KeyMode::A ? files.settings.m_strButtonLabelA : files.settings.m_strButtonLabelB;
        out << (mode == KeyMode::A ? "\n" : ",\n") << "    \"" << (mode == KeyMode::A ? "A" : "B") << "\": [";
        for (std::size_t b = 0; b < ConfigRecord::kButtons; ++b) {
            out << (b ? ",\n" : "\n") << "      {\"button\": " << b + 1
                << ", \"code\": " << int(r.functionCode(mode, b))
                << ", \"function\": " << JsonString(functionName(r.functionCode(mode, b))) << ", \"parameters\": {";
            bool first = true;
            for (const auto& [name, value] : parametersOf(r, mode, b)) {
                const bool numeric = value.find_first_not_of("0123456789") == std::string::npos;
                out << (first ? "" : ", ") << JsonString(name) << ": " << (numeric ? value : JsonString(value));
                first = false;
            }
            out << "}, \"entry\": " << JsonString(HexBytes(KeyEntry(r, mode, b)))
                << ", \"label\": " << JsonString(labels[b]) << "}";
        }
        out << "\n    ]";
    }
    out << "\n  },\n  \"sensorType\": " << (sensor ? std::to_string(*sensor) : "null") << ",\n  \"dpiStages\": [";
    for (std::size_t s = 0; s < ConfigRecord::kDpiStages; ++s) {
        const auto value = sensor ? DpiValue(*sensor, r.dpiValues()[s]) : std::nullopt;
        out << (s ? ",\n" : "\n") << "    {\"stage\": " << s + 1
            << ", \"enabled\": " << (r.stageEnabled(s) ? "true" : "false") << ", \"row\": " << int(r.dpiValues()[s])
            << ", \"dpi\": " << (value ? std::to_string(*value) : "null")
            << ", \"colour\": " << JsonString(colourText(r.dpiColour(s))) << "}";
    }
    out << "\n  ],\n  \"lighting\": {\"mode\": " << int(r.lightingMode())
        << ", \"name\": " << JsonString(lightingName(r.lightingMode())) << ", \"parameters\": [";
    for (std::size_t m = 1; m <= 3; ++m)
        out << (m > 1 ? ", " : "") << "{\"parameter\": " << int(r.lightingParameter1(m))
            << ", \"effect\": " << int(r.lightingParameter2(m)) << "}";
    out << "]},\n  \"loopColours\": [";
    for (std::size_t i = 0; i < ConfigRecord::kLoopColourCount; ++i)
        out << (i ? ", " : "") << JsonString(colourText(r.loopColour(i)));
    const DesktopBytes d = r.desktop();
    out << "],\n  \"dpiMarkBits\": " << r.dpiMarkBits() << ",\n"
        << "  \"desktop\": {\"enhancePrecision\": " << int(d.enhancePrecision)
        << ", \"scrollOneScreen\": " << int(d.scrollOneScreen) << ", \"pointerSpeedRow\": " << int(d.pointerSpeedRow)
        << ", \"wheelLines\": " << int(d.wheelLines) << ", \"doubleClickRow\": " << int(d.doubleClickRow) << "}\n}\n";
}

int runShow(CommandContext& context, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::optional<std::uint8_t> sensor = TakeSensorOption(args);
    bool json = false;
    for (const auto& arg : args) {
        if (arg == "--json")
            json = true;
        else
            throw UsageError("unexpected argument '" + arg + "' (see vexoctl show --help)");
    }
    SettingsFiles files(context);
    if (const std::string problem = files.settings.FileProblem(); !problem.empty())
        context.err << "vexoctl show: warning: " << problem << "; the button labels are shown empty\n";
    if (!sensor) {
        // The mouse, when there is one, tells its sensor type; without one the values stay open.
        DeviceEnvironment environment(context);
        SilentListener listener;
        DeviceSession& session = environment.session(listener);
        if (ConnectMouse(session)) {
            session.commands().ReadSensorBlock();
            sensor = session.image().sensor[DeviceImage::kSensorTypeByte];
        }
    }
    if (json)
        showJson(context.out, files, sensor);
    else
        showText(context.out, files, sensor);
    return kExitOk;
}

const CommandRegistration registration({
    "show",
    "show the whole configuration of config.bin, decoded",
    "Usage: vexoctl [global options] show [--json] [--sensor N]\n\n"
    "Shows config.bin decoded: each button's function and parameters in both modes with its key\n"
    "entry and label, the DPI stages with their values, colours, report rate, lighting and the\n"
    "desktop values. The DPI values are those of sensor type N (0-3), or of the mouse's sensor\n"
    "when --sensor is not given and a mouse is there. --json prints the same as JSON.\n",
    runShow,
    "[--json] [--sensor N]",
});

} // namespace
} // namespace vexo::cli
