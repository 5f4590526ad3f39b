// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/gtk_shell_modal_hint.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include "gtk-shell-modal-client-protocol.h"

namespace vexo {

namespace {

// Finds gtk_shell1 among the compositor's globals. The registry gets a queue of its own, so that
// the round trip here dispatches nothing of Qt's.
gtk_shell1* bindGtkShell(wl_display* display) {
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);

    struct Found {
        uint32_t name = 0;
    } found;
    static const wl_registry_listener listener = {
        [](void* data, wl_registry*, uint32_t name, const char* interface, uint32_t) {
            if (std::strcmp(interface, gtk_shell1_interface.name) == 0)
                static_cast<Found*>(data)->name = name;
        },
        [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry_add_listener(registry, &listener, &found);
    gtk_shell1* shell = nullptr;
    if (wl_display_roundtrip_queue(display, queue) >= 0 && found.name != 0) {
        // Version 1 holds the modal hint and sends the fewest events.
        shell = static_cast<gtk_shell1*>(wl_registry_bind(registry, found.name, &gtk_shell1_interface, 1));
        // Its events (and those of the surfaces made from it) carry nothing needed here; on Qt's
        // queue they are read and dropped instead of piling up on a queue nobody reads.
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(shell), nullptr);
    }
    wl_registry_destroy(registry);
    wl_event_queue_destroy(queue);
    return shell;
}

bool isModalDialog(const QWindow* window) {
    return window->transientParent() != nullptr && window->modality() != Qt::NonModal;
}

// The window a dialog without an owner belongs to: the program's shown main window (the one with
// the focus first). None when the program shows no such window, as behind its tray icon.
QWindow* ownerFor(const QWindow* dialog) {
    const auto fits = [dialog](QWindow* w) {
        return w != nullptr && w != dialog && w->isVisible() && w->type() == Qt::Window &&
            w->transientParent() == nullptr;
    };
    if (QWindow* focus = QGuiApplication::focusWindow(); fits(focus))
        return focus;
    for (QWindow* w : QGuiApplication::topLevelWindows())
        if (fits(w))
            return w;
    return nullptr;
}

} // namespace

std::unique_ptr<GtkShellModalHint> GtkShellModalHint::install() {
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display = native ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display")) : nullptr;
    if (display == nullptr)
        return nullptr;
    gtk_shell1* shell = bindGtkShell(display);
    if (shell == nullptr)
        return nullptr;
    std::unique_ptr<GtkShellModalHint> hint(new GtkShellModalHint(shell));
    qApp->installEventFilter(hint.get());
    return hint;
}

GtkShellModalHint::GtkShellModalHint(gtk_shell1* shell) : shell_(shell) {}

GtkShellModalHint::~GtkShellModalHint() {
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
    for (const Mark& mark : std::as_const(marks_))
        gtk_surface1_destroy(mark.gtkSurface);
    gtk_shell1_destroy(shell_);
}

bool GtkShellModalHint::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // A message box made without a parent has no owner, so the compositor could only put it
        // anywhere; it gets the shown window as owner before its surface is made. The window is
        // blocked by the box all the same.
        if (watched->isWindowType()) {
            auto* window = static_cast<QWindow*>(watched);
            if (window->type() == Qt::Dialog && window->modality() != Qt::NonModal &&
                window->transientParent() == nullptr)
                window->setTransientParent(ownerFor(window));
        }
        break;
    case QEvent::Expose:
        if (watched->isWindowType()) {
            auto* window = static_cast<QWindow*>(watched);
            if (window->isVisible() && isModalDialog(window))
                mark(window);
        }
        break;
    case QEvent::Hide:
        // Qt 6.4 drops a hidden window's surface, and with it the mark; the next showing makes a
        // new surface to mark. A surface kept through the hiding keeps its mark.
        if (watched->isWindowType()) {
            auto* window = static_cast<QWindow*>(watched);
            if (QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", window) == nullptr)
                forget(window);
        }
        break;
    case QEvent::PlatformSurface:
        if (watched->isWindowType() &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
            forget(static_cast<QWindow*>(watched));
        break;
    default: break;
    }
    return false;
}

void GtkShellModalHint::mark(QWindow* window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    // Only a window with a shell role of its own is placed by mutter; the surface and the role
    // exist once a shown window is first exposed.
    if (native->nativeResourceForWindow("xdg_toplevel", window) == nullptr)
        return;
    auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
    if (surface == nullptr)
        return;
    // mutter ends the program's connection when a surface is asked for twice, so a surface that
    // is already marked is left as it is.
    const uint32_t id = wl_proxy_get_id(reinterpret_cast<wl_proxy*>(surface));
    if (const auto known = marks_.constFind(window);
        known != marks_.cend() && known->surface == surface && known->surfaceId == id)
        return;
    forget(window);
    gtk_surface1* gtkSurface = gtk_shell1_get_gtk_surface(shell_, surface);
    gtk_surface1_set_modal(gtkSurface);
    marks_.insert(window, Mark{gtkSurface, surface, id});
}

void GtkShellModalHint::forget(QWindow* window) {
    // gtk_surface1 of version 1 has no destructor request, so only the proxy goes; the compositor
    // drops its side with the surface.
    if (const auto known = marks_.constFind(window); known != marks_.cend()) {
        gtk_surface1_destroy(known->gtkSurface);
        marks_.erase(known);
    }
}

} // namespace vexo
