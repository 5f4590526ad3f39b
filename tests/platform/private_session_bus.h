// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdlib>
#include <string>

#include "platform/announcing_server.h"

namespace vexo {

// A private session bus for the life of the test, named in DBUS_SESSION_BUS_ADDRESS.
class PrivateSessionBus {
public:
    PrivateSessionBus() : daemon_({"dbus-daemon", "--session", "--nofork", "--print-address={fd}"}) {
        if (!address().empty())
            ::setenv("DBUS_SESSION_BUS_ADDRESS", address().c_str(), 1);
    }
    ~PrivateSessionBus() {
        if (!address().empty())
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    const std::string& address() const { return daemon_.line(); }

private:
    AnnouncingServer daemon_;
};

} // namespace vexo
