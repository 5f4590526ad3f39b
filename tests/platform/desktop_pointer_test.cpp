// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The desktop pointer backends against the real services: GIO with the installed schemas (a key
// file backend), KDE's files in a temporary configuration folder, an Xvfb server.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gio/gio.h>

#include <atomic>
#include <map>
#include <thread>

#include "config/temp_dir.h"
#include "platform/private_session_bus.h"
#include "platform/linux/deferred_pointer_settings.h"
#include "platform/xvfb_server.h"
#include "platform/linux/desktop_pointer_factory.h"
#include "platform/linux/gsettings_pointer_settings.h"
#include "platform/linux/kde_pointer_settings.h"
#include "platform/linux/kwin_input_devices.h"
#include "platform/linux/x11_pointer_settings.h"
#include "sim/memory_pointer_settings.h"

namespace vexo {
namespace {

using test::TempDir;

TEST(GSettingsPointerTest, ValuesGoThroughGioIntoTheKeyFileAndBack) {
    if (!GSettingsPointerSettings::SchemaInstalled())
        GTEST_SKIP() << "gsettings-desktop-schemas is not installed";
    TempDir dir("gsettings");
    const auto keyFile = dir / "settings.ini";
    {
        GSettingsPointerSettings settings(keyFile);
        // Nothing stored yet: the schema's defaults (adaptive-capable "default", speed 0, 400 ms).
        EXPECT_EQ(settings.enhancePrecision(), true);
        EXPECT_EQ(settings.pointerSpeed(), 10u);
        EXPECT_EQ(settings.doubleClickTime(), 400u);

        EXPECT_TRUE(settings.setEnhancePrecision(false));
        EXPECT_TRUE(settings.setPointerSpeed(20));
        EXPECT_TRUE(settings.setDoubleClickTime(550));
        EXPECT_EQ(settings.enhancePrecision(), false);
        EXPECT_EQ(settings.pointerSpeed(), 20u);
        EXPECT_EQ(settings.doubleClickTime(), 550u);

        // No wheel lines on these desktops: both calls fail instead of pretending.
        EXPECT_FALSE(settings.wheelScrollLines());
        EXPECT_FALSE(settings.setWheelScrollLines(3));
    }
    const std::string stored = TempDir::take(keyFile);
    EXPECT_NE(stored.find("[org/gnome/desktop/peripherals/mouse]"), std::string::npos) << stored;
    EXPECT_NE(stored.find("accel-profile='flat'"), std::string::npos) << stored;
    EXPECT_NE(stored.find("speed=1.0"), std::string::npos) << stored;
    EXPECT_NE(stored.find("double-click=550"), std::string::npos) << stored;

    // A second connection reads what the first wrote.
    GSettingsPointerSettings again(keyFile);
    EXPECT_EQ(again.pointerSpeed(), 20u);
    EXPECT_TRUE(again.setEnhancePrecision(true));
    EXPECT_NE(TempDir::take(keyFile).find("accel-profile='adaptive'"), std::string::npos);
}

TEST(GSettingsPointerTest, SpeedScaleMapsTheTwentyStepsOntoMinusOneToOne) {
    EXPECT_DOUBLE_EQ(GSettingsPointerSettings::SpeedToGSettings(10), 0.0);
    EXPECT_DOUBLE_EQ(GSettingsPointerSettings::SpeedToGSettings(1), -0.9);
    EXPECT_DOUBLE_EQ(GSettingsPointerSettings::SpeedToGSettings(20), 1.0);
    EXPECT_DOUBLE_EQ(GSettingsPointerSettings::SpeedToGSettings(99), 1.0);
    for (unsigned s = 1; s <= 20; ++s)
        EXPECT_EQ(GSettingsPointerSettings::SpeedFromGSettings(GSettingsPointerSettings::SpeedToGSettings(s)), s);
    EXPECT_EQ(GSettingsPointerSettings::SpeedFromGSettings(-1.0), 1u);
    EXPECT_EQ(GSettingsPointerSettings::SpeedFromGSettings(0.26), 13u);
}

TEST(KdePointerTest, ValuesLandInKcminputrcAndKdeglobalsKeepingTheRest) {
    TempDir dir("kde");
    TempDir::put(dir / "kdeglobals", "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n");
    KdePointerSettings settings(dir.path, false);
    // Absent keys read as Plasma's own defaults.
    EXPECT_EQ(settings.enhancePrecision(), true);
    EXPECT_EQ(settings.pointerSpeed(), 10u);
    EXPECT_EQ(settings.wheelScrollLines(), 3u);
    EXPECT_EQ(settings.doubleClickTime(), 400u);

    EXPECT_TRUE(settings.setEnhancePrecision(false));
    EXPECT_TRUE(settings.setPointerSpeed(4));
    EXPECT_TRUE(settings.setWheelScrollLines(7));
    EXPECT_TRUE(settings.setDoubleClickTime(620));
    EXPECT_EQ(settings.enhancePrecision(), false);
    EXPECT_EQ(settings.pointerSpeed(), 4u);
    EXPECT_EQ(settings.wheelScrollLines(), 7u);
    EXPECT_EQ(settings.doubleClickTime(), 620u);

    const std::string input = TempDir::take(dir / "kcminputrc");
    EXPECT_NE(input.find("[Mouse]"), std::string::npos);
    EXPECT_NE(input.find("XLbInptAccelProfileFlat=true"), std::string::npos) << input;
    EXPECT_NE(input.find("XLbInptPointerAcceleration=-0.6"), std::string::npos) << input;
    const std::string globals = TempDir::take(dir / "kdeglobals");
    EXPECT_NE(globals.find("ColorScheme=Breeze"), std::string::npos);
    EXPECT_NE(globals.find("SingleClick=false"), std::string::npos);
    EXPECT_NE(globals.find("WheelScrollLines=7"), std::string::npos) << globals;
    EXPECT_NE(globals.find("DoubleClickInterval=620"), std::string::npos) << globals;

    // Plasma has no "one screen per notch": refused, and the stored lines stay.
    EXPECT_FALSE(settings.setWheelScrollLines(DesktopPointerSettings::kScrollOneScreen));
    EXPECT_EQ(settings.wheelScrollLines(), 7u);
}

TEST(KdePointerTest, DamagedValuesAndUnusableFilesFailTheirCall) {
    TempDir dir("kde-bad");
    TempDir::put(dir / "kdeglobals", "[KDE]\nWheelScrollLines=lots\nDoubleClickInterval=-5\n");
    TempDir::put(dir / "kcminputrc", "[Mouse]\nXLbInptAccelProfileFlat=maybe\nXLbInptPointerAcceleration=fast\n");
    KdePointerSettings settings(dir.path, false);
    EXPECT_FALSE(settings.wheelScrollLines());
    EXPECT_FALSE(settings.doubleClickTime());
    EXPECT_FALSE(settings.enhancePrecision());
    EXPECT_FALSE(settings.pointerSpeed());

    // A FIFO where kdeglobals should be is neither read nor replaced.
    std::filesystem::remove(dir / "kdeglobals");
    ASSERT_EQ(::mkfifo((dir / "kdeglobals").c_str(), 0600), 0);
    EXPECT_FALSE(settings.doubleClickTime());
    EXPECT_FALSE(settings.setDoubleClickTime(500));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "kdeglobals"));
}

