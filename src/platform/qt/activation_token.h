// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QByteArray>

namespace vexo {

// The permission a launcher hands a program to bring its window forward: on Wayland the
// xdg-activation token ($XDG_ACTIVATION_TOKEN), on X11 the startup-notification id
// ($DESKTOP_STARTUP_ID). A later start passes its own to the running instance, which needs it:
// a Wayland compositor ignores activation (and leaves a minimised window minimised) without one.
class ActivationToken {
public:
    // The token this process was started with, taken out of the environment so that nothing it
    // starts inherits it; empty when the launcher gave none.
    static QByteArray takeFromLauncher();

    // Whether a token is fit to travel over the single-instance socket and into the
    // environment: 1-255 printable ASCII characters without spaces.
    static bool isValid(const QByteArray& token);

    // Hands a token to the window system for the next activation of a window
    // (QWindow::requestActivate, QWidget::activateWindow): on Wayland through
    // $XDG_ACTIVATION_TOKEN, which Qt reads there; elsewhere nothing is needed. An empty or invalid
    // token does nothing.
    static void useForNextActivation(const QByteArray& token);
    // Drops a handed-over token that no activation took (Qt clears it when one does), so that a
    // later activation does not present a stale one and fail where Qt would have asked for its own.
    static void discardUnused();
};

} // namespace vexo
