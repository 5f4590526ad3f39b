// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/report_descriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace vexo {
namespace {

// Item tags (prefix byte with its size bits cleared), as the HID class definition numbers them.
constexpr std::uint8_t kInput = 0x80;
constexpr std::uint8_t kOutput = 0x90;
constexpr std::uint8_t kFeature = 0xB0;
constexpr std::uint8_t kCollection = 0xA0;
constexpr std::uint8_t kEndCollection = 0xC0;
constexpr std::uint8_t kUsagePage = 0x04;
constexpr std::uint8_t kReportSize = 0x74;
constexpr std::uint8_t kReportId = 0x84;
constexpr std::uint8_t kReportCount = 0x94;
constexpr std::uint8_t kPush = 0xA4;
constexpr std::uint8_t kPop = 0xB4;
constexpr std::uint8_t kUsage = 0x08;
constexpr std::uint8_t kLongItemPrefix = 0xFE;

// Limits the kernel's own parser applies; beyond them a descriptor is not a real device's.
constexpr std::uint32_t kMaxReportSizeBits = 256;
constexpr std::uint32_t kMaxReportCount = 12288;
constexpr std::size_t kMaxPushDepth = 16;
constexpr std::size_t kMaxCollectionDepth = 32;
// A length must fit the 16-bit field together with its report ID byte.
constexpr std::uint32_t kMaxReportBits = (0xFFFFu - 1u) * 8u;

enum ReportType : std::size_t { Input = 0, Output = 1, Feature = 2, ReportTypeCount = 3 };

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

struct OpenCollection {
    ReportDescriptor::Collection info;
    // Bits per report ID, per report type.
    std::array<std::map<std::uint8_t, std::uint32_t>, ReportTypeCount> bits;
};

std::uint16_t byteLength(const std::map<std::uint8_t, std::uint32_t>& reports) {
    std::uint32_t longest = 0;
    for (const auto& [id, bits] : reports)
        longest = std::max(longest, (bits + 7) / 8);
    return longest == 0 ? 0 : static_cast<std::uint16_t>(longest + 1);
}

} // namespace

std::optional<ReportDescriptor> ReportDescriptor::parse(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxDescriptorBytes)
        return std::nullopt;

    ReportDescriptor result;
    GlobalState global;
    std::vector<GlobalState> pushed;
    std::size_t depth = 0;
    std::optional<OpenCollection> top; // the top-level collection being read
    // Local items: only the first usage names a collection; all are dropped after a main item.
    bool haveUsage = false;
    std::uint32_t firstUsage = 0;
    bool firstUsageExtended = false;

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::uint8_t prefix = bytes[pos++];
        if (prefix == kLongItemPrefix) {
            // Long items carry vendor data only; skip them whole.
            if (bytes.size() - pos < 2)
                return std::nullopt;
            const std::size_t size = bytes[pos];
            pos += 2;
            if (bytes.size() - pos < size)
                return std::nullopt;
            pos += size;
            continue;
        }
        const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (bytes.size() - pos < size)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint32_t>(bytes[pos + i]) << (8 * i);
        pos += size;

        const std::uint8_t tag = prefix & 0xFC;
        switch (tag) {
        case kInput:
        case kOutput:
        case kFeature: {
            if (global.reportSize > kMaxReportSizeBits || global.reportCount > kMaxReportCount)
                return std::nullopt;
            if (top) {
                const ReportType type = tag == kInput ? Input : tag == kOutput ? Output : Feature;
                std::uint32_t& bits = top->bits[type][global.reportId];
                bits += global.reportSize * global.reportCount;
                if (bits > kMaxReportBits)
                    return std::nullopt;
            }
            // Fields outside every collection belong to no collection and are not counted.
            haveUsage = false;
            break;
        }
        case kCollection:
            if (depth == kMaxCollectionDepth)
                return std::nullopt;
            if (depth == 0) {
                top.emplace();
                const std::uint32_t usage = haveUsage ? firstUsage : 0;
                // A 4-byte usage names its own page; a shorter one takes the current page.
                top->info.usagePage = firstUsageExtended ? static_cast<std::uint16_t>(usage >> 16) : global.usagePage;
                top->info.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
            }
            ++depth;
            haveUsage = false;
            break;
        case kEndCollection:
            if (depth == 0)
                return std::nullopt;
            if (--depth == 0) {
                top->info.inputReportLength = byteLength(top->bits[Input]);
                top->info.outputReportLength = byteLength(top->bits[Output]);
                top->info.featureReportLength = byteLength(top->bits[Feature]);
                result.collections.push_back(top->info);
                top.reset();
            }
            haveUsage = false;
            break;
        case kUsagePage: global.usagePage = static_cast<std::uint16_t>(value); break;
        case kReportSize: global.reportSize = value; break;
        case kReportCount: global.reportCount = value; break;
        case kReportId:
            if (value == 0 || value > 0xFF)
                return std::nullopt;
            global.reportId = static_cast<std::uint8_t>(value);
            result.usesReportIds = true;
            break;
        case kPush:
            if (pushed.size() == kMaxPushDepth)
                return std::nullopt;
            pushed.push_back(global);
            break;
        case kPop:
            if (pushed.empty())
                return std::nullopt;
            global = pushed.back();
            pushed.pop_back();
            break;
        case kUsage:
            if (!haveUsage) {
                haveUsage = true;
                firstUsage = value;
                firstUsageExtended = size == 4;
            }
            break;
        default:
            // Logical and physical ranges, units, designators, strings, delimiters: no bearing
            // on report lengths.
            break;
        }
    }
    if (depth != 0)
        return std::nullopt;
    return result;
}

} // namespace vexo
