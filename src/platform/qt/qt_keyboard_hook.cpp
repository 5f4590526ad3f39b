// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_keyboard_hook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "keys/key_name_of.h"

namespace vexo {

QtKeyboardHook::QtKeyboardHook(QObject* parent) : QObject(parent) {}

QtKeyboardHook::~QtKeyboardHook() { remove(); }

void QtKeyboardHook::install(Handler handler) {
    const bool wasInstalled = installed();
    handler_ = std::move(handler);
    if (!wasInstalled && handler_ && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

void QtKeyboardHook::remove() {
    if (handler_ && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
    handler_ = nullptr;
}

bool QtKeyboardHook::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && handler_ && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const quint32 native = keyEvent->nativeScanCode();
        const Delivery delivery{event, static_cast<int>(type), native, keyEvent->timestamp(), keyEvent->isAutoRepeat()};
        // An event no widget took travels on to the parents, through this filter each time; only
        // its first delivery is a key of its own.
        if (delivery == last_ && lastReceiver_ && widget != lastReceiver_ && widget->isAncestorOf(lastReceiver_))
            return false;
        last_ = delivery;
        lastReceiver_ = widget;
        Key key;
        key.evdevCode = native >= kXkbKeycodeOffset ? native - kXkbKeycodeOffset : 0;
        key.name = KeyNameOf(key.evdevCode);
        key.press = type == QEvent::KeyPress;
        key.autoRepeat = keyEvent->isAutoRepeat();
        // Copy: the handler may remove itself.
        const Handler handler = handler_;
        return handler(key);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vexo
