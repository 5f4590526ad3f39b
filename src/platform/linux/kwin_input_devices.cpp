// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/kwin_input_devices.h"

#include "platform/linux/gio_functions.h"

#include "platform/linux/session_bus.h"

namespace vexo {
namespace {

constexpr const char* kService = "org.kde.KWin";
constexpr const char* kManagerPath = "/org/kde/KWin/InputDevice";
constexpr const char* kManager = "org.kde.KWin.InputDeviceManager";
constexpr const char* kDevice = "org.kde.KWin.InputDevice";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr int kTimeoutMs = 2000;

std::string DevicePath(const std::string& sysName) { return std::string(kManagerPath) + "/" + sysName; }

// A property's value (owned by the caller), or null when KWin did not give it.
GVariant* Get(GDBusConnection* bus, const std::string& path, const char* interface, const char* name) {
    GVariant* reply = GioFunctions::get()->dbus_connection_call_sync(
        bus, kService, path.c_str(), kProperties, "Get", g_variant_new("(ss)", interface, name), G_VARIANT_TYPE("(v)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, kTimeoutMs, nullptr, nullptr);
    if (reply == nullptr)
        return nullptr;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    g_variant_unref(reply);
    return value;
}

std::optional<bool> GetBool(GDBusConnection* bus, const std::string& path, const char* name) {
    GVariant* value = Get(bus, path, kDevice, name);
    if (value == nullptr)
        return std::nullopt;
    std::optional<bool> result;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN))
        result = g_variant_get_boolean(value) != FALSE;
    g_variant_unref(value);
    return result;
}

bool Set(GDBusConnection* bus, const std::string& path, const char* name, GVariant* value) {
    GVariant* reply = GioFunctions::get()->dbus_connection_call_sync(
        bus, kService, path.c_str(), kProperties, "Set", g_variant_new("(ssv)", kDevice, name, value), nullptr,
        G_DBUS_CALL_FLAGS_NO_AUTO_START, kTimeoutMs, nullptr, nullptr);
    if (reply == nullptr)
        return false;
    g_variant_unref(reply);
    return true;
}

} // namespace

KwinInputDevices::KwinInputDevices() : bus_(std::make_unique<SessionBus>()) {}

KwinInputDevices::~KwinInputDevices() = default;

std::optional<std::vector<std::string>> KwinInputDevices::pointers() {
    if (bus_->connection() == nullptr)
        return std::nullopt;
    GVariant* names = Get(bus_->connection(), kManagerPath, kManager, "devicesSysNames");
    if (names == nullptr)
        return std::nullopt;
    std::vector<std::string> found;
    if (g_variant_is_of_type(names, G_VARIANT_TYPE_STRING_ARRAY)) {
        gsize count = 0;
        const gchar** list = g_variant_get_strv(names, &count);
        for (gsize i = 0; i < count; ++i) {
            const std::string path = DevicePath(list[i]);
            if (GetBool(bus_->connection(), path, "pointer") == true &&
                GetBool(bus_->connection(), path, "touchpad") == false)
                found.emplace_back(list[i]);
        }
        g_free(list);
    }
    g_variant_unref(names);
    return found;
}

std::optional<bool> KwinInputDevices::accelerationFlat() {
    const auto list = pointers();
    if (!list || list->empty())
        return std::nullopt;
    return GetBool(bus_->connection(), DevicePath(list->front()), "pointerAccelerationProfileFlat");
}

std::optional<double> KwinInputDevices::acceleration() {
    const auto list = pointers();
    if (!list || list->empty())
        return std::nullopt;
    GVariant* value = Get(bus_->connection(), DevicePath(list->front()), kDevice, "pointerAcceleration");
    if (value == nullptr)
        return std::nullopt;
    std::optional<double> result;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE))
        result = g_variant_get_double(value);
    g_variant_unref(value);
    return result;
}

bool KwinInputDevices::setAccelerationFlat(bool flat) {
    // KWin switches to the other profile when this one is set false, if the device has it.
    const char* supports =
        flat ? "supportsPointerAccelerationProfileFlat" : "supportsPointerAccelerationProfileAdaptive";
    return setOnEveryPointer(supports, "pointerAccelerationProfileFlat",
                             [flat] { return g_variant_new_boolean(flat); });
}

bool KwinInputDevices::setAcceleration(double value) {
    return setOnEveryPointer("supportsPointerAcceleration", "pointerAcceleration",
                             [value] { return g_variant_new_double(value); });
}

bool KwinInputDevices::setOnEveryPointer(const char* supports, const char* property,
                                         const std::function<GVariant*()>& value) {
    const auto list = pointers();
    if (!list || list->empty())
        return false;
    int taken = 0;
    for (const std::string& name : *list) {
        const std::string path = DevicePath(name);
        if (GetBool(bus_->connection(), path, supports) != true)
            continue;
        // A fresh value for each call: the call takes the floating reference.
        if (!Set(bus_->connection(), path, property, value()))
            return false;
        ++taken;
    }
    return taken > 0;
}

} // namespace vexo
