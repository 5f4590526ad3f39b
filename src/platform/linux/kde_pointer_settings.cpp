// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/kde_pointer_settings.h"

#include "platform/linux/gio_functions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "config/profile_ini.h"
#include "platform/linux/gsettings_pointer_settings.h"
#include "platform/linux/kwin_input_devices.h"

namespace vexo {
namespace {

constexpr const char* kMouse = "Mouse";
constexpr const char* kFlat = "XLbInptAccelProfileFlat";
constexpr const char* kAcceleration = "XLbInptPointerAcceleration";
constexpr const char* kKde = "KDE";
constexpr const char* kWheelLines = "WheelScrollLines";
constexpr const char* kDoubleClick = "DoubleClickInterval";

// What KWin reads on Wayland: kcminputrc [Libinput][Defaults][Pointer] for every pointer, and a
// group [Libinput][<vendor>][<product>][<name>] per device it has saved, which wins over it.
constexpr const char* kLibinputDefaults = "[Libinput][Defaults][Pointer]";
constexpr const char* kLibinputPrefix = "[Libinput][";
constexpr const char* kProfile = "PointerAccelerationProfile"; // libinput's: 1 flat, 2 adaptive
constexpr const char* kLibinputAcceleration = "PointerAcceleration";

constexpr unsigned kDefaultWheelLines = 3;
constexpr unsigned kDefaultDoubleClickMs = 400;

// The value of a key, or nothing when the file cannot be read. An absent key gives "".
std::optional<std::string> Read(const std::filesystem::path& file, const char* section, const char* key) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error && status.type() != std::filesystem::file_type::not_found)
        return std::nullopt;
    if (status.type() == std::filesystem::file_type::not_found)
        return std::string();
    if (status.type() != std::filesystem::file_type::regular)
        return std::nullopt; // a FIFO or a device is no settings file
    return ProfileIni(file).readString(section, key);
}

