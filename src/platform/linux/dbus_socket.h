// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/unique_fd.h"
#include "platform/linux/dbus_message.h"

namespace vexo {

// A connection to a message bus over its Unix socket, speaking the wire protocol itself: a command
// that makes one or two calls and ends pays for a socket and a few messages, not for loading a
// D-Bus library and its object system. Blocking calls with a deadline; one thread.
class DBusSocket {
public:
    // Connects to the first usable address of a bus address list ("unix:path=…" or
    // "unix:abstract=…", ';'-separated, values %-escaped as the protocol says), authenticates as
    // this user (EXTERNAL) and says Hello, all within timeoutMs. Check connected(); error() says
    // why not.
    DBusSocket(const std::string& addresses, int timeoutMs);

    bool connected() const { return fd_.valid(); }
    const std::string& error() const { return error_; }
    // The name the bus gave this connection (":1.42").
    const std::string& uniqueName() const { return uniqueName_; }

    // The reply to a method call, or the error the callee or bus answered with.
    struct Reply {
        bool ok = false;
        std::string errorName; // the D-Bus error's name, when the call failed with one
        std::string message; // the error's message, or why no reply came
        std::vector<std::string> texts; // DBusMessage::Received::texts of the reply
    };
    // Sends the call and waits up to timeoutMs for its reply; messages for other requests and
    // signals are passed over. A timeout, a closed socket or a malformed stream fail the call; the
    // last two also close the connection, as nothing after them could be trusted.
    Reply call(const std::string& destination, const std::string& path, const std::string& interface,
               const std::string& member, const std::vector<DBusMessage::Argument>& arguments, int timeoutMs);

private:
    bool connectTo(const std::string& address);
    bool authenticate(std::int64_t deadline);
    bool sendAll(const std::vector<std::uint8_t>& bytes, std::int64_t deadline);
    // Reads until a '\r\n' line is there (authentication), or until a whole message is buffered.
    bool readLine(std::string& line, std::int64_t deadline);
    std::optional<DBusMessage::Received> readMessage(std::int64_t deadline, std::string& why);
    bool waitFor(short events, std::int64_t deadline);
    void fail(const std::string& why);

    UniqueFd fd_;
    std::string error_;
    std::string uniqueName_;
    std::vector<std::uint8_t> in_; // bytes read and not yet taken
    std::uint32_t serial_ = 0;
};

} // namespace vexo
