// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "platform/pauser.h"

namespace vexo {

// Pauses by really sleeping the calling thread.
class SleepPauser final : public Pauser {
public:
    void pause(unsigned milliseconds) override;
};

} // namespace vexo