std::optional<long> ParseInteger(const std::string& text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string Trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// The lines of a KConfig file, whose group headers may be nested ("[A][B][C]", which the
// Windows-style profile reader cuts at the first bracket). Empty for a missing file, nothing for
// one that cannot be read.
std::optional<std::vector<std::string>> Lines(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::vector<std::string>();
    if (error || status.type() != std::filesystem::file_type::regular)
        return std::nullopt;
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool IsHeader(const std::string& line) {
    const std::string t = Trim(line);
    return !t.empty() && t.front() == '[' && t.back() == ']';
}

// A key's value in a group given by its whole header; "" when absent.
std::string GroupValue(const std::vector<std::string>& lines, const std::string& header, const std::string& key) {
    bool inside = false;
    for (const std::string& line : lines) {
        if (IsHeader(line)) {
            inside = Trim(line) == header;
            continue;
        }
        const auto eq = line.find('=');
        if (inside && eq != std::string::npos && Trim(line.substr(0, eq)) == key)
            return Trim(line.substr(eq + 1));
    }
    return {};
}

// Sets key in the defaults group (made when missing) and in every per-device group that already
// has it, so a device's saved value cannot hide the new one. Written to a temporary file and
// renamed, so KWin never reads half a file.
bool WriteLibinput(const std::filesystem::path& file, const std::string& key, const std::string& value) {
    auto lines = Lines(file);
    if (!lines)
        return false;
    std::vector<std::string> out;
    bool defaultsSeen = false;
    bool defaultsHasKey = false;
    std::string group;
    const auto closeGroup = [&] {
        if (group == kLibinputDefaults && !defaultsHasKey) {
            // After the group's last entry, before blank lines that part it from the next.
            auto at = out.end();
            while (at != out.begin() && Trim(*(at - 1)).empty())
                --at;
            out.insert(at, key + "=" + value);
            defaultsHasKey = true;
        }
    };
    for (const std::string& line : *lines) {
        if (IsHeader(line)) {
            closeGroup();
            group = Trim(line);
            defaultsSeen = defaultsSeen || group == kLibinputDefaults;
            out.push_back(line);
            continue;
        }
        const auto eq = line.find('=');
        const bool libinput = group.rfind(kLibinputPrefix, 0) == 0;
        if (libinput && eq != std::string::npos && Trim(line.substr(0, eq)) == key) {
            out.push_back(key + "=" + value);
            if (group == kLibinputDefaults)
                defaultsHasKey = true;
            continue;
        }
        out.push_back(line);
    }
    closeGroup();
    if (!defaultsSeen) {
        if (!out.empty() && !Trim(out.back()).empty())
            out.emplace_back();
        out.emplace_back(kLibinputDefaults);
        out.push_back(key + "=" + value);
    }
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    const std::filesystem::path temporary = file.string() + ".vexo-new";
    {
        std::ofstream stream(temporary, std::ios::trunc);
        for (const std::string& line : out)
            stream << line << '\n';
        stream.flush();
        if (!stream) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::string DoubleText(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string();
}

} // namespace

KdePointerSettings::KdePointerSettings(std::filesystem::path configDir, bool notifyDesktop, bool waylandSession)
    : dir_(std::move(configDir)), notify_(notifyDesktop), wayland_(waylandSession) {}

std::optional<bool> KdePointerSettings::libinputFlat() {
    if (KwinInputDevices kwin; const auto flat = kwin.accelerationFlat())
        return flat;
    const auto lines = Lines(inputFile());
    if (!lines)
        return std::nullopt;
    const std::string profile = GroupValue(*lines, kLibinputDefaults, kProfile);
    if (profile.empty())
        return false; // KWin's default profile accelerates
    if (profile == "1")
        return true;
    if (profile == "2")
        return false;
    return std::nullopt;
}

std::optional<double> KdePointerSettings::libinputAcceleration() {
    if (KwinInputDevices kwin; const auto value = kwin.acceleration())
        return value;
    const auto lines = Lines(inputFile());
    if (!lines)
        return std::nullopt;
    const std::string text = GroupValue(*lines, kLibinputDefaults, kLibinputAcceleration);
    if (text.empty())
        return 0.0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0')
        return std::nullopt;
    return value;
}

bool KdePointerSettings::setLibinput(bool flat, std::optional<double> acceleration) {
    // Live through KWin, which saves the device's value itself; the files only where KWin is not
    // on the bus (the next session reads them).
    KwinInputDevices kwin;
    if (const auto devices = kwin.pointers(); devices && !devices->empty())
        return acceleration ? kwin.setAcceleration(*acceleration) : kwin.setAccelerationFlat(flat);
    const bool written = acceleration ? WriteLibinput(inputFile(), kLibinputAcceleration, DoubleText(*acceleration))
                                      : WriteLibinput(inputFile(), kProfile, flat ? "1" : "2");
    if (written)
        notify();
    return written;
}

bool KdePointerSettings::write(const std::filesystem::path& file, const char* section, const char* key,
                               const std::string& value) {
    std::error_code error;
    std::filesystem::create_directories(dir_, error);
    const auto status = std::filesystem::status(file, error);
    if (status.type() != std::filesystem::file_type::not_found && status.type() != std::filesystem::file_type::regular)
        return false;
    ProfileIni ini(file);
    if (!ini.writeString(section, key, value))
        return false;
    notify();
    return true;
}

void KdePointerSettings::notify() {
    if (!notify_)
        return;
    // Only a running session bus is told; GIO would otherwise try to start one of its own.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if ((address == nullptr || *address == '\0') &&
        (runtime == nullptr || !std::filesystem::exists(std::filesystem::path(runtime) / "bus", error)))
        return;
    const GioFunctions* gio = GioFunctions::get();
    GDBusConnection* bus = gio != nullptr ? gio->bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr) : nullptr;
    if (bus == nullptr)
        return; // no session (or no GIO): Plasma reads the files at the next login
    // KGlobalSettings::SettingsChanged (3) for the mouse category (0): applications re-read
    // kdeglobals; KWin re-reads its input configuration.
    gio->dbus_connection_emit_signal(bus, nullptr, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange",
                                     g_variant_new("(ii)", 3, 0), nullptr);
    gio->dbus_connection_emit_signal(bus, nullptr, "/KWin", "org.kde.KWin", "reloadConfig", nullptr, nullptr);
    gio->dbus_connection_flush_sync(bus, nullptr, nullptr);
    gio->object_unref(bus);
}

std::optional<bool> KdePointerSettings::enhancePrecision() {
    if (wayland_) {
        const auto flat = libinputFlat();
        return flat ? std::optional<bool>(!*flat) : std::nullopt;
    }
    const auto flat = Read(inputFile(), kMouse, kFlat);
    if (!flat)
        return std::nullopt;
    if (flat->empty())
        return true; // Plasma's default profile accelerates
    if (*flat == "true")
        return false;
    if (*flat == "false")
        return true;
    return std::nullopt;
}

bool KdePointerSettings::setEnhancePrecision(bool on) {
    if (wayland_)
        return setLibinput(!on, std::nullopt);
    return write(inputFile(), kMouse, kFlat, on ? "false" : "true");
}

std::optional<unsigned> KdePointerSettings::pointerSpeed() {
    if (wayland_) {
        const auto value = libinputAcceleration();
        return value ? std::optional<unsigned>(GSettingsPointerSettings::SpeedFromGSettings(*value)) : std::nullopt;
    }
    const auto text = Read(inputFile(), kMouse, kAcceleration);
    if (!text)
        return std::nullopt;
    if (text->empty())
        return 10;
    char* end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (end == text->c_str() || *end != '\0')
        return std::nullopt;
    // Plasma's acceleration has GNOME's scale (-1 to 1, 0 the default).
    return GSettingsPointerSettings::SpeedFromGSettings(value);
}

bool KdePointerSettings::setPointerSpeed(unsigned speed) {
    const double value = GSettingsPointerSettings::SpeedToGSettings(speed);
    if (wayland_)
        return setLibinput(false, value);
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    if (error != std::errc())
        return false;
    return write(inputFile(), kMouse, kAcceleration, std::string(text, end));
}

std::optional<std::uint32_t> KdePointerSettings::wheelScrollLines() {
    const auto text = Read(globalsFile(), kKde, kWheelLines);
    if (!text)
        return std::nullopt;
    if (text->empty())
        return kDefaultWheelLines;
    const auto lines = ParseInteger(*text);
    if (!lines || *lines < 1)
        return std::nullopt;
    return static_cast<std::uint32_t>(std::min(*lines, 0x7FFFFFFFL));
}

bool KdePointerSettings::setWheelScrollLines(std::uint32_t lines) {
    if (lines == kScrollOneScreen || lines == 0)
        return false; // Plasma scrolls by lines only
    return write(globalsFile(), kKde, kWheelLines, std::to_string(lines));
}

std::optional<unsigned> KdePointerSettings::doubleClickTime() {
    const auto text = Read(globalsFile(), kKde, kDoubleClick);
    if (!text)
        return std::nullopt;
    if (text->empty())
        return kDefaultDoubleClickMs;
    const auto time = ParseInteger(*text);
    if (!time || *time < 1)
        return std::nullopt;
    return static_cast<unsigned>(std::min(*time, 0x7FFFFFFFL));
}

bool KdePointerSettings::setDoubleClickTime(unsigned milliseconds) {
    return write(globalsFile(), kKde, kDoubleClick, std::to_string(milliseconds));
}

} // namespace vexo
