// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/gsettings_pointer_settings.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vexo {
namespace {

constexpr const char* kAccelProfile = "accel-profile";
constexpr const char* kSpeed = "speed";
constexpr const char* kDoubleClick = "double-click";

GSettingsSchema* LookUpSchema() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    return source == nullptr ? nullptr
                             : g_settings_schema_source_lookup(source, GSettingsPointerSettings::kSchema, TRUE);
}

} // namespace

bool GSettingsPointerSettings::SchemaInstalled() {
    GSettingsSchema* schema = LookUpSchema();
    if (schema == nullptr)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

bool GSettingsPointerSettings::DefaultBackendIsMemory() {
    GSettingsBackend* backend = g_settings_backend_get_default();
    const bool memory = std::strcmp(G_OBJECT_TYPE_NAME(backend), "GMemorySettingsBackend") == 0;
    g_object_unref(backend);
    return memory;
}

GSettingsPointerSettings::GSettingsPointerSettings(const std::filesystem::path& keyFile) {
    GSettingsSchema* schema = LookUpSchema();
    if (schema == nullptr)
        return; // every call fails: the desktop's schema is not installed
    GSettingsBackend* backend = nullptr;
    if (!keyFile.empty())
        backend = g_keyfile_settings_backend_new(keyFile.c_str(), "/", nullptr);
    settings_ = g_settings_new_full(schema, backend, nullptr);
    if (backend != nullptr)
        g_object_unref(backend);
    g_settings_schema_unref(schema);
}

GSettingsPointerSettings::~GSettingsPointerSettings() {
    if (settings_ != nullptr) {
        g_settings_sync();
        g_object_unref(settings_);
    }
}

bool GSettingsPointerSettings::hasKey(const char* key) const {
    if (settings_ == nullptr)
        return false;
    GSettingsSchema* schema = nullptr;
    g_object_get(settings_, "settings-schema", &schema, nullptr);
    const bool has = schema != nullptr && g_settings_schema_has_key(schema, key);
    if (schema != nullptr)
        g_settings_schema_unref(schema);
    return has;
}

double GSettingsPointerSettings::SpeedToGSettings(unsigned speed) {
    // 10, the middle of the scale, is the desktop's default 0; 20 is its fastest, 1.
    const unsigned s = std::clamp(speed, 1u, 20u);
    return (static_cast<double>(s) - 10.0) / 10.0;
}

unsigned GSettingsPointerSettings::SpeedFromGSettings(double value) {
    if (!std::isfinite(value))
        return 10;
    const long speed = std::lround(value * 10.0 + 10.0);
    return static_cast<unsigned>(std::clamp(speed, 1L, 20L));
}

std::optional<bool> GSettingsPointerSettings::enhancePrecision() {
    if (!hasKey(kAccelProfile))
        return std::nullopt;
    gchar* profile = g_settings_get_string(settings_, kAccelProfile);
    const bool flat = profile != nullptr && std::strcmp(profile, "flat") == 0;
    g_free(profile);
    return !flat;
}

bool GSettingsPointerSettings::setEnhancePrecision(bool on) {
    if (!hasKey(kAccelProfile) || !g_settings_is_writable(settings_, kAccelProfile))
        return false;
    const bool written = g_settings_set_string(settings_, kAccelProfile, on ? "adaptive" : "flat");
    g_settings_sync();
    return written;
}

std::optional<unsigned> GSettingsPointerSettings::pointerSpeed() {
    if (!hasKey(kSpeed))
        return std::nullopt;
    return SpeedFromGSettings(g_settings_get_double(settings_, kSpeed));
}

bool GSettingsPointerSettings::setPointerSpeed(unsigned speed) {
    if (!hasKey(kSpeed) || !g_settings_is_writable(settings_, kSpeed))
        return false;
    const bool written = g_settings_set_double(settings_, kSpeed, SpeedToGSettings(speed));
    g_settings_sync();
    return written;
}

std::optional<std::uint32_t> GSettingsPointerSettings::wheelScrollLines() {
    return std::nullopt; // GSettings desktops scroll by their own rules
}

bool GSettingsPointerSettings::setWheelScrollLines(std::uint32_t) { return false; }

std::optional<unsigned> GSettingsPointerSettings::doubleClickTime() {
    if (!hasKey(kDoubleClick))
        return std::nullopt;
    const gint time = g_settings_get_int(settings_, kDoubleClick);
    if (time <= 0)
        return std::nullopt;
    return static_cast<unsigned>(time);
}

bool GSettingsPointerSettings::setDoubleClickTime(unsigned milliseconds) {
    if (!hasKey(kDoubleClick) || !g_settings_is_writable(settings_, kDoubleClick) || milliseconds > 0x7FFFFFFF)
        return false;
    const bool written = g_settings_set_int(settings_, kDoubleClick, static_cast<gint>(milliseconds));
    g_settings_sync();
    return written;
}

} // namespace vexo
