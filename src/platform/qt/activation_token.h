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
    // $XDG_ACTIVATION_TOKEN, which Qt reads there; on X11 as the startup id of the next window
    // mapped, with the launcher's click time (the id's "_TIME" part) sent with the activation
    // request. An empty or invalid token does nothing.
    static void useForNextActivation(const QByteArray& token);
    // Ends what the token began: drops a Wayland token that no activation took (Qt clears it when
    // one does), so that a later activation does not present a stale one; on X11, where no window
    // was mapped for the start, tells the launcher that it ended, which it otherwise only learns
    // from a timeout.
    static void discardUnused();
};

} // namespace vexo
