// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/gio_functions.h"

#include <dlfcn.h>

namespace vexo {

namespace {

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

} // namespace

bool GioFunctions::resolve(void* library) {
    // GObject's functions are found through GIO, which needs it.
    return Find(library, "g_type_name", type_name) && Find(library, "g_object_get", object_get) &&
        Find(library, "g_object_unref", object_unref) &&
        Find(library, "g_settings_schema_source_get_default", settings_schema_source_get_default) &&
        Find(library, "g_settings_schema_source_lookup", settings_schema_source_lookup) &&
        Find(library, "g_settings_schema_has_key", settings_schema_has_key) &&
        Find(library, "g_settings_schema_unref", settings_schema_unref) &&
        Find(library, "g_settings_backend_get_default", settings_backend_get_default) &&
        Find(library, "g_keyfile_settings_backend_new", keyfile_settings_backend_new) &&
        Find(library, "g_settings_new_full", settings_new_full) && Find(library, "g_settings_sync", settings_sync) &&
        Find(library, "g_settings_is_writable", settings_is_writable) &&
        Find(library, "g_settings_get_string", settings_get_string) &&
        Find(library, "g_settings_set_string", settings_set_string) &&
        Find(library, "g_settings_get_double", settings_get_double) &&
        Find(library, "g_settings_set_double", settings_set_double) &&
        Find(library, "g_settings_get_int", settings_get_int) &&
        Find(library, "g_settings_set_int", settings_set_int) && Find(library, "g_bus_get_sync", bus_get_sync) &&
        Find(library, "g_dbus_connection_new_for_address_sync", dbus_connection_new_for_address_sync) &&
        Find(library, "g_dbus_connection_call_sync", dbus_connection_call_sync) &&
        Find(library, "g_dbus_connection_emit_signal", dbus_connection_emit_signal) &&
        Find(library, "g_dbus_connection_flush_sync", dbus_connection_flush_sync) &&
        Find(library, "g_dbus_connection_close_sync", dbus_connection_close_sync);
}

const GioFunctions* GioFunctions::get() {
    static const GioFunctions* const loaded = []() -> const GioFunctions* {
        // Never closed: GObject registers types that cannot be unregistered.
        void* library = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr)
            return nullptr;
        static GioFunctions functions;
        return functions.resolve(library) ? &functions : nullptr;
    }();
    return loaded;
}

} // namespace vexo
