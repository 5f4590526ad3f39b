// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _GVariant GVariant;

namespace vexo {

class SessionBus;

// KWin's input devices on the session bus (Plasma on Wayland): the manager
// /org/kde/KWin/InputDevice lists them (devicesSysNames); each is
// /org/kde/KWin/InputDevice/<sysname> with interface org.kde.KWin.InputDevice. Setting a property
// there changes the device at once, and KWin saves it in kcminputrc itself.
//
// Only mice and other pointers that are not touchpads are read and written: the values belong to
// the mouse. Calls fail when no session bus is running or KWin does not answer on it.
class KwinInputDevices {
public:
    // The bus named by $DBUS_SESSION_BUS_ADDRESS (or $XDG_RUNTIME_DIR/bus); never starts one.
    KwinInputDevices();
    ~KwinInputDevices();
    KwinInputDevices(const KwinInputDevices&) = delete;
    KwinInputDevices& operator=(const KwinInputDevices&) = delete;

    // The sysnames (event3, ...) of the pointers that are not touchpads; nothing without KWin.
    std::optional<std::vector<std::string>> pointers();

    // Of the first pointer; nothing without KWin or without a pointer.
    std::optional<bool> accelerationFlat();
    std::optional<double> acceleration();
    // On every pointer that supports it; true when KWin took it on at least one and refused none.
    bool setAccelerationFlat(bool flat);
    bool setAcceleration(double value);

private:
    // Sets property to a value made by value on every pointer whose supports property is true;
    // the result as for the setters above.
    bool setOnEveryPointer(const char* supports, const char* property, const std::function<GVariant*()>& value);

    std::unique_ptr<SessionBus> bus_;
};

} // namespace vexo
