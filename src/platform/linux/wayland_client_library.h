// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <string>

struct wl_display;
struct wl_event_queue;
struct wl_interface;
struct wl_proxy;

namespace vexo {

// The calls of libwayland-client the program makes, looked up at run time in the library Qt's
// Wayland plug-in has already loaded. Linking the library would load it and the two it needs
// (libffi, libpthread) at every start, an X11 one too, where nothing of it is used.
//
// Every member is set in the object open() returns; the names follow the library's (wl_display_…,
// wl_proxy_…), the two interfaces are the library's own wl_registry and wl_surface descriptions.
struct WaylandClientLibrary {
    // The library's calls, looked up on the first call and kept for the life of the process (the
    // library is never unloaded). Null, with the reason in error, when the library cannot be
    // opened or lacks one of the names; a later call tries again.
    static const WaylandClientLibrary* open(std::string& error);

    wl_event_queue* (*displayCreateQueue)(wl_display*) = nullptr;
    int (*displayRoundtripQueue)(wl_display*, wl_event_queue*) = nullptr;
    void (*eventQueueDestroy)(wl_event_queue*) = nullptr;
    void* (*proxyCreateWrapper)(void*) = nullptr;
    void (*proxyWrapperDestroy)(void*) = nullptr;
    void (*proxySetQueue)(wl_proxy*, wl_event_queue*) = nullptr;
    wl_proxy* (*proxyMarshalFlags)(wl_proxy*, uint32_t opcode, const wl_interface*, uint32_t version, uint32_t flags,
                                   ...) = nullptr;
    int (*proxyAddListener)(wl_proxy*, void (**)(void), void*) = nullptr;
    void (*proxyDestroy)(wl_proxy*) = nullptr;
    uint32_t (*proxyGetVersion)(wl_proxy*) = nullptr;
    uint32_t (*proxyGetId)(wl_proxy*) = nullptr;
    const wl_interface* registryInterface = nullptr;
    const wl_interface* surfaceInterface = nullptr;
};

} // namespace vexo
