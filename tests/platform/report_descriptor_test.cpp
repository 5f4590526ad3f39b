// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexo {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<ReportDescriptor> parse(const Bytes& bytes) { return ReportDescriptor::parse(bytes); }

// A vendor collection without report IDs: 8-byte feature, 32-byte input and output reports.
const Bytes kVendorNoIds = {
    0x06, 0x00, 0xFF, // Usage Page (0xFF00)
    0x0A, 0x00, 0xFF, // Usage (0xFF00)
    0xA1, 0x01, // Collection (Application)
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x08, 0x09, 0x01, 0xB1, 0x02, // 8 x 8 bits Feature
    0x95, 0x20, 0x09, 0x02, 0x81, 0x02, // 32 x 8 bits Input
    0x09, 0x03, 0x91, 0x02, // 32 x 8 bits Output
    0xC0,
};

// A mouse and a consumer-control collection sharing one interface, with report IDs 1 and 2.
const Bytes kMouseAndConsumer = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, // Generic Desktop / Mouse, Application
    0x85, 0x01, // Report ID 1
    0x09, 0x01, 0xA1, 0x00, // Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02, // 5 buttons
    0x95, 0x01, 0x75, 0x03, 0x81, 0x01, // 3 bits padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x16, 0x01, 0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x95, 0x02,
    0x81, 0x06, // X, Y 16 bits each
    0xC0, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, // Consumer / Consumer Control
    0x85, 0x02, 0x19, 0x00, 0x2A, 0x3C, 0x02, 0x15, 0x00, 0x26, 0x3C, 0x02, 0x95, 0x01, 0x75, 0x10,
    0x81, 0x00, // one 16-bit usage
    0xC0,
};

TEST(ReportDescriptorTest, LengthsCountTheReportIdByteAndRoundUpToBytes) {
    const auto vendor = parse(kVendorNoIds);
    ASSERT_TRUE(vendor);
    EXPECT_FALSE(vendor->usesReportIds);
    ASSERT_EQ(vendor->collections.size(), 1u);
    const auto& c = vendor->collections[0];
    EXPECT_EQ(c.usagePage, 0xFF00);
    EXPECT_EQ(c.usage, 0xFF00);
    EXPECT_EQ(c.featureReportLength, 9);
    EXPECT_EQ(c.inputReportLength, 33);
    EXPECT_EQ(c.outputReportLength, 33);

    const auto composite = parse(kMouseAndConsumer);
    ASSERT_TRUE(composite);
    EXPECT_TRUE(composite->usesReportIds);
    ASSERT_EQ(composite->collections.size(), 2u);
    // 5 + 3 bits of buttons and two 16-bit axes: 5 bytes, plus the ID byte; nested physical
    // collections belong to their top-level collection.
    EXPECT_EQ(composite->collections[0].usagePage, 0x01);
    EXPECT_EQ(composite->collections[0].usage, 0x02);
    EXPECT_EQ(composite->collections[0].inputReportLength, 6);
    EXPECT_EQ(composite->collections[0].outputReportLength, 0);
    EXPECT_EQ(composite->collections[0].featureReportLength, 0);
    EXPECT_EQ(composite->collections[1].usagePage, 0x0C);
    EXPECT_EQ(composite->collections[1].usage, 0x01);
    EXPECT_EQ(composite->collections[1].inputReportLength, 3);
}

TEST(ReportDescriptorTest, LongestReportOfACollectionSetsItsLength) {
    // Two feature reports of 3 and 10 bytes and a 1-bit input report (rounded up to a byte).
    const Bytes bytes = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x85, 0x03, 0x95, 0x03, 0xB1, 0x02,
        0x85, 0x04, 0x95, 0x0A, 0xB1, 0x02, 0x85, 0x05, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0,
    };
    const auto d = parse(bytes);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 1u);
    EXPECT_EQ(d->collections[0].featureReportLength, 11);
    EXPECT_EQ(d->collections[0].inputReportLength, 2);
}

TEST(ReportDescriptorTest, GlobalStateFollowsPushPopAndExtendedUsagesNameTheirPage) {
    const Bytes bytes = {
        0x05, 0x01, // Usage Page (Generic Desktop), the current page
        0x0B, 0x01, 0xFF, 0x01, 0xFF, // Usage (0xFF01:0xFF01), 4 bytes: names its own page
        0xA1, 0x01, 0x85, 0x06, 0x75, 0x08, 0x95, 0x07,
        0xA4, // Push
        0x75, 0x10, 0x95, 0x40, 0x85, 0x07, // sizes changed inside Push
        0xB4, // Pop: back to ID 6, 7 x 8 bits
        0x81, 0x02, 0xC0,
    };
    const auto d = parse(bytes);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 1u);
    EXPECT_EQ(d->collections[0].usagePage, 0xFF01);
    EXPECT_EQ(d->collections[0].usage, 0xFF01);
    EXPECT_EQ(d->collections[0].inputReportLength, 8);
}

TEST(ReportDescriptorTest, LongItemsAndFieldsOutsideCollectionsAreSkipped) {
    Bytes bytes = {
        0x75, 0x08, 0x95, 0x04, 0x81, 0x02, // a field outside any collection: no collection's
        0xFE, 0x02, 0x10, 0xAA, 0xBB, // a long item with two data bytes
    };
    bytes.insert(bytes.end(), kVendorNoIds.begin(), kVendorNoIds.end());
    const auto d = parse(bytes);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 1u);
    EXPECT_EQ(d->collections[0].inputReportLength, 33);
    EXPECT_TRUE(parse({}));
    EXPECT_TRUE(parse({})->collections.empty());
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRejected) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"truncated item data", {0x06, 0x00}},
        {"truncated 4-byte item", {0x27, 0xFF, 0xFF}},
        {"truncated long item", {0xFE, 0x05, 0x10, 0x00}},
        {"long item without header", {0xFE, 0x01}},
        {"collection never closed", {0x09, 0x01, 0xA1, 0x01}},
        {"end collection without collection", {0xC0}},
        {"pop without push", {0xB4}},
        {"report ID 0", {0x09, 0x01, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"report ID above 255", {0x86, 0x00, 0x01}},
        {"report size above 256 bits", {0xA1, 0x01, 0x76, 0x01, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0}},
        {"report count absurd", {0xA1, 0x01, 0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0x7F, 0x81, 0x02, 0xC0}},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(parse(bytes)) << what;

    // A report that would not fit the 16-bit length field.
    Bytes huge = {0xA1, 0x01, 0x75, 0xFF, 0x96, 0x00, 0x30};
    for (int i = 0; i < 3; ++i)
        huge.insert(huge.end(), {0x81, 0x02});
    huge.push_back(0xC0);
    EXPECT_FALSE(parse(huge));

    // Nesting and Push depth are bounded.
    Bytes deep;
    for (int i = 0; i < 40; ++i)
        deep.insert(deep.end(), {0xA1, 0x00});
    for (int i = 0; i < 40; ++i)
        deep.push_back(0xC0);
    EXPECT_FALSE(parse(deep));
    EXPECT_FALSE(parse(Bytes(17, 0xA4)));
    EXPECT_TRUE(parse(Bytes(16, 0xA4)));

    EXPECT_FALSE(parse(Bytes(ReportDescriptor::kMaxDescriptorBytes + 1, 0x00)));
}

} // namespace
} // namespace vexo
