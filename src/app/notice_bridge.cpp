// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "app/notice_bridge.h"

#include <QThread>

namespace vexo {

NoticeBridge::NoticeBridge(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

void NoticeBridge::deliver(std::uint8_t kind, std::uint8_t value) {
    if (QThread::currentThread() == thread()) {
        {
            std::lock_guard guard(mutex_);
            if (closed_)
                return;
        }
        handler_(kind, value);
        return;
    }
    std::unique_lock lock(mutex_);
    if (closed_)
        return;
    const std::uint64_t ticket = ++posted_;
    QMetaObject::invokeMethod(
        this,
        [this, kind, value, ticket] {
            {
                std::lock_guard guard(mutex_);
                if (closed_)
                    return;
            }
            handler_(kind, value);
            std::lock_guard guard(mutex_);
            handled_ = ticket;
            done_.notify_all();
        },
        Qt::QueuedConnection);
    done_.wait(lock, [&] { return closed_ || handled_ >= ticket; });
}

void NoticeBridge::close() {
    std::lock_guard guard(mutex_);
    closed_ = true;
    done_.notify_all();
}

} // namespace vexo
