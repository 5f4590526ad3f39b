// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/session_bus.h"

#include "platform/linux/dbus_socket.h"
#include "platform/linux/gio_functions.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vexo {

bool SessionBus::Runs() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return (address != nullptr && *address != '\0') ||
        (runtime != nullptr && std::filesystem::exists(std::filesystem::path(runtime) / "bus", error));
}

namespace {

// Connecting and saying Hello: the bus answers at once, or it is not there to use.
constexpr int kConnectTimeoutMs = 2000;

} // namespace

SessionBus::SessionBus() {
    if (!Runs())
        return;
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0') {
        address_ = address;
    } else {
        // The bus the user's session manager starts beside the runtime folder, as libraries find it.
        std::string path;
        for (const char c : std::string(std::getenv("XDG_RUNTIME_DIR")) + "/bus") {
            // Address values escape every byte but a few safe ones.
            if (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("-_/.\\*", c) != nullptr) {
                path += c;
            } else {
                static constexpr char kHex[] = "0123456789abcdef";
                path += '%';
                path += kHex[static_cast<unsigned char>(c) >> 4];
                path += kHex[c & 0xF];
            }
        }
        address_ = "unix:path=" + path;
    }
    socket_ = std::make_unique<DBusSocket>(address_, kConnectTimeoutMs);
}

SessionBus::~SessionBus() {
    if (gio_ != nullptr) {
        // A connection exists only where GIO was found.
        GioFunctions::get()->dbus_connection_close_sync(gio_, nullptr, nullptr);
        GioFunctions::get()->object_unref(gio_);
    }
}

bool SessionBus::connected() const { return socket_ && socket_->connected(); }

GDBusConnection* SessionBus::connection() const {
    if (gioTried_ || address_.empty())
        return gio_;
    gioTried_ = true;
    // Without GIO there is no connection, as without a bus.
    const GioFunctions* gio = GioFunctions::get();
    if (gio == nullptr)
        return nullptr;
    gio_ =
        gio->dbus_connection_new_for_address_sync(address_.c_str(),
                                                  GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                                       G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                                                  nullptr, nullptr, nullptr);
    return gio_;
}

bool SessionBus::hasOwner(const std::string& name) const {
    const Reply reply =
        call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner", {name}, 2000);
    return reply.ok && !reply.texts.empty() && reply.texts.front() == "true";
}

SessionBus::Reply SessionBus::call(const std::string& service, const std::string& path, const std::string& interface,
                                   const std::string& method, const std::vector<Argument>& arguments,
                                   int timeoutMs) const {
    if (!socket_) {
        Reply result;
        result.message = "no session bus";
        return result;
    }
    return socket_->call(service, path, interface, method, arguments, timeoutMs);
}

} // namespace vexo
