// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/hid_device.h"

namespace vexo {

// Receives each notice (kind 5, 7, 8 or 9 and its value byte) on the input thread. It may block until
// another thread has handled the notice; the input thread waits for it (a synchronous hand-over).
using NoticeReceiver = std::function<void(std::uint8_t kind, std::uint8_t value)>;

// The worker that reads the notification collection and hands each notice to the receiver.
//
// The thread blocks in HidDevice::read() or, while there is nothing to read, on a condition variable:
// it never wakes up on its own while the mouse is idle. It starts suspended and reads only after
// resume(). The device it reads is owned by the caller, who hands it over with setDevice(); setDevice()
// and stop() wake a blocked read at once and return only when the thread no longer uses the old
// device, so the caller can close it safely. A read that fails (the device has gone) makes the thread
// wait for the next device instead of retrying in a loop.
class InputThread {
public:
    // mousePresent is read before each read and after each report: notices arriving while it is not
    // 1 are dropped. The thread is created at once, suspended.
    InputThread(const std::atomic<int>& mousePresent, NoticeReceiver receiver);
    ~InputThread();
    InputThread(const InputThread&) = delete;
    InputThread& operator=(const InputThread&) = delete;

    // Lets the thread start reading; further calls change nothing.
    void resume();
    bool suspended() const;
    // Replaces the device to read (nullptr: none) and its announced input report length. Returns once
    // the thread has left the previous device.
    void setDevice(HidDevice* device, std::uint16_t reportLength);
    // Makes the thread look again at mousePresent (call after changing it).
    void wake();
    // Ends the thread and joins it; the device is no longer used afterwards. Idempotent. Must not be
    // called while the receiver waits for the calling thread.
    void stop();

    // How many reads the thread has started; lets tests and benchmarks see that it stays still.
    std::uint64_t readsStarted() const { return readsStarted_.load(); }

    // The notification buffer: a longer announced report is read only up to this size.
    static constexpr std::size_t kBufferSize = 40;

private:
    // The thread's body: InputThreadProc.
    void InputThreadProc();
    bool mayRead() const;

    const std::atomic<int>& mousePresent_;
    NoticeReceiver receiver_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    HidDevice* device_ = nullptr;
    std::uint16_t reportLength_ = 0;
    std::uint64_t generation_ = 0;
    bool deviceFailed_ = false;
    bool suspended_ = true;
    bool stopping_ = false;
    // The device the thread is reading at this moment (between the decision and the end of read()).
    HidDevice* readingDevice_ = nullptr;
    std::atomic<std::uint64_t> readsStarted_{0};
    std::thread thread_;
};

} // namespace vexo
