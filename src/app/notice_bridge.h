// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace vexo {

// Hands the input thread's notices to the window's thread and waits until they are handled there,
// so that every state change happens on one thread. Unlike a blocking queued call it can be closed:
// at shutdown a waiting input thread is released at once, so the thread can be stopped and joined
// while it was in the middle of a hand-over.
class NoticeBridge final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(std::uint8_t kind, std::uint8_t value)>;

    // handler runs on the thread that owns this object.
    explicit NoticeBridge(Handler handler, QObject* parent = nullptr);

    // From any thread: runs the handler on the owner's thread and returns once it has run, or at
    // once after close(). On the owner's thread the handler runs directly.
    void deliver(std::uint8_t kind, std::uint8_t value);
    // Drops notices from now on (from every thread) and releases every waiting deliver().
    void close();

private:
    Handler handler_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool closed_ = false;
    std::uint64_t posted_ = 0;
    std::uint64_t handled_ = 0;
};

} // namespace vexo
