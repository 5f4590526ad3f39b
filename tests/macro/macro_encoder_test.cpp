// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "config/profile_ini.h"
#include "config/temp_dir.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "macro_test_support.h"
#include "support/bounded_run.h"

namespace vexo {
namespace {

using test::BlockOf;
using test::Events;
using test::GuardedArea;
using test::Section;

class EncodeMacroStoreTest : public ::testing::Test {
protected:
    // Encodes a record.ini made of the given text into a fresh guarded area.
    MacroEncodeResult encode(const std::string& text) {
        test::TempDir::put(file_, text);
        return EncodeMacroStore(ProfileIni(file_), guarded_.area());
    }
    std::vector<std::uint8_t> block(std::size_t slot) const { return guarded_.block(slot); }

    test::TempDir dir_{"macro-encode"};
    std::filesystem::path file_ = dir_ / "record.ini";
    GuardedArea guarded_;
};

TEST_F(EncodeMacroStoreTest, PressDelayReleaseWithLoopTimes) {
    const auto result = encode(Section("m", "3", {"A   Dn", "50 ms", "A   Up"}));
    EXPECT_TRUE(result.storeFound);
    EXPECT_EQ(result.slotsEncoded, 1u);
    EXPECT_EQ(block(0), BlockOf({0x00, 0x03, 0x05, 0x04, 0x80, 0x04}));
    for (std::size_t slot = 1; slot < kMacroSlotCount; ++slot)
        EXPECT_TRUE(guarded_.untouched(slot)) << slot;
    EXPECT_TRUE(guarded_.guardsIntact());
    EXPECT_EQ(result.totalDropped(), 0u);
}

TEST_F(EncodeMacroStoreTest, DelaysAroundTheExtensionAndTheLongestDelay) {
    struct Case {
        std::string delay;
        std::vector<std::uint8_t> pair;
    };
    const std::vector<Case> cases = {
        {"0 ms", {0x00, 0x05}},
        {"9 ms", {0x00, 0x05}},
        {"1270 ms", {0x7F, 0x05}},
        {"1271 ms", {0x47, 0x05, 0x0C, 0x03}},
        {"1350 ms", {0x32, 0x05, 0x0D, 0x03}},
        {"10000 ms", {0x00, 0x05, 0x64, 0x03}},
        {"25599 ms", {0x63, 0x05, 0xFF, 0x03}},
        // Beyond what the extension pair can hold: the longest delay, not a wrapped short one.
        {"25600 ms", {0x63, 0x05, 0xFF, 0x03}},
        {"65535 ms", {0x63, 0x05, 0xFF, 0x03}},
        {"99999999999999999999999 ms", {0x63, 0x05, 0xFF, 0x03}},
        {"-20 ms", {0x00, 0x05}},
        {"50", {0x05, 0x05}},
        {"x ms", {0x00, 0x05}},
    };
    for (const Case& c : cases) {
        encode(Section("m", "1", {"B   Dn", c.delay}));
        std::vector<std::uint8_t> expected = {0x00, 0x01};
        expected.insert(expected.end(), c.pair.begin(), c.pair.end());
        EXPECT_EQ(block(0), BlockOf(expected)) << c.delay;
    }
}

TEST_F(EncodeMacroStoreTest, EventDelayComesFromTheNextLineOnly) {
    // Two events in a row: the first has no delay line; the last event has none either.
    encode(Section("m", "1", {"A   Dn", "B   Dn", "30 ms", "B   Up", "A   Up"}));
    EXPECT_EQ(block(0), BlockOf({0x00, 0x01, 0x00, 0x04, 0x03, 0x05, 0x80, 0x05, 0x80, 0x04}));
}

TEST_F(EncodeMacroStoreTest, LoopTimesOutsideTheRangeBecomeOne) {
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"0", {0x00, 0x01}},  {"65536", {0x00, 0x01}}, {"", {0x00, 0x01}},     {"abc", {0x00, 0x01}},
        {"-1", {0x00, 0x01}}, {"65535", {0xFF, 0xFF}}, {"300x", {0x01, 0x2C}}, {"99999999999999999999", {0x00, 0x01}},
    };
    for (const auto& [text, bytes] : cases) {
        encode(Section("m", text, {"A   Dn"}));
        EXPECT_EQ(block(0), BlockOf({bytes[0], bytes[1], 0x00, 0x04})) << "\"" << text << "\"";
    }
    // A section without the key at all.
    encode("[m]\r\nItemCount=1\r\nItem0=A   Dn\r\n");
    EXPECT_EQ(block(0), BlockOf({0x00, 0x01, 0x00, 0x04}));
}

