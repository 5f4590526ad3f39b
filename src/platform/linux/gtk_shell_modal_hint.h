// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QHash>
#include <QObject>
#include <cstdint>
#include <memory>

class QWindow;
struct wl_proxy;

namespace vexo {

class GtkShellProtocol;
struct WaylandClientLibrary;

// Marks the program's modal dialogs as modal to GNOME's compositor (mutter), which then centres
// each over the window it belongs to (Qt keeps that window blocked meanwhile). Without the mark
// mutter takes a Wayland dialog for a normal window and puts it at the screen's top-left corner;
// Qt 6.4 has no way to send it. The mark goes through mutter's own gtk_shell1 protocol, so elsewhere
// (X11, KWin, other compositors, which centre dialogs on their own) nothing changes.
//
// A dialog here is a top-level window with a transient parent and a modality other than
// Qt::NonModal (QDialog::exec, QDialog::setModal, QMessageBox). Each is marked on its first
// exposure after being shown: its xdg_toplevel exists then and its first picture is not yet
// attached, which is when mutter decides where a window goes. A modal dialog shown without a
// parent (a message box made without one) is first given the program's shown window as owner, so
// that it too has a window to lie over.
class GtkShellModalHint : public QObject {
public:
    // Starts marking when the program runs on Qt's Wayland platform and the compositor offers
    // gtk_shell1; returns null otherwise (and then nothing is watched). Should libwayland-client
    // not open there, it says so on the standard error and returns null. Needs a QGuiApplication.
    static std::unique_ptr<GtkShellModalHint> install();
    ~GtkShellModalHint() override;

    GtkShellModalHint(const GtkShellModalHint&) = delete;
    GtkShellModalHint& operator=(const GtkShellModalHint&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GtkShellModalHint(const WaylandClientLibrary& wl, std::unique_ptr<GtkShellProtocol> protocol, wl_proxy* shell);
    void mark(QWindow* window);
    void forget(QWindow* window);

    const WaylandClientLibrary& wl_;
    // The descriptions the proxies below were made with; they go after the proxies.
    std::unique_ptr<GtkShellProtocol> protocol_;
    wl_proxy* shell_; // gtk_shell1
    // The mark of each dialog and the surface it was made for, until that surface goes.
    struct Mark {
        wl_proxy* gtkSurface; // gtk_surface1
        wl_proxy* surface; // the window's wl_surface
        uint32_t surfaceId;
    };
    QHash<QWindow*, Mark> marks_;
};

} // namespace vexo