TEST(KdePointerTest, PlasmaIsToldOnTheSessionBusAfterAWrite) {
    PrivateSessionBus bus;
    if (bus.address().empty())
        GTEST_SKIP() << "dbus-daemon could not be started";
    GDBusConnection* listener =
        g_dbus_connection_new_for_address_sync(bus.address().c_str(),
                                               GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                                    G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                                               nullptr, nullptr, nullptr);
    ASSERT_NE(listener, nullptr);
    std::vector<std::string> heard;
    const auto onSignal = [](GDBusConnection*, const gchar*, const gchar*, const gchar* interface, const gchar* member,
                             GVariant*, gpointer data) {
        static_cast<std::vector<std::string>*>(data)->push_back(std::string(interface) + "." + member);
    };
    const guint kde = g_dbus_connection_signal_subscribe(listener, nullptr, "org.kde.KGlobalSettings", "notifyChange",
                                                         "/KGlobalSettings", nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                                         onSignal, &heard, nullptr);
    const guint kwin = g_dbus_connection_signal_subscribe(listener, nullptr, "org.kde.KWin", "reloadConfig", "/KWin",
                                                          nullptr, G_DBUS_SIGNAL_FLAGS_NONE, onSignal, &heard, nullptr);
    // A round trip on the listener's connection makes sure the bus has its match rules.
    GVariant* id =
        g_dbus_connection_call_sync(listener, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                    "GetId", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    if (id != nullptr)
        g_variant_unref(id);

    TempDir dir("kde-bus");
    KdePointerSettings settings(dir.path);
    ASSERT_TRUE(settings.setDoubleClickTime(450));
    for (int i = 0; i < 500 && heard.size() < 2; ++i) {
        while (g_main_context_iteration(nullptr, FALSE)) {}
        ::usleep(10000);
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"org.kde.KGlobalSettings.notifyChange", "org.kde.KWin.reloadConfig"}));
    g_dbus_connection_signal_unsubscribe(listener, kde);
    g_dbus_connection_signal_unsubscribe(listener, kwin);
    g_dbus_connection_close_sync(listener, nullptr, nullptr);
    g_object_unref(listener);
}

