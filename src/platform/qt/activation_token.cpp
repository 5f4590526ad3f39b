// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/activation_token.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>

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

namespace {

bool onX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// The X11 plug-in's own startup-notification state, reached through its native interface as
// desktop frameworks do: the id it puts on the next window it maps (and then announces as
// finished), and the user time it sends with an activation request.
using SetStartupId = void (*)(const char*);
using SetAppTime = void (*)(QScreen*, unsigned int);

// The native interface hands out untyped function pointers; going through void (*)() says so.
template <typename Function, typename Untyped>
Function typed(Untyped untyped) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(untyped));
}

QPlatformNativeInterface* x11Native() { return onX11() ? QGuiApplication::platformNativeInterface() : nullptr; }

void setPendingStartupId(const QByteArray& id) {
    if (QPlatformNativeInterface* native = x11Native())
        if (auto set = typed<SetStartupId>(native->nativeResourceFunctionForIntegration("setstartupid")))
            set(id.isEmpty() ? nullptr : id.constData());
}

QByteArray pendingStartupId() {
    QPlatformNativeInterface* native = x11Native();
    const char* id = native ? static_cast<const char*>(native->nativeResourceForIntegration("startupid")) : nullptr;
    return id ? QByteArray(id) : QByteArray();
}

// The launcher's click time that a startup id carries ("…_TIME<server time>"); 0 without one.
unsigned int launchTime(const QByteArray& id) {
    static const QRegularExpression time(QStringLiteral("_TIME(\\d+)$"));
    const QRegularExpressionMatch match = time.match(QString::fromLatin1(id));
    return match.hasMatch() ? match.captured(1).toUInt() : 0;
}

// Tells the launcher that the start it is showing feedback for has ended: the startup-notification
// "remove" message, sent to the root window in 20-byte pieces from a window of ours.
void sendStartupRemoved(const QByteArray& id) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return;
    QByteArray text = "remove: ID=\"";
    for (const char c : id) {
        if (c == '"' || c == '\\')
            text += '\\';
        text += c;
    }
    text += "\"";
    text += '\0';
    const Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window sender = XCreateWindow(display, root, -100, -100, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                                        CWOverrideRedirect, &attributes);
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    for (qsizetype offset = 0; offset < text.size(); offset += 20) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.display = display;
        event.xclient.window = sender;
        event.xclient.message_type = offset == 0 ? begin : more;
        event.xclient.format = 8;
        std::memcpy(event.xclient.data.b, text.constData() + offset, std::min<qsizetype>(20, text.size() - offset));
        XSendEvent(display, root, False, PropertyChangeMask, &event);
    }
    XDestroyWindow(display, sender);
    XFlush(display);
}

} // namespace

void ActivationToken::useForNextActivation(const QByteArray& token) {
    if (!isValid(token))
        return;
    // Qt's xdg-shell reads the variable at the next requestActivate() and clears it.
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", token);
    if (!onX11())
        return;
    // On X11 the id's click time goes with the activation request, so a window manager that
    // prevents focus stealing sees the user's own click; a window mapped now carries the id and
    // ends the launcher's feedback.
    setPendingStartupId(token);
    if (const unsigned int time = launchTime(token); time != 0)
        if (auto set = typed<SetAppTime>(x11Native()->nativeResourceFunctionForScreen("setapptime")))
            set(QGuiApplication::primaryScreen(), time);
}

void ActivationToken::discardUnused() {
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        qunsetenv("XDG_ACTIVATION_TOKEN");
    // No window was mapped for the start (the window was already up, or stays behind the icon):
    // the launcher still waits for its end, so it is told here instead of timing out.
    if (const QByteArray id = pendingStartupId(); !id.isEmpty()) {
        setPendingStartupId({});
        sendStartupRemoved(id);
    }
}

} // namespace vexo
