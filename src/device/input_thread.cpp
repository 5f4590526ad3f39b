// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/input_thread.h"

#include <algorithm>
#include <array>

#include "device/notice_report.h"

namespace vexo {

InputThread::InputThread(const std::atomic<int>& mousePresent, NoticeReceiver receiver)
    : mousePresent_(mousePresent), receiver_(std::move(receiver)), thread_([this] { InputThreadProc(); }) {}

InputThread::~InputThread() { stop(); }

void InputThread::resume() {
    std::lock_guard lock(mutex_);
    suspended_ = false;
    changed_.notify_all();
}

bool InputThread::suspended() const {
    std::lock_guard lock(mutex_);
    return suspended_;
}

void InputThread::wake() {
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

void InputThread::setDevice(HidDevice* device, std::uint16_t reportLength) {
    std::unique_lock lock(mutex_);
    HidDevice* old = device_;
    device_ = device;
    reportLength_ = reportLength;
    deviceFailed_ = false;
    ++generation_;
    // The cancel is sticky when it arrives just before the read starts, so there is no window in
    // which the thread could block on the old device after this point.
    if (old != nullptr && readingDevice_ == old)
        old->cancelRead();
    changed_.notify_all();
    changed_.wait(lock, [&] { return old == nullptr || readingDevice_ != old; });
}

void InputThread::stop() {
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            return;
        stopping_ = true;
        if (readingDevice_ != nullptr)
            readingDevice_->cancelRead();
        changed_.notify_all();
    }
    thread_.join();
}

bool InputThread::mayRead() const {
    return !suspended_ && device_ != nullptr && !deviceFailed_ && mousePresent_.load() == 1;
}

void InputThread::InputThreadProc() {
    std::array<std::uint8_t, kBufferSize> buffer{};
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || mayRead(); });
        if (stopping_)
            return;
        HidDevice* device = device_;
        const std::uint64_t generation = generation_;
        const std::size_t length = std::min<std::size_t>(reportLength_, buffer.size());
        readingDevice_ = device;
        ++readsStarted_;
        lock.unlock();

        buffer.fill(0);
        const int received = device->read(std::span(buffer.data(), length));

        lock.lock();
        readingDevice_ = nullptr;
        changed_.notify_all();
        if (stopping_)
            return;
        // Replaced while reading: whatever came belongs to the old device.
        if (generation != generation_)
            continue;
        if (received < 0) {
            deviceFailed_ = true;
            continue;
        }
        if (received == 0 || mousePresent_.load() != 1)
            continue;
        const auto notice = NoticeReport::parse(std::span(buffer.data(), std::min<std::size_t>(received, length)));
        if (!notice)
            continue;
        lock.unlock();
        receiver_(notice->kind, notice->value);
        lock.lock();
    }
}

} // namespace vexo
