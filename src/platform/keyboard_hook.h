// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace vexo {

// A keyboard hook for the program's own windows: it sees every key press, auto-repeat and release
// that reaches any window of this program before any widget does. Keys typed into other programs
// are never seen. One handler at a time; installing replaces the previous one.
class KeyboardHook {
public:
    struct Key {
        std::string name; // KeyNameOf of the physical key (layout-independent)
        std::uint32_t evdevCode = 0; // the kernel's code of the key; 0 when the platform gave none
        bool press = true; // false: the key was released
        bool autoRepeat = false; // a press (or release) the keyboard repeated while held
    };
    // Returns true to keep the key from the widget it was meant for, false to let it continue.
    using Handler = std::function<bool(const Key&)>;

    virtual ~KeyboardHook() = default;
    virtual void install(Handler handler) = 0;
    // Removes the handler; nothing happens when none is installed.
    virtual void remove() = 0;
    virtual bool installed() const = 0;
};

} // namespace vexo
