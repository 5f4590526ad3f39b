// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <pthread.h>

namespace vexo::test {

// While it lives, every thread started without attributes of its own (std::thread, std::async)
// asks for more stack than the machine can map, so starting it fails as when a system runs out
// of threads. armed() is false where the defaults cannot be changed; the test should then skip.
class ThreadsCannotStart {
public:
    ThreadsCannotStart() {
        pthread_getattr_default_np(&saved_);
        pthread_attr_t huge;
        pthread_attr_init(&huge);
        pthread_attr_setstacksize(&huge, std::size_t{1} << 45);
        armed_ = pthread_setattr_default_np(&huge) == 0;
        pthread_attr_destroy(&huge);
    }
    ~ThreadsCannotStart() {
        pthread_setattr_default_np(&saved_);
        pthread_attr_destroy(&saved_);
    }
    ThreadsCannotStart(const ThreadsCannotStart&) = delete;
    ThreadsCannotStart& operator=(const ThreadsCannotStart&) = delete;
    bool armed() const { return armed_; }

private:
    pthread_attr_t saved_;
    bool armed_ = false;
};

} // namespace vexo::test
