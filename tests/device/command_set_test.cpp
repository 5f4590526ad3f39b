// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "device/device_commands.h"
#include "sim_rig.h"

namespace vexo::test {
namespace {

using Kind = SimExchange::Kind;

// The plain packets the mouse received after the handshake, decoded from the wire.
std::vector<CommandPacket> packetsReceived(const SimRig& rig) {
    std::vector<CommandPacket> out;
    for (const auto& e : rig.exchangesOf(Kind::SetFeature)) {
        CommandPacket p;
        std::copy_n(e.bytes.begin() + 1, 8, p.bytes.begin());
        UnscramblePacket(p.bytes, installedHandshakeKey());
        out.push_back(p);
    }
    return out;
}

struct CommandSetTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(rig.connect());
        rig.pauser.clear();
        rig.mouse->clearExchanges();
    }
    DeviceCommands& commands() { return rig.session.commands(); }
    DeviceImage& image() { return rig.session.image(); }
    SimRig rig;
};

TEST_F(CommandSetTest, SingleReadsAndWritesRoundTripWithoutPauses) {
    commands().ReadSensorBlock();
    commands().ReadLightingBlock();
    EXPECT_EQ(image().sensor, rig.mouse->blocks().sensor);
    EXPECT_EQ(image().lighting, rig.mouse->blocks().lighting);

    image().sensor = {2, 0x11, 0x22, 0x33};
    image().lighting = {4, 5, 6};
    commands().WriteSensorBlock();
    commands().WriteLightingBlock();
    commands().WriteReportRate(8);
    EXPECT_EQ(rig.mouse->blocks().sensor, image().sensor);
    EXPECT_EQ(rig.mouse->blocks().lighting, image().lighting);
    EXPECT_EQ(rig.mouse->blocks().reportRate, 8);
    EXPECT_TRUE(rig.pauser.pauses().empty());

    const auto packets = packetsReceived(rig);
    ASSERT_EQ(packets.size(), 5u);
    EXPECT_EQ(packets[0].bytes, (std::array<std::uint8_t, 8>{0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
    EXPECT_EQ(packets[2][0], 0x03);
    EXPECT_EQ(packets[2][4], 0x33);
    EXPECT_EQ(packets[4][0], 0x01);
    EXPECT_EQ(packets[4][1], 8);
    for (const auto& p : packets)
        EXPECT_TRUE(p.checksumValid());
    EXPECT_EQ(rig.mouse->badChecksums(), 0);
}

TEST_F(CommandSetTest, LedSetsLoopOverTwoIndexesReusingThePacket) {
    commands().ReadLedSets();
    EXPECT_EQ(image().ledSets, rig.mouse->blocks().ledSets);
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{2, 2}));
    const auto packets = packetsReceived(rig);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0][1], 0);
    EXPECT_EQ(packets[0][2], 0);
    // The second request carries bytes 2-4 of the first answer along.
    EXPECT_EQ(packets[1][1], 1);
    EXPECT_EQ(packets[1][2], rig.mouse->blocks().ledSets[0][0]);
    EXPECT_EQ(packets[1][4], rig.mouse->blocks().ledSets[0][2]);

    image().ledSets = {{{1, 2, 3}, {4, 5, 6}}};
    rig.pauser.clear();
    commands().WriteLedSets();
    EXPECT_EQ(rig.mouse->blocks().ledSets, image().ledSets);
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{2, 2}));
}

TEST_F(CommandSetTest, ColourBlocksRoundTripWithTheirLengthsAndPauses) {
    commands().ReadColourBlocks();
    const DeviceImage fromMouse = rig.mouse->blocks();
    EXPECT_EQ(image().colourBlock0, fromMouse.colourBlock0);
    EXPECT_EQ(image().colourBlock1, fromMouse.colourBlock1);
    EXPECT_EQ(image().colourBlock2, fromMouse.colourBlock2);
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{2, 2, 2}));

    for (auto& b : image().colourBlock1)
        b = 0x5A;
    image().colourBlock2 = {9, 8, 7, 6};
    rig.pauser.clear();
    rig.mouse->clearExchanges();
    commands().WriteColourBlocks();
    EXPECT_EQ(rig.mouse->blocks().colourBlock1, image().colourBlock1);
    EXPECT_EQ(rig.mouse->blocks().colourBlock2, image().colourBlock2);
    // One report each, its pause, then the index pause.
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{3, 2, 3, 2, 3, 2}));
    const auto packets = packetsReceived(rig);
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0][2], 24);
    EXPECT_EQ(packets[1][2], 24);
    EXPECT_EQ(packets[2][2], 4);
}