// KWin's input devices as KWin 5.27 offers them on the session bus: the manager's
// devicesSysNames and, per device, the properties the settings use. Runs in a thread of its own so
// that the blocking calls of the code under test are answered.
class FakeKwinInputDevices {
public:
    struct Device {
        bool pointer = true;
        bool touchpad = false;
        bool flat = false;
        double acceleration = 0.0;
    };

    explicit FakeKwinInputDevices(std::map<std::string, Device> devices) : devices_(std::move(devices)) {
        thread_ = std::thread([this] { run(); });
        while (!ready_)
            ::usleep(1000);
    }
    ~FakeKwinInputDevices() {
        g_main_loop_quit(loop_);
        thread_.join();
    }
    bool owned() const { return owned_; }
    // Read after the calls under test returned; the service thread is idle then.
    const Device& device(const std::string& name) const { return devices_.at(name); }

private:
    static constexpr const char* kXml =
        "<node><interface name='org.kde.KWin.InputDeviceManager'>"
        "<property name='devicesSysNames' type='as' access='read'/></interface>"
        "<interface name='org.kde.KWin.InputDevice'>"
        "<property name='pointer' type='b' access='read'/><property name='touchpad' type='b' access='read'/>"
        "<property name='supportsPointerAcceleration' type='b' access='read'/>"
        "<property name='supportsPointerAccelerationProfileFlat' type='b' access='read'/>"
        "<property name='supportsPointerAccelerationProfileAdaptive' type='b' access='read'/>"
        "<property name='pointerAccelerationProfileFlat' type='b' access='readwrite'/>"
        "<property name='pointerAcceleration' type='d' access='readwrite'/></interface></node>";

    static GVariant* getProperty(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* name,
                                 GError**, gpointer data) {
        auto* self = static_cast<FakeKwinInputDevices*>(data);
        if (std::string(path) == "/org/kde/KWin/InputDevice") {
            std::vector<const gchar*> names;
            for (const auto& [sysName, device] : self->devices_)
                names.push_back(sysName.c_str());
            return g_variant_new_strv(names.data(), gssize(names.size()));
        }
        const Device& device = self->devices_.at(std::string(path).substr(std::strlen("/org/kde/KWin/InputDevice/")));
        const std::string property(name);
        if (property == "pointer")
            return g_variant_new_boolean(device.pointer);
        if (property == "touchpad")
            return g_variant_new_boolean(device.touchpad);
        if (property == "pointerAccelerationProfileFlat")
            return g_variant_new_boolean(device.flat);
        if (property == "pointerAcceleration")
            return g_variant_new_double(device.acceleration);
        return g_variant_new_boolean(TRUE); // supports...
    }
    static gboolean setProperty(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* name,
                                GVariant* value, GError**, gpointer data) {
        auto* self = static_cast<FakeKwinInputDevices*>(data);
        Device& device = self->devices_.at(std::string(path).substr(std::strlen("/org/kde/KWin/InputDevice/")));
        if (std::string(name) == "pointerAccelerationProfileFlat")
            device.flat = g_variant_get_boolean(value) != FALSE;
        else
            device.acceleration = g_variant_get_double(value);
        return TRUE;
    }