TEST_F(EncodeMacroStoreTest, EmptyAndEventlessMacros) {
    // ItemCount 0 (or text reading as 0) clears the whole block, loop times included.
    encode(Section("zero", "7", {"A   Dn", "10 ms"}, "0") + Section("text", "7", {"A   Dn"}, "none") +
           Section("delays", "7", {"10 ms", "20 ms", "30 ms"}) + Section("negative", "7", {"A   Dn"}, "-4"));
    EXPECT_EQ(block(0), BlockOf({}));
    EXPECT_EQ(block(1), BlockOf({}));
    // Only delays: loop times, no pairs.
    EXPECT_EQ(block(2), BlockOf({0x00, 0x07}));
    // A negative count is not 0: loop times stay, no lines are read.
    EXPECT_EQ(block(3), BlockOf({0x00, 0x07}));
}

TEST_F(EncodeMacroStoreTest, MalformedLinesAndUnknownNames) {
    encode(Section("m", "1",
                   {"hello", "A   Dn", "10 ms", "a   Dn", "20 ms", "Left Ctrl   Up", "", "F13   Dn", "Num Del   Up",
                    "A   Dn   Dn", "Ctrl   Dn   Up"}));
    EXPECT_EQ(block(0),
              BlockOf({0x00, 0x01, 0x01, 0x04, // A down, 10 ms
                       0x02, 0x00, // lower-case a is no key
                       0x80, 0x00, // "Left Ctrl" is a modifier name, not a key name
                       0x00, 0x00, // F13 has no code
                       0x80, 0x63, // Num Del up, next line is an event: delay 0
                       0x00, 0x04, // every marker is removed from the name
                       0x00, 0x00})); // a press line keeps "   Up" in its name
}

TEST_F(EncodeMacroStoreTest, ItemCountFarBeyondTheLinesPresent) {
    const auto result = encode(Section("m", "2", {"A   Dn", "40 ms", "A   Up"}, "2000000000"));
    EXPECT_EQ(block(0), BlockOf({0x00, 0x02, 0x04, 0x04, 0x80, 0x04}));
    EXPECT_EQ(result.totalDropped(), 0u);
}

TEST_F(EncodeMacroStoreTest, HugeLineNumbersCostNoMoreThanTheStoreKeeps) {
    // ItemCount and the last key both near 10^18: the encoder must not walk the numbers between.
    const std::string text = "[m]\r\nItemCount=999999999999999999\r\nItem0=A   Dn\r\n"
                             "Item999999999999999998=A   Up\r\n";
    test::TempDir::put(file_, text);
    const test::BoundedOutcome outcome = test::RunBounded(std::chrono::seconds(20), [&] {
        const auto result = EncodeMacroStore(ProfileIni(file_), guarded_.area());
        return result.slotsEncoded == 1 && guarded_.block(0) == BlockOf({0x00, 0x01, 0x00, 0x04}) ? 0 : 1;
    });
    ASSERT_FALSE(outcome.timedOut()) << "encoding did not end";
    EXPECT_EQ(outcome.status, 0) << "only the press of line 0 lies within the lines a store keeps";
}

TEST_F(EncodeMacroStoreTest, KeysFollowTheStoreLookupRules) {
    // Key names without regard to case, the first of two equal keys wins, and "Item01" is not line 1.
    encode("[m]\r\nmacroloottimes=9\r\nMACROLOOPTIMES=4\r\nMacroLoopTimes=5\r\nitemcount=3\r\n"
           "ITEM0=A   Dn\r\nItem0=B   Dn\r\nItem01=20 ms\r\nitem1=  30 ms  \r\nItem2=A   Up\r\n");
    EXPECT_EQ(block(0), BlockOf({0x00, 0x04, 0x03, 0x04, 0x80, 0x04}));

    // A line longer than the 1023 characters a reader holds is cut: here its marker is cut off.
    encode(Section("m", "1", {std::string(1020, 'x') + "   Dn", "C   Dn"}));
    EXPECT_EQ(block(0), BlockOf({0x00, 0x01, 0x00, 0x06}));
}

TEST_F(EncodeMacroStoreTest, SlotsFollowFileOrderAndOnlyListedSlotsChange) {
    const auto result = encode(Section("first", "1", {"A   Dn"}) + Section("SECOND", "2", {"B   Dn"}));
    EXPECT_EQ(result.slotsEncoded, 2u);
    EXPECT_EQ(block(0), BlockOf({0x00, 0x01, 0x00, 0x04}));
    EXPECT_EQ(block(1), BlockOf({0x00, 0x02, 0x00, 0x05}));
    for (std::size_t slot = 2; slot < kMacroSlotCount; ++slot)
        EXPECT_TRUE(guarded_.untouched(slot)) << slot;
}