TEST_F(CommandSetTest, ReadAnswersForAnotherIndexOrLengthFailAndChangeNothing) {
    // Answers for index 5 change nothing, for colour blocks and LED sets alike.
    SimFaults faults;
    faults.answeredIndex = 5;
    rig.mouse->setFaults(faults);
    EXPECT_FALSE(commands().ReadColourBlocks());
    EXPECT_FALSE(commands().ReadLedSets());
    EXPECT_EQ(image(), DeviceImage());
    // Answers for another valid index do not land there either: only the index asked for counts.
    faults.answeredIndex = 1;
    rig.mouse->setFaults(faults);
    EXPECT_FALSE(commands().ReadColourBlocks());
    EXPECT_FALSE(commands().ReadLedSets());
    EXPECT_EQ(image().colourBlock0, DeviceImage().colourBlock0);
    EXPECT_EQ(image().colourBlock1, rig.mouse->blocks().colourBlock1);
    EXPECT_EQ(image().colourBlock2, DeviceImage().colourBlock2);
    EXPECT_EQ(image().ledSets[0], DeviceImage().ledSets[0]);
    EXPECT_EQ(image().ledSets[1], rig.mouse->blocks().ledSets[1]);

    // A length other than the block's, longer or shorter: the block is not what was asked for.
    for (const std::uint8_t announced : {200, 25, 23, 3}) {
        SCOPED_TRACE(int(announced));
        image() = DeviceImage();
        image().colourBlock2 = {1, 1, 1, 1};
        faults = SimFaults();
        faults.announcedBlockLength = announced;
        rig.mouse->setFaults(faults);
        rig.mouse->clearExchanges();
        EXPECT_FALSE(commands().ReadColourBlocks());
        EXPECT_EQ(image().colourBlock0, DeviceImage().colourBlock0);
        EXPECT_EQ(image().colourBlock2, (std::array<std::uint8_t, 4>{1, 1, 1, 1}));
        if (announced == 200) {
            EXPECT_EQ(rig.exchangesOf(Kind::Read).size(), 12u); // four reports per index, never more
        }
    }

    // A device whose queue keeps what was not read: the next reads still get their own reports.
    faults.announcedBlockLength = 200;
    faults.keepUnreadReports = true;
    rig.mouse->setFaults(faults);
    EXPECT_FALSE(commands().ReadColourBlocks());
    faults.announcedBlockLength = 0;
    rig.mouse->setFaults(faults);
    EXPECT_TRUE(commands().ReadColourBlocks());
    const DeviceImage fromMouse = rig.mouse->blocks();
    EXPECT_EQ(image().colourBlock0, fromMouse.colourBlock0);
    EXPECT_EQ(image().colourBlock1, fromMouse.colourBlock1);
    EXPECT_EQ(image().colourBlock2, fromMouse.colourBlock2);
}

TEST_F(CommandSetTest, ShortTransfersFailAndNeverReachTheImage) {
    ASSERT_TRUE(commands().ReadSensorBlock());
    const DeviceImage before = image();
    // What a driver reports for a short transfer: part of the report, one byte, nothing.
    for (const int moved : {0, 1, 5, 8}) {
        SCOPED_TRACE(moved);
        SimFaults faults;
        faults.shortGet = moved;
        rig.mouse->setFaults(faults);
        EXPECT_FALSE(commands().ReadSensorBlock());
        EXPECT_FALSE(commands().ReadLightingBlock());
        EXPECT_FALSE(commands().ReadLedSets());
        EXPECT_FALSE(commands().ReadColourBlocks());
        EXPECT_EQ(image(), before);

        faults = SimFaults();
        faults.shortSet = moved;
        rig.mouse->setFaults(faults);
        EXPECT_FALSE(commands().WriteSensorBlock());
        EXPECT_FALSE(commands().WriteReportRate(2));
        image().reportRate = before.reportRate; // kept as asked for, whatever became of it
        EXPECT_FALSE(commands().ReadSensorBlock());
    }
    for (const int moved : {0, 1, 10, 32}) {
        SCOPED_TRACE(moved);
        SimFaults faults;
        faults.shortRead = moved;
        rig.mouse->setFaults(faults);
        EXPECT_FALSE(commands().ReadColourBlocks());
        EXPECT_EQ(image(), before);

        faults = SimFaults();
        faults.shortWrite = moved;
        rig.mouse->setFaults(faults);
        rig.mouse->clearExchanges();
        EXPECT_FALSE(commands().WriteMacros());
        // A block stops at its first short report: one report per macro, not four.
        EXPECT_EQ(rig.exchangesOf(Kind::Write).size(), 10u);
        EXPECT_FALSE(commands().WriteDpiBlock());
    }
    rig.mouse->setFaults(SimFaults());
    EXPECT_TRUE(commands().ReadColourBlocks());
    EXPECT_TRUE(commands().WriteMacros());
}

