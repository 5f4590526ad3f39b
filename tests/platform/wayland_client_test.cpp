// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The Wayland calls looked up at run time and the protocol descriptions marshalled with them,
// checked against the system's libwayland-client. The modal hint itself is checked on mutter by
// the compositor checks of scripts/wayland-check.sh.
#include <gtest/gtest.h>

#include <wayland-client.h>

#include <cstring>
#include <string>

#include "platform/linux/gtk_shell_protocol.h"
#include "platform/linux/wayland_client_library.h"

namespace vexo {
namespace {

// How many arguments a message signature carries: a leading version number and '?' marks are not
// arguments themselves.
int ArgumentCount(const char* signature) {
    int count = 0;
    for (const char* c = signature; *c != '\0'; ++c)
        if (std::strchr("iufsonah", *c) != nullptr)
            ++count;
    return count;
}

TEST(WaylandClientLibraryTest, FindsEveryCallOnceAndTheLibrarysOwnInterfaces) {
    std::string error;
    const WaylandClientLibrary* wl = WaylandClientLibrary::open(error);
    ASSERT_NE(wl, nullptr) << error;
    EXPECT_EQ(WaylandClientLibrary::open(error), wl);
    // The same functions this test is linked against: the lookup found the real library.
    EXPECT_EQ(reinterpret_cast<void*>(wl->proxyMarshalFlags), reinterpret_cast<void*>(&wl_proxy_marshal_flags));
    EXPECT_EQ(reinterpret_cast<void*>(wl->displayRoundtripQueue), reinterpret_cast<void*>(&wl_display_roundtrip_queue));
    for (const void* call :
         {reinterpret_cast<const void*>(wl->displayCreateQueue), reinterpret_cast<const void*>(wl->eventQueueDestroy),
          reinterpret_cast<const void*>(wl->proxyCreateWrapper), reinterpret_cast<const void*>(wl->proxyWrapperDestroy),
          reinterpret_cast<const void*>(wl->proxySetQueue), reinterpret_cast<const void*>(wl->proxyAddListener),
          reinterpret_cast<const void*>(wl->proxyDestroy), reinterpret_cast<const void*>(wl->proxyGetVersion),
          reinterpret_cast<const void*>(wl->proxyGetId)})
        EXPECT_NE(call, nullptr);
    EXPECT_EQ(wl->registryInterface, &wl_registry_interface);
    EXPECT_EQ(wl->surfaceInterface, &wl_surface_interface);
}

TEST(GtkShellProtocolTest, OpcodesAndArgumentsMatchWhatTheyAreSentAs) {
    // The core opcodes, by the library's own message tables.
    EXPECT_STREQ(wl_display_interface.methods[GtkShellProtocol::kDisplayGetRegistry].name, "get_registry");
    EXPECT_STREQ(wl_registry_interface.methods[GtkShellProtocol::kRegistryBind].name, "bind");

    const GtkShellProtocol protocol(&wl_surface_interface);
    const wl_interface& shell = protocol.shell();
    const wl_interface& surface = protocol.surface();
    EXPECT_STREQ(shell.name, GtkShellProtocol::kShellName);
    EXPECT_STREQ(shell.name, "gtk_shell1");
    EXPECT_STREQ(surface.name, "gtk_surface1");
    EXPECT_EQ(shell.version, 1);
    EXPECT_EQ(surface.version, 1);
    const wl_message& get = shell.methods[GtkShellProtocol::kShellGetGtkSurface];
    EXPECT_STREQ(get.name, "get_gtk_surface");
    EXPECT_STREQ(get.signature, "no");
    // The new object is a gtk_surface1, and the surface argument is the library's wl_surface.
    EXPECT_EQ(get.types[0], &surface);
    EXPECT_EQ(get.types[1], &wl_surface_interface);
    EXPECT_STREQ(surface.methods[GtkShellProtocol::kSurfaceSetModal].name, "set_modal");
    EXPECT_STREQ(surface.methods[GtkShellProtocol::kSurfaceSetModal].signature, "");

    // Every message has a type slot for each argument, and only object arguments name one: the
    // library reads that many slots when it marshals or reads a message.
    for (const wl_interface* interface : {&shell, &surface}) {
        const auto check = [&](const wl_message* messages, int count) {
            for (int i = 0; i < count; ++i) {
                const char* signature = messages[i].signature;
                int slot = 0;
                for (const char* c = signature; *c != '\0'; ++c) {
                    if (std::strchr("iufsonah", *c) == nullptr)
                        continue;
                    const bool object = *c == 'o' || *c == 'n';
                    EXPECT_EQ(messages[i].types[slot] != nullptr, object)
                        << interface->name << "." << messages[i].name << " argument " << slot;
                    ++slot;
                }
                EXPECT_EQ(slot, ArgumentCount(signature));
            }
        };
        check(interface->methods, interface->method_count);
        check(interface->events, interface->event_count);
    }
    // Events of version 1 that the compositor may send: they must be readable.
    EXPECT_EQ(shell.event_count, 1);
    EXPECT_STREQ(shell.events[0].signature, "u");
    EXPECT_EQ(surface.event_count, 1);
    EXPECT_STREQ(surface.events[0].signature, "a");
}

} // namespace
} // namespace vexo