    void run() {
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        loop_ = g_main_loop_new(context, FALSE);
        gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        GDBusConnection* bus =
            g_dbus_connection_new_for_address_sync(address,
                                                   GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                                                   nullptr, nullptr, nullptr);
        g_free(address);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kXml, nullptr);
        static const GDBusInterfaceVTable vtable = {nullptr, &getProperty, &setProperty, {}};
        if (bus != nullptr) {
            g_dbus_connection_register_object(bus, "/org/kde/KWin/InputDevice", node->interfaces[0], &vtable, this,
                                              nullptr, nullptr);
            for (const auto& [sysName, device] : devices_)
                g_dbus_connection_register_object(bus, ("/org/kde/KWin/InputDevice/" + sysName).c_str(),
                                                  node->interfaces[1], &vtable, this, nullptr, nullptr);
            GVariant* reply = g_dbus_connection_call_sync(
                bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.kde.KWin", 4u), G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
                nullptr);
            if (reply != nullptr) {
                guint32 result = 0;
                g_variant_get(reply, "(u)", &result);
                owned_ = result == 1;
                g_variant_unref(reply);
            }
        }
        ready_ = true;
        g_main_loop_run(loop_);
        if (bus != nullptr) {
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        g_dbus_node_info_unref(node);
        g_main_loop_unref(loop_);
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
    }

    std::map<std::string, Device> devices_;
    std::thread thread_;
    GMainLoop* loop_ = nullptr;
    std::atomic<bool> ready_{false};
    std::atomic<bool> owned_{false};
};

TEST(KdePointerTest, OnWaylandEveryMouseIsSetLiveThroughKwinAndTheFilesStayUntouched) {
    PrivateSessionBus bus;
    if (bus.address().empty())
        GTEST_SKIP() << "dbus-daemon could not be started";
    FakeKwinInputDevices kwin({{"event4", {}},
                               {"event7", {true, false, true, 0.5}},
                               {"event9", {true, true, false, 0.0}}, // a touchpad: not the mouse's
                               {"event2", {false, false, false, 0.0}}}); // a keyboard
    ASSERT_TRUE(kwin.owned());
    TempDir dir("kde-wayland-bus");
    KdePointerSettings settings(dir.path, true, true);
    // Read from the first pointer, event4: adaptive, speed 0.
    EXPECT_EQ(settings.enhancePrecision(), true);
    EXPECT_EQ(settings.pointerSpeed(), 10u);

    EXPECT_TRUE(settings.setEnhancePrecision(false));
    EXPECT_TRUE(settings.setPointerSpeed(4));
    EXPECT_EQ(settings.enhancePrecision(), false);
    EXPECT_EQ(settings.pointerSpeed(), 4u);
    for (const char* mouse : {"event4", "event7"}) {
        EXPECT_TRUE(kwin.device(mouse).flat) << mouse;
        EXPECT_DOUBLE_EQ(kwin.device(mouse).acceleration, -0.6) << mouse;
    }
    EXPECT_FALSE(kwin.device("event9").flat);
    EXPECT_DOUBLE_EQ(kwin.device("event9").acceleration, 0.0);
    EXPECT_TRUE(settings.setEnhancePrecision(true));
    EXPECT_FALSE(kwin.device("event7").flat);
    // KWin saves what it took; the program writes no [Mouse] key KWin would not read.
    EXPECT_FALSE(std::filesystem::exists(dir / "kcminputrc"));
}

