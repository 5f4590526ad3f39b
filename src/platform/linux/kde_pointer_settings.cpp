#include "platform/linux/kde_pointer_settings.h"

#include <gio/gio.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "config/profile_ini.h"
#include "platform/linux/gsettings_pointer_settings.h"

namespace vexo {
namespace {

constexpr const char* kMouse = "Mouse";
constexpr const char* kFlat = "XLbInptAccelProfileFlat";
constexpr const char* kAcceleration = "XLbInptPointerAcceleration";
constexpr const char* kKde = "KDE";
constexpr const char* kWheelLines = "WheelScrollLines";
constexpr const char* kDoubleClick = "DoubleClickInterval";

constexpr unsigned kDefaultWheelLines = 3;
constexpr unsigned kDefaultDoubleClickMs = 400;

// The value of a key, or nothing when the file cannot be read. An absent key gives "".
std::optional<std::string> Read(const std::filesystem::path& file, const char* section, const char* key)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error && status.type() != std::filesystem::file_type::not_found)
        return std::nullopt;
    if (status.type() == std::filesystem::file_type::not_found)
        return std::string();
    if (status.type() != std::filesystem::file_type::regular)
        return std::nullopt;  // a FIFO or a device is no settings file
    return ProfileIni(file).readString(section, key);
}

std::optional<long> ParseInteger(const std::string& text)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

KdePointerSettings::KdePointerSettings(std::filesystem::path configDir, bool notifyDesktop)
    : dir_(std::move(configDir)), notify_(notifyDesktop)
{
}

bool KdePointerSettings::write(const std::filesystem::path& file, const char* section, const char* key,
                               const std::string& value)
{
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

void KdePointerSettings::notify()
{
    if (!notify_)
        return;
    // Only a running session bus is told; GIO would otherwise try to start one of its own.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if ((address == nullptr || *address == '\0') &&
        (runtime == nullptr || !std::filesystem::exists(std::filesystem::path(runtime) / "bus", error)))
        return;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr)
        return;  // no session: Plasma reads the files at the next login
    // KGlobalSettings::SettingsChanged (3) for the mouse category (0): applications re-read
    // kdeglobals; KWin re-reads its input configuration.
    g_dbus_connection_emit_signal(bus, nullptr, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange",
                                  g_variant_new("(ii)", 3, 0), nullptr);
    g_dbus_connection_emit_signal(bus, nullptr, "/KWin", "org.kde.KWin", "reloadConfig", nullptr, nullptr);
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

std::optional<bool> KdePointerSettings::enhancePrecision()
{
    const auto flat = Read(inputFile(), kMouse, kFlat);
    if (!flat)
        return std::nullopt;
    if (flat->empty())
        return true;  // Plasma's default profile accelerates
    if (*flat == "true")
        return false;
    if (*flat == "false")
        return true;
    return std::nullopt;
}

bool KdePointerSettings::setEnhancePrecision(bool on)
{
    return write(inputFile(), kMouse, kFlat, on ? "false" : "true");
}

std::optional<unsigned> KdePointerSettings::pointerSpeed()
{
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

bool KdePointerSettings::setPointerSpeed(unsigned speed)
{
    const double value = GSettingsPointerSettings::SpeedToGSettings(speed);
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    if (error != std::errc())
        return false;
    return write(inputFile(), kMouse, kAcceleration, std::string(text, end));
}

std::optional<std::uint32_t> KdePointerSettings::wheelScrollLines()
{
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

bool KdePointerSettings::setWheelScrollLines(std::uint32_t lines)
{
    if (lines == kScrollOneScreen || lines == 0)
        return false;  // Plasma scrolls by lines only
    return write(globalsFile(), kKde, kWheelLines, std::to_string(lines));
}

std::optional<unsigned> KdePointerSettings::doubleClickTime()
{
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

bool KdePointerSettings::setDoubleClickTime(unsigned milliseconds)
{
    return write(globalsFile(), kKde, kDoubleClick, std::to_string(milliseconds));
}

} // namespace vexo
