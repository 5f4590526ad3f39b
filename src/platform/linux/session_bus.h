// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/dbus_socket.h"

typedef struct _GDBusConnection GDBusConnection;

namespace vexo {

// A private connection to the session bus, for code without Qt (vexoctl, the desktop pointer
// settings). Calls go over the bus socket directly (DBusSocket); a GIO connection is made only for
// code that asks for one. Never starts a bus: where none runs, there is no connection and every
// call fails.
class SessionBus {
public:
    // A session bus is there to connect to: $DBUS_SESSION_BUS_ADDRESS is set, or $XDG_RUNTIME_DIR/bus
    // exists. Without one, libraries would try to start a bus of their own (dbus-launch).
    static bool Runs();

    // Connects when Runs(); a private connection, since the shared one would outlive a test's bus.
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // Connected to the bus: call() can reach it.
    bool connected() const;

    // A GIO connection of its own to the same bus, made at the first request (loading GIO), or
    // null without a bus or without GIO. For callers that need GVariant values of every type.
    GDBusConnection* connection() const;

    // Some program owns the well-known name now.
    bool hasOwner(const std::string& name) const;

    // One argument of a call: a text, a list of texts or a truth value.
    using Argument = DBusMessage::Argument;
    using Reply = DBusSocket::Reply;
    // Calls a method and waits up to timeoutMs for the reply; never starts a service for it.
    Reply call(const std::string& service, const std::string& path, const std::string& interface,
               const std::string& method, const std::vector<Argument>& arguments, int timeoutMs) const;

private:
    std::string address_; // the bus address list, empty without a bus
    std::unique_ptr<DBusSocket> socket_;
    mutable GDBusConnection* gio_ = nullptr; // owned
    mutable bool gioTried_ = false;
};

} // namespace vexo
