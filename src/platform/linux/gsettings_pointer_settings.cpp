// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/gsettings_pointer_settings.h"

#include "platform/linux/gio_functions.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vexo {
namespace {

constexpr const char* kAccelProfile = "accel-profile";
constexpr const char* kSpeed = "speed";
constexpr const char* kDoubleClick = "double-click";

// Null without GIO too.
GSettingsSchema* LookUpSchema() {
    const GioFunctions* gio = GioFunctions::get();
    if (gio == nullptr)
        return nullptr;
    GSettingsSchemaSource* source = gio->settings_schema_source_get_default();
    return source == nullptr ? nullptr
                             : gio->settings_schema_source_lookup(source, GSettingsPointerSettings::kSchema, TRUE);
}

// Only called where GIO was found (a schema or settings exist).
const GioFunctions& Gio() { return *GioFunctions::get(); }

} // namespace

bool GSettingsPointerSettings::SchemaInstalled() {
    GSettingsSchema* schema = LookUpSchema();
    if (schema == nullptr)
        return false;
    Gio().settings_schema_unref(schema);
    return true;
}

bool GSettingsPointerSettings::DefaultBackendIsMemory() {
    const GioFunctions* gio = GioFunctions::get();
    if (gio == nullptr)
        return true; // nothing would be kept
    GSettingsBackend* backend = gio->settings_backend_get_default();
    const bool memory = std::strcmp(gio->type_name(G_TYPE_FROM_INSTANCE(backend)), "GMemorySettingsBackend") == 0;
    gio->object_unref(backend);
    return memory;
}

GSettingsPointerSettings::GSettingsPointerSettings(const std::filesystem::path& keyFile) {
    GSettingsSchema* schema = LookUpSchema();
    if (schema == nullptr)
        return; // every call fails: the desktop's schema is not installed
    const GioFunctions& gio = Gio();
    GSettingsBackend* backend = nullptr;
    if (!keyFile.empty())
        backend = gio.keyfile_settings_backend_new(keyFile.c_str(), "/", nullptr);
    settings_ = gio.settings_new_full(schema, backend, nullptr);
    if (backend != nullptr)
        gio.object_unref(backend);
    gio.settings_schema_unref(schema);
}

GSettingsPointerSettings::~GSettingsPointerSettings() {
    if (settings_ != nullptr) {
        Gio().settings_sync();
        Gio().object_unref(settings_);
    }
}

bool GSettingsPointerSettings::hasKey(const char* key) const {
    if (settings_ == nullptr)
        return false;
    const GioFunctions& gio = Gio();
    GSettingsSchema* schema = nullptr;
    gio.object_get(settings_, "settings-schema", &schema, nullptr);
    const bool has = schema != nullptr && gio.settings_schema_has_key(schema, key);
    if (schema != nullptr)
        gio.settings_schema_unref(schema);
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
    gchar* profile = Gio().settings_get_string(settings_, kAccelProfile);
    const bool flat = profile != nullptr && std::strcmp(profile, "flat") == 0;
    g_free(profile);
    return !flat;
}

bool GSettingsPointerSettings::setEnhancePrecision(bool on) {
    if (!hasKey(kAccelProfile) || !Gio().settings_is_writable(settings_, kAccelProfile))
        return false;
    const bool written = Gio().settings_set_string(settings_, kAccelProfile, on ? "adaptive" : "flat");
    Gio().settings_sync();
    return written;
}

std::optional<unsigned> GSettingsPointerSettings::pointerSpeed() {
    if (!hasKey(kSpeed))
        return std::nullopt;
    return SpeedFromGSettings(Gio().settings_get_double(settings_, kSpeed));
}

bool GSettingsPointerSettings::setPointerSpeed(unsigned speed) {
    if (!hasKey(kSpeed) || !Gio().settings_is_writable(settings_, kSpeed))
        return false;
    const bool written = Gio().settings_set_double(settings_, kSpeed, SpeedToGSettings(speed));
    Gio().settings_sync();
    return written;
}

std::optional<std::uint32_t> GSettingsPointerSettings::wheelScrollLines() {
    return std::nullopt; // GSettings desktops scroll by their own rules
}

bool GSettingsPointerSettings::setWheelScrollLines(std::uint32_t) { return false; }

std::optional<unsigned> GSettingsPointerSettings::doubleClickTime() {
    if (!hasKey(kDoubleClick))
        return std::nullopt;
    const gint time = Gio().settings_get_int(settings_, kDoubleClick);
    if (time <= 0)
        return std::nullopt;
    return static_cast<unsigned>(time);
}

bool GSettingsPointerSettings::setDoubleClickTime(unsigned milliseconds) {
    if (!hasKey(kDoubleClick) || !Gio().settings_is_writable(settings_, kDoubleClick) || milliseconds > 0x7FFFFFFF)
        return false;
    const bool written = Gio().settings_set_int(settings_, kDoubleClick, static_cast<gint>(milliseconds));
    Gio().settings_sync();
    return written;
}

} // namespace vexo
