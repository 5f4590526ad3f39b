// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "macro/macro_area.h"

namespace vexo::test {

// One record.ini section as text, with the keys in the order the store writes them.
inline std::string Section(const std::string& name, const std::string& loopTimes, const std::vector<std::string>& lines,
                           const std::string& itemCount = "") {
    std::string text = "[" + name + "]\r\nMacroLoopTimes=" + loopTimes +
        "\r\nItemCount=" + (itemCount.empty() ? std::to_string(lines.size()) : itemCount) + "\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += "Item" + std::to_string(i) + "=" + lines[i] + "\r\n";
    return text;
}

// Press/delay/release lines of n events alternating with delayMs, ending with an event.
inline std::vector<std::string> Events(std::size_t n, int delayMs, const std::string& key = "A") {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0)
            lines.push_back(std::to_string(delayMs) + " ms");
        lines.push_back(key + (i % 2 == 0 ? "   Dn" : "   Up"));
    }
    return lines;
}

// A macro area between two guard zones, every byte set to a marker, so that a test sees every byte
// an encoding changes, inside the area and outside it.
struct GuardedArea {
    static constexpr std::size_t kGuard = 64;
    static constexpr std::uint8_t kMarker = 0xA5;
    std::array<std::uint8_t, kGuard + kMacroAreaSize + kGuard> bytes{};

    GuardedArea() { bytes.fill(kMarker); }
    MacroArea area() { return MacroArea(bytes.data() + kGuard, kMacroAreaSize); }
    std::vector<std::uint8_t> block(std::size_t slot) const {
        const auto* start = bytes.data() + kGuard + slot * kMacroBlockSize;
        return {start, start + kMacroBlockSize};
    }
    bool untouched(std::size_t slot) const {
        for (std::uint8_t b : block(slot)) {
            if (b != kMarker)
                return false;
        }
        return true;
    }
    bool guardsIntact() const {
        for (std::size_t i = 0; i < kGuard; ++i) {
            if (bytes[i] != kMarker || bytes[bytes.size() - 1 - i] != kMarker)
                return false;
        }
        return true;
    }
};

// A whole block: the given leading bytes, then zeros.
inline std::vector<std::uint8_t> BlockOf(std::vector<std::uint8_t> leading) {
    leading.resize(kMacroBlockSize, 0);
    return leading;
}

} // namespace vexo::test
