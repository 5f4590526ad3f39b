// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <span>

namespace vexo {

// One opened HID top-level collection. Every report buffer starts with the report ID byte,
// as on the wire; lengths include it.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Sends a feature report. Returns the number of bytes the device took (fewer than the report's
    // length: a short transfer), or -1 when the device refused or is gone.
    virtual int setFeature(std::span<const std::uint8_t> report) = 0;
    // Fetches a feature report; report[0] holds the wanted report ID on entry.
    // Returns the number of bytes received (report ID included; fewer than the buffer's length: a
    // short answer), or -1 on failure (the buffer is then unspecified).
    virtual int getFeature(std::span<std::uint8_t> report) = 0;
    // Writes one output report. Returns the bytes written, or -1 on failure.
    virtual int write(std::span<const std::uint8_t> report) = 0;
    // Reads one input report, blocking until one arrives, the device fails, or cancelRead().
    // Returns the bytes read (report ID included when the collection uses IDs), 0 when cancelled,
    // -1 on failure (device gone). Implementations may bound the wait on collections whose input
    // reports only answer the caller's own requests, and then return -1 when it passes.
    virtual int read(std::span<std::uint8_t> report) = 0;
    // Drops the input reports that arrived and were not read, without waiting: an answer that came
    // after its reader gave up must not be taken for the answer to the next request. Not for a
    // collection another thread reads.
    virtual void discardInput() = 0;
    // Wakes a read() blocked in another thread at once; that read returns 0. Safe from any thread.
    // A cancel that arrives while no read is blocked makes the next read return 0 immediately.
    virtual void cancelRead() = 0;
};

} // namespace vexo
