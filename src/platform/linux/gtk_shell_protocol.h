// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <wayland-util.h>

#include <cstdint>

namespace vexo {

// The part of GNOME's private gtk_shell1 protocol (version 1) this program speaks: a modal hint for
// a dialog, and the Wayland core requests it needs on the way. Requests keep their place in each
// interface, since opcodes follow the order; every event of version 1 is described, since a client
// must be able to read each event it is sent.
//
//   gtk_shell1 (version 1)
//     request 0 get_gtk_surface(new_id gtk_surface1, object wl_surface)
//     event   0 capabilities(uint)
//   gtk_surface1 (version 1)
//     request 0 set_dbus_properties(six strings, each may be null)
//     request 1 set_modal()
//     event   0 configure(array states)
//
// The descriptions are what libwayland-client marshals and reads these messages with; proxies made
// with them point into this object, so it must outlive them. It is neither copied nor moved.
class GtkShellProtocol {
public:
    static constexpr uint32_t kVersion = 1;
    static constexpr const char* kShellName = "gtk_shell1";
    static constexpr uint32_t kShellGetGtkSurface = 0;
    static constexpr uint32_t kSurfaceSetModal = 1;
    // wl_display.get_registry and wl_registry.bind, as the core protocol numbers them.
    static constexpr uint32_t kDisplayGetRegistry = 1;
    static constexpr uint32_t kRegistryBind = 0;

    // surfaceInterface: the library's own wl_surface description, the type of get_gtk_surface's
    // surface argument.
    explicit GtkShellProtocol(const wl_interface* surfaceInterface);
    GtkShellProtocol(const GtkShellProtocol&) = delete;
    GtkShellProtocol& operator=(const GtkShellProtocol&) = delete;

    const wl_interface& shell() const { return shell_; }
    const wl_interface& surface() const { return surface_; }

private:
    // Argument types, shared by the messages as in generated protocol code: messages without object
    // arguments point at the nulls; get_gtk_surface at its new gtk_surface1 and its wl_surface.
    const wl_interface* types_[8];
    wl_message shellRequests_[1];
    wl_message shellEvents_[1];
    wl_message surfaceRequests_[2];
    wl_message surfaceEvents_[1];
    wl_interface shell_;
    wl_interface surface_;
};

} // namespace vexo
