// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <QWindow>
#include <memory>

namespace vexo::test {

// Keys as a real keyboard delivers them: the Qt key of a US layout and the kernel's (evdev) code,
// which Qt reports as the native scan code plus 8 (the XKB keycode), as on X11 and Wayland.
struct NativeKey {
    int qtKey;
    quint32 evdev;
    QString text;
};

inline const NativeKey kKeyA{Qt::Key_A, 30, "a"};
inline const NativeKey kKeyC{Qt::Key_C, 46, "c"};
inline const NativeKey kKeyEnter{Qt::Key_Return, 28, "\r"};
inline const NativeKey kKeyEscape{Qt::Key_Escape, 1, "\x1b"};
inline const NativeKey kKeyTab{Qt::Key_Tab, 15, "\t"};
inline const NativeKey kKeyLeftShift{Qt::Key_Shift, 42, ""};
inline const NativeKey kKeyLeftSuper{Qt::Key_Super_L, 125, ""};
inline const NativeKey kKeyRightSuper{Qt::Key_Super_R, 126, ""};
inline const NativeKey kKeyRightAlt{Qt::Key_AltGr, 100, ""};
inline const NativeKey kKeyDigit3{Qt::Key_3, 4, "3"};
inline const NativeKey kKeyDigit0{Qt::Key_0, 11, "0"};
inline const NativeKey kKeyDigit1{Qt::Key_1, 2, "1"};

// A key event with the native fields a platform plugin fills in and a timestamp that moves on
// with every event, as real events' do.
inline std::unique_ptr<QKeyEvent> MakeKeyEvent(QEvent::Type type, const NativeKey& key, bool autoRepeat = false,
                                               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    static quint64 clock = 1000;
    auto event = std::make_unique<QKeyEvent>(type, key.qtKey, modifiers, key.evdev + 8, key.qtKey, 0,
                                             type == QEvent::KeyPress ? key.text : QString(), autoRepeat);
    event->setTimestamp(clock += 7);
    return event;
}

// Delivers the key the way the platform does: to the window, which hands it to its focus widget
// (the window itself when no child has the focus); unaccepted keys travel on to the parents.
inline bool SendKey(QWidget& window, QEvent::Type type, const NativeKey& key, bool autoRepeat = false,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const auto event = MakeKeyEvent(type, key, autoRepeat, modifiers);
    QWindow* handle = window.window()->windowHandle();
    return handle != nullptr ? QCoreApplication::sendEvent(handle, event.get()) : false;
}

// Press and release.
inline void TapKey(QWidget& window, const NativeKey& key) {
    SendKey(window, QEvent::KeyPress, key);
    SendKey(window, QEvent::KeyRelease, key);
}

} // namespace vexo::test
