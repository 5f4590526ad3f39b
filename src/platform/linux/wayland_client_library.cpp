// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/wayland_client_library.h"

#include <dlfcn.h>

#include <mutex>

namespace vexo {

namespace {
// The library's soname: the ABI the calls below are declared for.
constexpr const char* kSoname = "libwayland-client.so.0";

template <typename T>
bool find(void* handle, const char* name, T& target, std::string& missing) {
    void* symbol = ::dlsym(handle, name);
    if (symbol == nullptr) {
        missing += missing.empty() ? name : std::string(", ") + name;
        return false;
    }
    // A function pointer from dlsym's void*: POSIX guarantees the conversion.
    target = reinterpret_cast<T>(symbol);
    return true;
}
} // namespace

const WaylandClientLibrary* WaylandClientLibrary::open(std::string& error) {
    static std::mutex lock;
    static WaylandClientLibrary library;
    static bool opened = false;
    const std::lock_guard<std::mutex> guard(lock);
    if (opened)
        return &library;
    // On Wayland Qt's plug-in has loaded it already, and this only finds it. Never closed: the
    // proxies made through it live as long as the program.
    void* handle = ::dlopen(kSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        error = std::string("cannot open ") + kSoname + ": " + (why != nullptr ? why : "unknown error");
        return nullptr;
    }
    WaylandClientLibrary found;
    std::string missing;
    // Each name is looked up even after one is missing, so that the message lists them all.
    bool all = find(handle, "wl_display_create_queue", found.displayCreateQueue, missing);
    all &= find(handle, "wl_display_roundtrip_queue", found.displayRoundtripQueue, missing);
    all &= find(handle, "wl_event_queue_destroy", found.eventQueueDestroy, missing);
    all &= find(handle, "wl_proxy_create_wrapper", found.proxyCreateWrapper, missing);
    all &= find(handle, "wl_proxy_wrapper_destroy", found.proxyWrapperDestroy, missing);
    all &= find(handle, "wl_proxy_set_queue", found.proxySetQueue, missing);
    all &= find(handle, "wl_proxy_marshal_flags", found.proxyMarshalFlags, missing);
    all &= find(handle, "wl_proxy_add_listener", found.proxyAddListener, missing);
    all &= find(handle, "wl_proxy_destroy", found.proxyDestroy, missing);
    all &= find(handle, "wl_proxy_get_version", found.proxyGetVersion, missing);
    all &= find(handle, "wl_proxy_get_id", found.proxyGetId, missing);
    const wl_interface* registry = nullptr;
    const wl_interface* surface = nullptr;
    all &= find(handle, "wl_registry_interface", registry, missing);
    all &= find(handle, "wl_surface_interface", surface, missing);
    if (!all) {
        error = std::string(kSoname) + " lacks " + missing;
        return nullptr;
    }
    found.registryInterface = registry;
    found.surfaceInterface = surface;
    library = found;
    opened = true;
    return &library;
}

} // namespace vexo
