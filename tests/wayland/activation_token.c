// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

/* Asks the compositor for an xdg-activation token, as a launcher does before it starts a program,
   and prints it. Without a surface or an input serial: compositors that trust their clients (KWin
   started without permission checks) grant it; others may refuse it when it is used.
   usage: activation_token [APP_ID] */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>
#include "xdg-activation-v1-client.h"

static struct xdg_activation_v1 *activation;
static char token[512];

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
}
static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static void done(void *data, struct xdg_activation_token_v1 *t, const char *value)
{
    (void)data;
    (void)t;
    snprintf(token, sizeof token, "%s", value);
}
static const struct xdg_activation_token_v1_listener token_listener = {done};

int main(int argc, char **argv)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!activation) {
        fprintf(stderr, "no xdg_activation_v1\n");
        return 1;
    }
    struct xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(request, &token_listener, NULL);
    if (argc > 1)
        xdg_activation_token_v1_set_app_id(request, argv[1]);
    xdg_activation_token_v1_commit(request);
    while (!token[0] && wl_display_dispatch(display) != -1) {
    }
    if (!token[0])
        return 1;
    printf("%s\n", token);
    wl_display_disconnect(display);
    return 0;
}
