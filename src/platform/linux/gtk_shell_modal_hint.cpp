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
#include <wayland-util.h>

#include "base/write_all.h"
#include "platform/linux/gtk_shell_protocol.h"
#include "platform/linux/wayland_client_library.h"

namespace vexo {

namespace {

struct Found {
    uint32_t name = 0;
};

// wl_registry.global(name, interface, version): notes gtk_shell1's name.
void onGlobal(void* data, wl_proxy*, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, GtkShellProtocol::kShellName) == 0)
        static_cast<Found*>(data)->name = name;
}

// wl_registry.global_remove(name): nothing here outlives the round trip.
void onGlobalRemove(void*, wl_proxy*, uint32_t) {}

// Finds gtk_shell1 among the compositor's globals. The registry gets a queue of its own, so that
// the round trip here dispatches nothing of Qt's.
wl_proxy* bindGtkShell(const WaylandClientLibrary& wl, const GtkShellProtocol& protocol, wl_display* display) {
    wl_event_queue* queue = wl.displayCreateQueue(display);
    wl_proxy* wrapper = static_cast<wl_proxy*>(wl.proxyCreateWrapper(display));
    wl.proxySetQueue(wrapper, queue);
    wl_proxy* registry = wl.proxyMarshalFlags(wrapper, GtkShellProtocol::kDisplayGetRegistry, wl.registryInterface,
                                              wl.proxyGetVersion(wrapper), 0, nullptr);
    wl.proxyWrapperDestroy(wrapper);

    Found found;
    // wl_registry's listener is the table of its events' handlers: global, then global_remove.
    static void (*const listener[])(void) = {reinterpret_cast<void (*)(void)>(&onGlobal),
                                             reinterpret_cast<void (*)(void)>(&onGlobalRemove)};
    wl.proxyAddListener(registry, const_cast<void (**)(void)>(listener), &found);
    wl_proxy* shell = nullptr;
    if (wl.displayRoundtripQueue(display, queue) >= 0 && found.name != 0) {
        const wl_interface& shellInterface = protocol.shell();
        // Version 1 holds the modal hint and sends the fewest events.
        shell =
            wl.proxyMarshalFlags(registry, GtkShellProtocol::kRegistryBind, &shellInterface, GtkShellProtocol::kVersion,
                                 0, found.name, shellInterface.name, GtkShellProtocol::kVersion, nullptr);
        // Its events (and those of the surfaces made from it) carry nothing needed here; on Qt's
        // queue they are read and dropped instead of piling up on a queue nobody reads.
        if (shell != nullptr)
            wl.proxySetQueue(shell, nullptr);
    }
    wl.proxyDestroy(registry);
    wl.eventQueueDestroy(queue);
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
    std::string error;
    const WaylandClientLibrary* wl = WaylandClientLibrary::open(error);
    if (wl == nullptr) {
        // Qt's own Wayland plug-in uses the library, so this is a broken installation.
        WriteToStderr("vexo: dialogs are not marked modal for the compositor: " + error + "\n");
        return nullptr;
    }
    auto protocol = std::make_unique<GtkShellProtocol>(wl->surfaceInterface);
    wl_proxy* shell = bindGtkShell(*wl, *protocol, display);
    if (shell == nullptr)
        return nullptr;
    std::unique_ptr<GtkShellModalHint> hint(new GtkShellModalHint(*wl, std::move(protocol), shell));
    qApp->installEventFilter(hint.get());
    return hint;
}

GtkShellModalHint::GtkShellModalHint(const WaylandClientLibrary& wl, std::unique_ptr<GtkShellProtocol> protocol,
                                     wl_proxy* shell)
    : wl_(wl), protocol_(std::move(protocol)), shell_(shell) {}

GtkShellModalHint::~GtkShellModalHint() {
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
    for (const Mark& mark : std::as_const(marks_))
        wl_.proxyDestroy(mark.gtkSurface);
    wl_.proxyDestroy(shell_);
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
    auto* surface = static_cast<wl_proxy*>(native->nativeResourceForWindow("surface", window));
    if (surface == nullptr)
        return;
    // mutter ends the program's connection when a surface is asked for twice, so a surface that
    // is already marked is left as it is.
    const uint32_t id = wl_.proxyGetId(surface);
    if (const auto known = marks_.constFind(window);
        known != marks_.cend() && known->surface == surface && known->surfaceId == id)
        return;
    forget(window);
    wl_proxy* gtkSurface = wl_.proxyMarshalFlags(shell_, GtkShellProtocol::kShellGetGtkSurface, &protocol_->surface(),
                                                 wl_.proxyGetVersion(shell_), 0, nullptr, surface);
    if (gtkSurface == nullptr)
        return;
    wl_.proxyMarshalFlags(gtkSurface, GtkShellProtocol::kSurfaceSetModal, nullptr, wl_.proxyGetVersion(gtkSurface), 0);
    marks_.insert(window, Mark{gtkSurface, surface, id});
}

void GtkShellModalHint::forget(QWindow* window) {
    // gtk_surface1 of version 1 has no destructor request, so only the proxy goes; the compositor
    // drops its side with the surface.
    if (const auto known = marks_.constFind(window); known != marks_.cend()) {
        wl_.proxyDestroy(known->gtkSurface);
        marks_.erase(known);
    }
}

} // namespace vexo
