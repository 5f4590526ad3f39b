// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/recording_pauser.h"

#include <numeric>

namespace vexo {

void RecordingPauser::pause(unsigned milliseconds) { pauses_.push_back(milliseconds); }

unsigned RecordingPauser::totalMilliseconds() const { return std::accumulate(pauses_.begin(), pauses_.end(), 0u); }

} // namespace vexo
