// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

namespace vexo {

// The protocol's fixed pauses. Real code sleeps; tests record the pauses instead, so that
// they run fast and can check every one.
class Pauser {
public:
    virtual ~Pauser() = default;
    virtual void pause(unsigned milliseconds) = 0;
};

} // namespace vexo