TEST_F(EncodeMacroStoreTest, MoreThanTenSectionsNeverLeaveTheArea) {
    std::string text;
    for (int i = 0; i < 14; ++i)
        text += Section("m" + std::to_string(i), std::to_string(i + 1), Events(70, 2000));
    const auto result = encode(text);
    EXPECT_EQ(result.slotsEncoded, 10u);
    EXPECT_EQ(result.sectionsIgnored, 4u);
    EXPECT_TRUE(guarded_.guardsIntact());
    EXPECT_EQ(block(9)[1], 10);
    // 70 events with extension pairs: 31 fit (124 bytes), 39 are dropped in every slot.
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        EXPECT_EQ(result.droppedEvents[slot], 39u) << slot;
}

TEST_F(EncodeMacroStoreTest, MissingStoreChangesNothing) {
    const auto result = EncodeMacroStore(ProfileIni(dir_ / "absent.ini"), guarded_.area());
    EXPECT_FALSE(result.storeFound);
    EXPECT_EQ(result.slotsEncoded, 0u);
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        EXPECT_TRUE(guarded_.untouched(slot));
}

TEST_F(EncodeMacroStoreTest, BlockBoundaries) {
    // 63 short events fill the block to its last byte; there is no room for the end pair and none is needed.
    auto result = encode(Section("m", "1", Events(63, 10)));
    EXPECT_EQ(result.droppedEvents[0], 0u);
    EXPECT_EQ(block(0)[124], 0x81); // 62nd event: A up, 10 ms
    EXPECT_EQ(block(0)[126], 0x00); // 63rd event: A down, last, so no delay
    EXPECT_EQ(block(0)[127], 0x04);
    EXPECT_TRUE(guarded_.untouched(1));

    // The 64th event is dropped whole; the 63rd now has its delay.
    result = encode(Section("m", "1", Events(64, 10)));
    EXPECT_EQ(result.droppedEvents[0], 1u);
    EXPECT_EQ(block(0)[126], 0x01);
    EXPECT_EQ(block(0)[127], 0x04);
    EXPECT_TRUE(guarded_.untouched(1));

    // 61 short events and one long one: the extension pair ends exactly at byte 127.
    auto lines = Events(61, 10);
    lines.push_back("10 ms");
    lines.push_back("B   Dn");
    lines.push_back("2000 ms");
    result = encode(Section("m", "1", lines));
    EXPECT_EQ(result.droppedEvents[0], 0u);
    const auto full = block(0);
    EXPECT_EQ(std::vector<std::uint8_t>(full.begin() + 124, full.end()),
              (std::vector<std::uint8_t>{0x00, 0x05, 0x14, 0x03}));
    EXPECT_TRUE(guarded_.untouched(1));

    // 62 short events and one long one: no half extension pair; the end pair stays zero, and an
    // event after the one that did not fit is dropped too, though it would fit.
    lines = Events(62, 10);
    lines.push_back("10 ms");
    lines.push_back("B   Dn");
    lines.push_back("2000 ms");
    lines.push_back("B   Up");
    result = encode(Section("m", "1", lines));
    EXPECT_EQ(result.droppedEvents[0], 2u);
    EXPECT_EQ(block(0)[126], 0x00);
    EXPECT_EQ(block(0)[127], 0x00);
    EXPECT_EQ(block(0)[125], 0x04);
    EXPECT_TRUE(guarded_.untouched(1));
}

TEST_F(EncodeMacroStoreTest, ReEncodingClearsWhatALongerMacroLeft) {
    encode(Section("m", "1", Events(63, 2000)));
    encode(Section("m", "1", {"C   Dn"}));
    EXPECT_EQ(block(0), BlockOf({0x00, 0x01, 0x00, 0x06}));
}

TEST(MacroBlockEdits, LoopTimesAndClearStayInsideTheirBlock) {
    GuardedArea guarded;
    EXPECT_TRUE(EncodeLoopTimes(guarded.area(), 9, 0x1234));
    EXPECT_EQ(guarded.block(9)[0], 0x12);
    EXPECT_EQ(guarded.block(9)[1], 0x34);
    EXPECT_EQ(guarded.block(9)[2], GuardedArea::kMarker);
    EXPECT_TRUE(EncodeLoopTimes(guarded.area(), 0, 0));
    EXPECT_EQ(guarded.block(0)[1], 0x01);
    EXPECT_FALSE(EncodeLoopTimes(guarded.area(), 10, 5));

    EXPECT_TRUE(ClearMacroBlock(guarded.area(), 4));
    EXPECT_EQ(guarded.block(4), BlockOf({}));
    EXPECT_FALSE(ClearMacroBlock(guarded.area(), 10));
    for (std::size_t slot : {1u, 2u, 3u, 5u, 6u, 7u, 8u})
        EXPECT_TRUE(guarded.untouched(slot)) << slot;
    EXPECT_TRUE(guarded.guardsIntact());
}

} // namespace
} // namespace vexo
