// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

namespace vexo {

// The GIO and GObject functions the desktop pointer settings and the session bus client call, looked up in libgio-2.0 the
// first time they are wanted. The program does not link GIO: loading it and the libraries it
// needs (GObject, libmount, libblkid, libselinux, libffi) at every start costs a start at login
// more CPU time than anything else the program does there, and only the desktop settings use it
// (vexoctl's session bus client goes through it as well, one way for both programs).
// (GLib itself is loaded with Qt and is called directly.)
class GioFunctions {
public:
    // The functions, all found; null when the library cannot be loaded or lacks one of them, in
    // which case the desktop settings that need it read nothing and write nothing. Loaded once and
    // kept loaded (GObject types cannot be unloaded); safe from any thread.
    static const GioFunctions* get();

    decltype(&::g_type_name) type_name = nullptr;
    decltype(&::g_object_get) object_get = nullptr;
    decltype(&::g_object_unref) object_unref = nullptr;

    decltype(&::g_settings_schema_source_get_default) settings_schema_source_get_default = nullptr;
    decltype(&::g_settings_schema_source_lookup) settings_schema_source_lookup = nullptr;
    decltype(&::g_settings_schema_has_key) settings_schema_has_key = nullptr;
    decltype(&::g_settings_schema_unref) settings_schema_unref = nullptr;
    decltype(&::g_settings_backend_get_default) settings_backend_get_default = nullptr;
    decltype(&::g_keyfile_settings_backend_new) keyfile_settings_backend_new = nullptr;
    decltype(&::g_settings_new_full) settings_new_full = nullptr;
    decltype(&::g_settings_sync) settings_sync = nullptr;
    decltype(&::g_settings_is_writable) settings_is_writable = nullptr;
    decltype(&::g_settings_get_string) settings_get_string = nullptr;
    decltype(&::g_settings_set_string) settings_set_string = nullptr;
    decltype(&::g_settings_get_double) settings_get_double = nullptr;
    decltype(&::g_settings_set_double) settings_set_double = nullptr;
    decltype(&::g_settings_get_int) settings_get_int = nullptr;
    decltype(&::g_settings_set_int) settings_set_int = nullptr;

    decltype(&::g_bus_get_sync) bus_get_sync = nullptr;
    decltype(&::g_dbus_connection_new_for_address_sync) dbus_connection_new_for_address_sync = nullptr;
    decltype(&::g_dbus_connection_call_sync) dbus_connection_call_sync = nullptr;
    decltype(&::g_dbus_connection_emit_signal) dbus_connection_emit_signal = nullptr;
    decltype(&::g_dbus_connection_flush_sync) dbus_connection_flush_sync = nullptr;
    decltype(&::g_dbus_connection_close_sync) dbus_connection_close_sync = nullptr;

private:
    GioFunctions() = default;
    // Finds every function in the loaded library; false when one is missing.
    bool resolve(void* library);
};

} // namespace vexo
