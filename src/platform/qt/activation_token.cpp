// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/activation_token.h"

#include <QGuiApplication>

#include <algorithm>

namespace vexo {

QByteArray ActivationToken::takeFromLauncher() {
    // Both are read and both cleared: a launcher may set either, whatever platform Qt then picks.
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    const QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID");
    if (token.isEmpty())
        token = startupId;
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    return isValid(token) ? token : QByteArray();
}

bool ActivationToken::isValid(const QByteArray& token) {
    return !token.isEmpty() && token.size() < 256 &&
        std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

void ActivationToken::useForNextActivation(const QByteArray& token) {
    if (!isValid(token))
        return;
    // Qt's xdg-shell reads the variable at the next requestActivate() and clears it. X11 needs
    // nothing: its window managers accept _NET_ACTIVE_WINDOW from a running program, and Qt 6
    // offers no public way to hand a later startup id to the X11 plug-in.
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", token);
}

void ActivationToken::discardUnused() {
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        qunsetenv("XDG_ACTIVATION_TOKEN");
}

} // namespace vexo
