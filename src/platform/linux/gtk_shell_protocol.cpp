// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/gtk_shell_protocol.h"

namespace vexo {

GtkShellProtocol::GtkShellProtocol(const wl_interface* surfaceInterface)
    : types_{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &surface_, surfaceInterface},
      shellRequests_{{"get_gtk_surface", "no", types_ + 6}}, shellEvents_{{"capabilities", "u", types_ + 0}},
      surfaceRequests_{{"set_dbus_properties", "?s?s?s?s?s?s", types_ + 0}, {"set_modal", "", types_ + 0}},
      surfaceEvents_{{"configure", "a", types_ + 0}}, shell_{kShellName, kVersion, 1, shellRequests_, 1, shellEvents_},
      surface_{"gtk_surface1", kVersion, 2, surfaceRequests_, 1, surfaceEvents_} {}

} // namespace vexo