TEST(KdePointerTest, OnWaylandWithoutKwinTheLibinputGroupsOfKcminputrcAreWritten) {
    // No session bus at all: only the files.
    const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string savedAddress = saved != nullptr ? saved : "";
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "", 1);
    TempDir runtime("kde-wayland-runtime");
    const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntimeDir = savedRuntime != nullptr ? savedRuntime : "";
    ::setenv("XDG_RUNTIME_DIR", runtime.path.c_str(), 1);

    TempDir dir("kde-wayland-files");
    // A device KWin saved earlier, a touchpad without the key, and the user's other input settings.
    TempDir::put(dir / "kcminputrc",
                 "[Keyboard]\nNumLock=0\n\n"
                 "[Libinput][1133][49291][Logitech G502]\nPointerAcceleration=0.400\n"
                 "PointerAccelerationProfile=2\n\n"
                 "[Libinput][1267][12345][Touchpad]\nTapToClick=true\n\n[Mouse]\ncursorTheme=breeze\n");
    KdePointerSettings settings(dir.path, true, true);
    EXPECT_EQ(settings.enhancePrecision(), true) << "KWin's default profile accelerates";
    EXPECT_EQ(settings.pointerSpeed(), 10u);
    EXPECT_TRUE(settings.setEnhancePrecision(false));
    EXPECT_TRUE(settings.setPointerSpeed(16));
    EXPECT_EQ(settings.enhancePrecision(), false);
    EXPECT_EQ(settings.pointerSpeed(), 16u);
    const std::string input = TempDir::take(dir / "kcminputrc");
    EXPECT_NE(input.find("[Libinput][Defaults][Pointer]\nPointerAccelerationProfile=1\nPointerAcceleration=0.6\n"),
              std::string::npos)
        << input;
    EXPECT_NE(input.find("[Libinput][1133][49291][Logitech G502]\nPointerAcceleration=0.6\n"
                         "PointerAccelerationProfile=1\n"),
              std::string::npos)
        << input;
    EXPECT_NE(input.find("[Libinput][1267][12345][Touchpad]\nTapToClick=true\n\n"), std::string::npos) << input;
    EXPECT_NE(input.find("[Keyboard]\nNumLock=0\n"), std::string::npos) << input;
    EXPECT_NE(input.find("[Mouse]\ncursorTheme=breeze\n"), std::string::npos) << input;
    EXPECT_EQ(input.find("XLbInpt"), std::string::npos) << "KWin on Wayland reads no [Mouse] pointer key";

    // A damaged profile is no answer.
    TempDir::put(dir / "kcminputrc", "[Libinput][Defaults][Pointer]\nPointerAccelerationProfile=7\n");
    EXPECT_FALSE(settings.enhancePrecision());

    ::setenv("DBUS_SESSION_BUS_ADDRESS", savedAddress.c_str(), 1);
    if (savedAddress.empty())
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::setenv("XDG_RUNTIME_DIR", savedRuntimeDir.c_str(), 1);
    if (savedRuntimeDir.empty())
        ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(X11PointerTest, PrecisionIsTheServersPointerControlAndTheRestIsMissing) {
    XvfbServer server;
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb could not be started (package xvfb)";
    X11PointerSettings settings(server.display());
    ASSERT_TRUE(settings.connected());
    // Xvfb starts with X's default acceleration of 2/1 above 4 pixels.
    EXPECT_EQ(settings.enhancePrecision(), true);

    EXPECT_TRUE(settings.setEnhancePrecision(false));
    EXPECT_EQ(settings.enhancePrecision(), false);
    // Another client sees the change: it is the server's, not ours.
    {
        X11PointerSettings other(server.display());
        EXPECT_EQ(other.enhancePrecision(), false);
        EXPECT_TRUE(other.setEnhancePrecision(true));
    }
    EXPECT_EQ(settings.enhancePrecision(), true);

    EXPECT_FALSE(settings.pointerSpeed());
    EXPECT_FALSE(settings.setPointerSpeed(10));
    EXPECT_FALSE(settings.wheelScrollLines());
    EXPECT_FALSE(settings.setWheelScrollLines(3));
    EXPECT_FALSE(settings.doubleClickTime());
    EXPECT_FALSE(settings.setDoubleClickTime(500));
}

TEST(X11PointerTest, WithoutAServerEveryCallFails) {
    X11PointerSettings settings(":65000");
    EXPECT_FALSE(settings.connected());
    EXPECT_FALSE(settings.enhancePrecision());
    EXPECT_FALSE(settings.setEnhancePrecision(true));
}

