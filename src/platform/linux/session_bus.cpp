// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/session_bus.h"

#include "platform/linux/gio_functions.h"

#include <cstdlib>
#include <filesystem>

namespace vexo {

bool SessionBus::Runs() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return (address != nullptr && *address != '\0') ||
        (runtime != nullptr && std::filesystem::exists(std::filesystem::path(runtime) / "bus", error));
}

SessionBus::SessionBus() {
    if (!Runs())
        return;
    // Without GIO there is no connection, as without a bus.
    const GioFunctions* gio = GioFunctions::get();
    if (gio == nullptr)
        return;
    gchar* address = gio->dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (address == nullptr)
        return;
    bus_ =
        gio->dbus_connection_new_for_address_sync(address,
                                                  GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                                       G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                                                  nullptr, nullptr, nullptr);
    g_free(address);
}

SessionBus::~SessionBus() {
    if (bus_ != nullptr) {
        // A connection exists only where GIO was found.
        GioFunctions::get()->dbus_connection_close_sync(bus_, nullptr, nullptr);
        GioFunctions::get()->object_unref(bus_);
    }
}

bool SessionBus::hasOwner(const std::string& name) const {
    const Reply reply =
        call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner", {name}, 2000);
    return reply.ok && !reply.texts.empty() && reply.texts.front() == "true";
}

SessionBus::Reply SessionBus::call(const std::string& service, const std::string& path, const std::string& interface,
                                   const std::string& method, const std::vector<Argument>& arguments,
                                   int timeoutMs) const {
    Reply result;
    if (bus_ == nullptr) {
        result.message = "no session bus";
        return result;
    }
    const GioFunctions* gio = GioFunctions::get();
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE_TUPLE);
    for (const Argument& argument : arguments) {
        if (const auto* text = std::get_if<std::string>(&argument)) {
            g_variant_builder_add_value(&builder, g_variant_new_string(text->c_str()));
        } else if (const auto* list = std::get_if<std::vector<std::string>>(&argument)) {
            std::vector<const gchar*> items;
            for (const std::string& item : *list)
                items.push_back(item.c_str());
            g_variant_builder_add_value(&builder, g_variant_new_strv(items.data(), gssize(items.size())));
        } else {
            g_variant_builder_add_value(&builder, g_variant_new_boolean(std::get<bool>(argument)));
        }
    }
    GError* error = nullptr;
    GVariant* reply = gio->dbus_connection_call_sync(bus_, service.c_str(), path.c_str(), interface.c_str(),
                                                     method.c_str(), g_variant_builder_end(&builder), nullptr,
                                                     G_DBUS_CALL_FLAGS_NO_AUTO_START, timeoutMs, nullptr, &error);
    if (reply == nullptr) {
        if (error != nullptr) {
            if (gchar* remote = gio->dbus_error_get_remote_error(error)) {
                result.errorName = remote;
                g_free(remote);
            }
            gio->dbus_error_strip_remote_error(error);
            result.message = error->message;
            g_error_free(error);
        }
        return result;
    }
    result.ok = true;
    // The texts of the reply: each string, each item of a string list, a truth value as "true"/"false".
    GVariantIter iter;
    g_variant_iter_init(&iter, reply);
    while (GVariant* value = g_variant_iter_next_value(&iter)) {
        if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
            result.texts.emplace_back(g_variant_get_string(value, nullptr));
        } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
            gsize count = 0;
            const gchar** items = g_variant_get_strv(value, &count);
            for (gsize i = 0; i < count; ++i)
                result.texts.emplace_back(items[i]);
            g_free(items);
        } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN)) {
            result.texts.emplace_back(g_variant_get_boolean(value) ? "true" : "false");
        }
        g_variant_unref(value);
    }
    g_variant_unref(reply);
    return result;
}

} // namespace vexo
