// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/keyboard_hook.h"

namespace vexo {

// The keyboard hook as an event filter on the application object, which Qt asks before it delivers
// a key event to any widget of the program. Keys are named from the native scan code, so the name
// is that of the key's position whatever layout is selected.
class QtKeyboardHook final : public QObject, public KeyboardHook {
    Q_OBJECT
public:
    explicit QtKeyboardHook(QObject* parent = nullptr);
    ~QtKeyboardHook() override;

    void install(Handler handler) override;
    void remove() override;
    bool installed() const override { return static_cast<bool>(handler_); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
    // The last key event handled and the widget it was first delivered to. Events live on the
    // stack of the code that delivers them, so the next key usually has the same address: the
    // event's own fields tell a new key from the same one travelling on to the parents.
    struct Delivery {
        const QEvent* event = nullptr;
        int type = 0;
        quint32 nativeScanCode = 0;
        quint64 timestamp = 0;
        bool autoRepeat = false;
        bool operator==(const Delivery&) const = default;
    };
    Delivery last_;
    QPointer<QWidget> lastReceiver_;
};

} // namespace vexo
