// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/sleep_pauser.h"

#include <sys/prctl.h>

#include <chrono>
#include <thread>

namespace vexo {

void SleepPauser::pause(unsigned milliseconds) {
    // The kernel may end a sleep up to the thread's timer slack (50 us by default) late; the
    // protocol's pauses are a few milliseconds each, so that slack would stretch a short change by
    // several per cent. Asked once per thread: the setting stays with the thread.
    thread_local const bool tight = ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
    static_cast<void>(tight);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace vexo