TEST_F(CommandSetTest, DpiMatricesAndMacrosGoOutWhole) {
    image().dpi = {1, 2, 3, 4, 5, 6, 7, 8};
    image().keyMatrices[0].fill(0x11);
    image().keyMatrices[2].fill(0x33); // 2 and 4 stay zero but are sent all the same
    for (std::size_t m = 0; m < 10; ++m)
        image().macros[m].fill(static_cast<std::uint8_t>(m + 1));
    // The mouse holds other values first, so that zero matrices must really be written.
    DeviceImage before = rig.mouse->blocks();
    before.keyMatrices[1].fill(0xEE);
    before.keyMatrices[3].fill(0xEE);
    rig.mouse->setBlocks(before);

    commands().WriteDpiBlock();
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{3}));
    auto packets = packetsReceived(rig);
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0][0], 0x11);
    EXPECT_EQ(packets[0][1], 0x80);
    EXPECT_EQ(packets[0][2], 8);

    rig.pauser.clear();
    rig.mouse->clearExchanges();
    commands().WriteKeyMatrices();
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{3, 3, 2, 3, 3, 2, 3, 3, 2, 3, 3, 2}));
    packets = packetsReceived(rig);
    ASSERT_EQ(packets.size(), 4u);
    for (std::uint8_t i = 0; i < 4; ++i) {
        EXPECT_EQ(packets[i][1], i + 1);
        EXPECT_EQ(packets[i][2], 64);
    }

    rig.pauser.clear();
    rig.mouse->clearExchanges();
    commands().WriteMacros();
    EXPECT_EQ(rig.pauser.pauses().size(), 50u); // 4 reports and one index pause for each of ten
    EXPECT_EQ(rig.pauser.totalMilliseconds(), 10u * (4 * 3 + 2));
    EXPECT_EQ(rig.exchangesOf(Kind::Write).size(), 40u);

    const DeviceImage after = rig.mouse->blocks();
    EXPECT_EQ(after.dpi, image().dpi);
    EXPECT_EQ(after.keyMatrices, image().keyMatrices);
    EXPECT_EQ(after.macros, image().macros);
}

TEST_F(CommandSetTest, FullApplyMakes24IndexPauses) {
    commands().ReadLightingBlock();
    commands().ReadLedSets();
    commands().ReadColourBlocks();
    commands().WriteReportRate(1);
    commands().WriteLightingBlock();
    commands().WriteLedSets();
    commands().WriteColourBlocks();
    commands().WriteDpiBlock();
    commands().WriteKeyMatrices();
    commands().WriteMacros();
    const auto& p = rig.pauser.pauses();
    EXPECT_EQ(std::count(p.begin(), p.end(), 2u), 24);
    // 3 colour + 1 DPI + 8 matrix + 40 macro output reports, each with its pause; 3 colour input reports.
    EXPECT_EQ(std::count(p.begin(), p.end(), 3u), 52);
    EXPECT_EQ(rig.exchangesOf(Kind::Write).size(), 52u);
    EXPECT_EQ(rig.exchangesOf(Kind::Read).size(), 3u);
    EXPECT_EQ(rig.pauser.totalMilliseconds(), 24u * 2 + 52u * 3);
}

TEST_F(CommandSetTest, MissingMouseFailsAndLeavesTheImage) {
    EXPECT_TRUE(commands().ReadSensorBlock());
    EXPECT_TRUE(commands().ReadLightingBlock());
    EXPECT_TRUE(commands().ReadColourBlocks());
    ASSERT_NE(image().sensor, (std::array<std::uint8_t, 4>{}));
    const DeviceImage before = image();
    rig.mouse->unplug();
    rig.pauser.clear();
    EXPECT_FALSE(commands().ReadSensorBlock());
    EXPECT_FALSE(commands().ReadLightingBlock());
    EXPECT_FALSE(commands().ReadColourBlocks());
    EXPECT_FALSE(commands().WriteMacros());
    EXPECT_EQ(image(), before);
    // The index pauses are kept even when nobody listens.
    EXPECT_EQ(rig.pauser.pauses(), std::vector<unsigned>(3 + 10, 2));
}

} // namespace
} // namespace vexo::test