TEST(DesktopChoiceTest, TheRunningDesktopPicksItsBackend) {
    DesktopEnvironment kde{"KDE", ":0", "", "/home/u/.config", true, ""};
    EXPECT_EQ(ChooseDesktopBackend(kde), DesktopBackend::Kde);
    DesktopEnvironment gnome{"ubuntu:GNOME", "", "wayland-0", "/c", true, ""};
    EXPECT_EQ(ChooseDesktopBackend(gnome), DesktopBackend::GSettings);
    // GNOME without dconf keeps nothing: on X11 the server's control is what is left.
    DesktopEnvironment gnomeNoDconf{"GNOME", ":0", "", "/c", false, ""};
    EXPECT_EQ(ChooseDesktopBackend(gnomeNoDconf), DesktopBackend::X11);
    DesktopEnvironment bare{"", ":1", "", "/c", true, ""};
    EXPECT_EQ(ChooseDesktopBackend(bare), DesktopBackend::X11);
    DesktopEnvironment sway{"sway", "", "wayland-1", "/c", false, ""};
    EXPECT_EQ(ChooseDesktopBackend(sway), DesktopBackend::None);
    // Another Wayland compositor reads neither GNOME's settings nor XWayland's pointer control,
    // even when both are at hand.
    DesktopEnvironment hyprland{"Hyprland", ":0", "wayland-1", "/c", true, ""};
    EXPECT_EQ(ChooseDesktopBackend(hyprland), DesktopBackend::None);
    DesktopEnvironment waylandByType{"", ":0", "", "/c", true, "wayland"};
    EXPECT_EQ(ChooseDesktopBackend(waylandByType), DesktopBackend::None);
    DesktopEnvironment plasmaWayland{"KDE", ":0", "wayland-0", "/c", true, ""};
    EXPECT_EQ(ChooseDesktopBackend(plasmaWayland), DesktopBackend::Kde);
    DesktopEnvironment x11ByType{"", ":0", "", "/c", true, "x11"};
    EXPECT_EQ(ChooseDesktopBackend(x11ByType), DesktopBackend::X11);
    const auto none = makeDesktopPointerSettings(sway);
    EXPECT_EQ(none->name(), "none");
    EXPECT_FALSE(none->doubleClickTime());
    EXPECT_FALSE(none->setPointerSpeed(10));
}

TEST(DeferredPointerSettingsTest, TheSettingsAreMadeAtTheFirstCallOnceAndGetEveryCall) {
    int made = 0;
    MemoryPointerSettings* memory = nullptr;
    DeferredPointerSettings deferred([&] {
        ++made;
        auto settings = std::make_unique<MemoryPointerSettings>();
        memory = settings.get();
        return settings;
    });
    EXPECT_EQ(made, 0) << "nothing is looked up before it is asked for";
    EXPECT_FALSE(deferred.made());

    EXPECT_EQ(deferred.pointerSpeed(), 10u);
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(deferred.made());
    EXPECT_TRUE(deferred.setPointerSpeed(14));
    EXPECT_TRUE(deferred.setEnhancePrecision(true));
    EXPECT_TRUE(deferred.setWheelScrollLines(DesktopPointerSettings::kScrollOneScreen));
    EXPECT_TRUE(deferred.setDoubleClickTime(420));
    EXPECT_EQ(made, 1);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->speed, 14u);
    EXPECT_TRUE(memory->precision);
    EXPECT_EQ(memory->wheelLines, DesktopPointerSettings::kScrollOneScreen);
    EXPECT_EQ(memory->doubleClickMs, 420u);
    EXPECT_EQ(deferred.enhancePrecision(), true);
    EXPECT_EQ(deferred.wheelScrollLines(), DesktopPointerSettings::kScrollOneScreen);
    EXPECT_EQ(deferred.doubleClickTime(), 420u);
    EXPECT_EQ(deferred.name(), "memory");

    // What the settings refuse is refused through it too.
    memory->failWrite[MemoryPointerSettings::Speed] = true;
    memory->failRead[MemoryPointerSettings::DoubleClick] = true;
    EXPECT_FALSE(deferred.setPointerSpeed(3));
    EXPECT_FALSE(deferred.doubleClickTime());

    // A factory that made nothing leaves settings with no values that take no writes.
    DeferredPointerSettings empty([] { return std::unique_ptr<DesktopPointerSettings>(); });
    EXPECT_EQ(empty.name(), "none");
    EXPECT_FALSE(empty.enhancePrecision());
    EXPECT_FALSE(empty.pointerSpeed());
    EXPECT_FALSE(empty.wheelScrollLines());
    EXPECT_FALSE(empty.doubleClickTime());
    EXPECT_FALSE(empty.setEnhancePrecision(true));
    EXPECT_FALSE(empty.setPointerSpeed(10));
    EXPECT_FALSE(empty.setWheelScrollLines(3));
    EXPECT_FALSE(empty.setDoubleClickTime(500));
    EXPECT_TRUE(empty.made());
}

} // namespace
} // namespace vexo
