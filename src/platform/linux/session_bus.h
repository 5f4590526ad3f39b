// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>
#include <string>
#include <variant>
#include <vector>

typedef struct _GDBusConnection GDBusConnection;

namespace vexo {

// A private connection to the session bus through GIO, for code without Qt (vexoctl, the desktop
// pointer settings). Never starts a bus: where none runs, there is no connection and every call
// fails.
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

    // The connection, or null without a bus.
    GDBusConnection* connection() const { return bus_; }

    // Some program owns the well-known name now.
    bool hasOwner(const std::string& name) const;

    // One argument of a call: a text, a list of texts or a truth value.
    using Argument = std::variant<std::string, std::vector<std::string>, bool>;
    struct Reply {
        bool ok = false;
        std::string errorName; // the D-Bus error's name, when the call failed with one
        std::string message; // the error's message
        std::vector<std::string> texts; // what a reply of texts or of a list of texts held
    };
    // Calls a method and waits up to timeoutMs for the reply; never starts a service for it.
    Reply call(const std::string& service, const std::string& path, const std::string& interface,
               const std::string& method, const std::vector<Argument>& arguments, int timeoutMs) const;

private:
    GDBusConnection* bus_ = nullptr; // owned
};

} // namespace vexo
