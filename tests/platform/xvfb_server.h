// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>

#include "platform/announcing_server.h"

namespace vexo {

// An Xvfb server on a display it picks itself, for the life of the test.
class XvfbServer {
public:
    XvfbServer()
        : server_({"Xvfb", "-displayfd", "{fd}", "-nolisten", "tcp", "-screen", "0", "64x64x24"}),
          display_(server_.line().empty() ? std::string() : ":" + server_.line()) {}
    const std::string& display() const { return display_; }

private:
    AnnouncingServer server_;
    std::string display_;
};

} // namespace vexo
