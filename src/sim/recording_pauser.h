// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <vector>

#include "platform/pauser.h"

namespace vexo {

// Records pauses instead of sleeping, so tests and benchmarks run at full speed and can check
// every pause the protocol makes.
class RecordingPauser final : public Pauser {
public:
    void pause(unsigned milliseconds) override;
    const std::vector<unsigned>& pauses() const { return pauses_; }
    unsigned totalMilliseconds() const;
    void clear() { pauses_.clear(); }

private:
    std::vector<unsigned> pauses_;
};

} // namespace vexo
