// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// A later start's startup id on a real X server (Xvfb): the launcher hears once that the start
// ended, and the activation request carries the launcher's click time.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/activation_token.h"
#include "platform/xvfb_server.h"

namespace vexo {
namespace {

std::string g_display;

// A second client on the server that hears what a launcher and a window manager would: the
// startup-notification messages and activation requests sent to the root window.
class RootListener {
public:
    RootListener() : display_(XOpenDisplay(g_display.c_str())) {
        if (display_ == nullptr)
            return;
        XSelectInput(display_, DefaultRootWindow(display_), PropertyChangeMask | StructureNotifyMask);
        begin_ = XInternAtom(display_, "_NET_STARTUP_INFO_BEGIN", False);
        more_ = XInternAtom(display_, "_NET_STARTUP_INFO", False);
        activeWindow_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
        XSync(display_, False);
    }
    ~RootListener() {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    bool connected() const { return display_ != nullptr; }

    // The server's clock now, read from the stamp of a property change: a launcher's click is
    // always later than what the running program has seen, and X times only move forward.
    unsigned long serverTime() {
        const Window root = DefaultRootWindow(display_);
        const Atom probe = XInternAtom(display_, "VEXO_TEST_CLOCK", False);
        XChangeProperty(display_, root, probe, XA_STRING, 8, PropModeReplace, nullptr, 0);
        XEvent event;
        XIfEvent(
            display_, &event,
            [](Display*, XEvent* e, XPointer atom) {
                return static_cast<Bool>(e->type == PropertyNotify &&
                                         e->xproperty.atom == *reinterpret_cast<Atom*>(atom));
            },
            reinterpret_cast<XPointer>(const_cast<Atom*>(&probe)));
        return event.xproperty.time;
    }

    // Reads what has arrived, letting the program's event loop run until `done` or two seconds.
    template <typename Done>
    void collect(Done done) {
        for (int round = 0; round < 200 && !done(); ++round) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            XSync(display_, False);
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type != ClientMessage)
                    continue;
                const XClientMessageEvent& message = event.xclient;
                if (message.message_type == activeWindow_) {
                    activationTimes.push_back(static_cast<unsigned long>(message.data.l[1]));
                } else if (message.message_type == begin_ || message.message_type == more_) {
                    std::string& text = partial_[message.window];
                    if (message.message_type == begin_)
                        text.clear();
                    for (const char c : message.data.b) {
                        if (c == '\0') {
                            startupMessages.push_back(text);
                            partial_.erase(message.window);
                            break;
                        }
                        text += c;
                    }
                }
            }
        }
    }

    std::vector<std::string> startupMessages;
    std::vector<unsigned long> activationTimes;

private:
    Display* display_;
    Atom begin_ = 0, more_ = 0, activeWindow_ = 0;
    std::map<Window, std::string> partial_;
};

TEST(X11StartupTest, AWindowShownForTheStartEndsTheLaunchersFeedbackWithTheClickTime) {
    RootListener listener;
    ASSERT_TRUE(listener.connected());
    QWindow window;
    window.resize(20, 20);
    const unsigned long click = listener.serverTime() + 1000;
    const QByteArray id = "launcher-1-vexo_TIME" + QByteArray::number(qulonglong(click));
    ActivationToken::useForNextActivation(id);
    window.show();
    window.requestActivate();
    ActivationToken::discardUnused();
    listener.collect([&] { return !listener.startupMessages.empty() && !listener.activationTimes.empty(); });

    // Exactly one "remove" for the id, whoever sent it: a second would be for a start that never was.
    ASSERT_EQ(listener.startupMessages.size(), 1u);
    EXPECT_NE(listener.startupMessages[0].find("remove:"), std::string::npos) << listener.startupMessages[0];
    EXPECT_NE(listener.startupMessages[0].find(id.toStdString()), std::string::npos);
    ASSERT_FALSE(listener.activationTimes.empty());
    EXPECT_EQ(listener.activationTimes.back(), click);
}

TEST(X11StartupTest, AWindowAlreadyUpStillEndsTheLaunchersFeedbackWithTheClickTime) {
    QWindow window;
    window.resize(20, 20);
    window.show();
    RootListener warmUp;
    warmUp.collect([] { return false; });

    RootListener listener;
    ASSERT_TRUE(listener.connected());
    const unsigned long click = listener.serverTime() + 1000;
    const QByteArray id = "launcher-2-vexo_TIME" + QByteArray::number(qulonglong(click));
    ActivationToken::useForNextActivation(id);
    window.requestActivate();
    ActivationToken::discardUnused();
    listener.collect([&] { return !listener.startupMessages.empty() && !listener.activationTimes.empty(); });

    ASSERT_EQ(listener.startupMessages.size(), 1u);
    EXPECT_EQ(listener.startupMessages[0], "remove: ID=\"" + id.toStdString() + "\"");
    ASSERT_FALSE(listener.activationTimes.empty());
    EXPECT_EQ(listener.activationTimes.back(), click);

    // Nothing is left pending: a later activation without a start sends no second "remove".
    RootListener later;
    ActivationToken::discardUnused();
    later.collect([] { return false; });
    EXPECT_TRUE(later.startupMessages.empty());
}

} // namespace
} // namespace vexo

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vexo::XvfbServer server;
    if (server.display().empty()) {
        std::fprintf(stderr, "Xvfb could not be started (package xvfb)\n");
        return 1;
    }
    vexo::g_display = server.display();
    ::setenv("DISPLAY", vexo::g_display.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Qt asks for activation only where a window manager says it takes _NET_ACTIVE_WINDOW; this
    // stands in for one, for the life of the test.
    Display* manager = XOpenDisplay(vexo::g_display.c_str());
    if (manager != nullptr) {
        const Window root = DefaultRootWindow(manager);
        Atom supported = XInternAtom(manager, "_NET_ACTIVE_WINDOW", False);
        XChangeProperty(manager, root, XInternAtom(manager, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&supported), 1);
        Window check = XCreateSimpleWindow(manager, root, 0, 0, 1, 1, 0, 0, 0);
        const Atom checkAtom = XInternAtom(manager, "_NET_SUPPORTING_WM_CHECK", False);
        XChangeProperty(manager, root, checkAtom, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&check), 1);
        XChangeProperty(manager, check, checkAtom, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&check), 1);
        XSync(manager, False);
    }
    QGuiApplication app(argc, argv);
    const int status = RUN_ALL_TESTS();
    if (manager != nullptr)
        XCloseDisplay(manager);
    return status;
}
