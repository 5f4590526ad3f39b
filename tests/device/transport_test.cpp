// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <random>

#include "device/packet_scrambler.h"
#include "device/transport.h"
#include "sim_rig.h"

namespace vexo::test {
namespace {

using Kind = SimExchange::Kind;

CommandPacket packetOf(std::initializer_list<std::uint8_t> bytes) {
    CommandPacket p;
    std::copy(bytes.begin(), bytes.end(), p.bytes.begin());
    return p;
}

TEST(CommandPacketTest, ChecksumMakesTheBytesAddUpToFF) {
    EXPECT_EQ(Transport::probePacket(), packetOf({0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB}));
    CommandPacket read(0x83);
    EXPECT_EQ(read.computeChecksum(), 0x7C);
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i) {
        CommandPacket p;
        for (auto& b : p.bytes)
            b = static_cast<std::uint8_t>(random());
        p.fillChecksum();
        unsigned sum = 0;
        for (auto b : p.bytes)
            sum += b;
        ASSERT_EQ(sum % 256, 0xFFu);
        ASSERT_TRUE(p.checksumValid());
    }
}

TEST(PacketScramblerTest, UnscrambleUndoesScrambleForRandomPacketsAndKeys) {
    std::mt19937 random(2026);
    for (int i = 0; i < 200000; ++i) {
        std::array<std::uint8_t, 8> packet;
        for (auto& b : packet)
            b = static_cast<std::uint8_t>(random());
        HandshakeKeyBlock key{};
        if (i % 2)
            key = installedHandshakeKey();
        else
            for (std::size_t k = 1; k <= 6; ++k)
                key[k] = static_cast<std::uint8_t>(random());
        auto copy = packet;
        ScramblePacket(copy, key);
        UnscramblePacket(copy, key);
        ASSERT_EQ(copy, packet) << "packet " << i;
    }
}

TEST(PacketScramblerTest, ScrambleFollowsTheStepsAndUsesPrintableKeys) {
    for (auto c : PacketKeyTable)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F);
    // With a zero key block and a packet with one set bit, the steps can be followed by hand:
    // bit 0 of p3 moves to p6 by the swap, then 3 bits left lands it in bit 3 of p6.
    std::array<std::uint8_t, 8> p{0, 0, 0, 0x01, 0, 0, 0, 0};
    ScramblePacket(p, HandshakeKeyBlock{});
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint8_t table = static_cast<std::uint8_t>((PacketKeyTable[i] << 4) | (PacketKeyTable[i] >> 4));
        const std::uint8_t expected = static_cast<std::uint8_t>((i == 6 ? 0x08 : 0x00) + table);
        EXPECT_EQ(p[i], expected) << i;
    }
    // The rotation wraps the top bits of p0 into p7 (p0 comes from p5 by the swap).
    std::array<std::uint8_t, 8> q{0, 0, 0, 0, 0, 0xE0, 0, 0};
    ScramblePacket(q, HandshakeKeyBlock{});
    const std::uint8_t table7 = static_cast<std::uint8_t>((PacketKeyTable[7] << 4) | (PacketKeyTable[7] >> 4));
    EXPECT_EQ(q[7], static_cast<std::uint8_t>(0x07 + table7));
}

TEST(HandshakeTest, SupportedMouseAnswersOnlyTheScrambledProbe) {
    SimRig rig;
    rig.traceAll();
    ASSERT_EQ(rig.session.link().OpenMouse(), 1);
    rig.session.transport().PerformHandshake();
    EXPECT_EQ(rig.session.link().scramblingOn, 1);
    EXPECT_TRUE(rig.session.mousePresent());
    EXPECT_EQ(rig.listener.notices(), (std::vector<std::pair<int, int>>{{14, 0}}));
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{5, 5}));
    ASSERT_EQ(rig.trace.size(), 6u);
    EXPECT_EQ(rig.trace[0], "SET 00 AA DD 3B 62 00 00 DB");
    EXPECT_EQ(rig.trace[1], "PAUSE 5");
    EXPECT_EQ(rig.trace[2], "GET 00 00 00 00 00 00 00 00");
    EXPECT_EQ(rig.trace[3], "SET 00 AA DD 3B 62 00 00 DB");
    EXPECT_EQ(rig.trace[5], "GET 00 AA DD 3B 62 00 00 DB");
    // On the wire the second probe travels scrambled with the installed key.
    const auto sets = rig.exchangesOf(Kind::SetFeature);
    ASSERT_EQ(sets.size(), 2u);
    auto scrambled = Transport::probePacket().bytes;
    ScramblePacket(scrambled, installedHandshakeKey());
    EXPECT_EQ(std::vector<std::uint8_t>(sets[1].bytes.begin() + 1, sets[1].bytes.begin() + 9),
              std::vector<std::uint8_t>(scrambled.begin(), scrambled.end()));
    EXPECT_EQ(rig.session.link().handshakeKey, installedHandshakeKey());
}

TEST(HandshakeTest, MouseThatEchoesThePlainProbeIsNotUsable) {
    SimRig rig;
    SimFaults faults;
    faults.echoPlainProbe = true;
    rig.mouse->setFaults(faults);
    ASSERT_EQ(rig.session.link().OpenMouse(), 1);
    rig.session.transport().PerformHandshake();
    EXPECT_EQ(rig.session.link().scramblingOn, 0);
    EXPECT_FALSE(rig.session.mousePresent());
    EXPECT_EQ(rig.listener.notices(), (std::vector<std::pair<int, int>>{{15, 0}}));
    // The plain attempt succeeded, so no scrambled attempt was made.
    EXPECT_EQ(rig.exchangesOf(Kind::SetFeature).size(), 1u);
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{5}));
}

TEST(HandshakeTest, SilentOrBrokenMouseIsNotUsableAndEveryHandshakeStartsPlain) {
    for (int fault = 0; fault < 3; ++fault) {
        SimRig rig;
        ASSERT_TRUE(rig.connect());
        SimFaults faults;
        faults.garbageAnswers = fault == 0;
        faults.failGet = fault == 1;
        faults.failSet = fault == 2;
        rig.mouse->setFaults(faults);
        rig.traceAll();
        rig.session.transport().PerformHandshake();
        EXPECT_EQ(rig.session.link().scramblingOn, 0) << fault;
        EXPECT_FALSE(rig.session.mousePresent()) << fault;
        EXPECT_EQ(rig.listener.notices().back(), (std::pair<int, int>{15, 0}));
        // A second handshake begins with the plain probe although the key is installed.
        EXPECT_EQ(rig.trace.front(), "SET 00 AA DD 3B 62 00 00 DB");
    }
}

TEST(SendCommandTest, WriteSendsCorrectChecksumAndNeverGets) {
    SimRig rig;
    ASSERT_TRUE(rig.connect());
    rig.traceAll();
    rig.mouse->clearExchanges();
    CommandPacket p = packetOf({0x01, 0x04, 0, 0, 0, 0, 0, 0x55}); // wrong checksum from the caller
    EXPECT_TRUE(rig.session.transport().SendCommand(p));
    EXPECT_EQ(p, packetOf({0x01, 0x04, 0, 0, 0, 0, 0, 0xFA}));
    EXPECT_EQ(rig.trace, (std::vector<std::string>{"SET 01 04 00 00 00 00 00 FA"}));
    EXPECT_EQ(rig.exchangesOf(Kind::GetFeature).size(), 0u);
    EXPECT_EQ(rig.mouse->blocks().reportRate, 4);
    EXPECT_EQ(rig.mouse->badChecksums(), 0);
    EXPECT_TRUE(rig.pauser.pauses().size() == 2); // only the handshake's

    SimFaults faults;
    faults.failSet = true;
    rig.mouse->setFaults(faults);
    EXPECT_FALSE(rig.session.transport().SendCommand(p));
}

TEST(SendCommandTest, ReadAnswerReplacesThePacketEvenWhenOnlyTheOpcodeComesBack) {
    SimRig rig;
    ASSERT_TRUE(rig.connect());
    rig.traceAll();
    CommandPacket p(0x83);
    EXPECT_TRUE(rig.session.transport().SendCommand(p));
    const auto sensor = rig.mouse->blocks().sensor;
    EXPECT_EQ(p[0], 0x83);
    EXPECT_EQ(p[1], sensor[0]);
    EXPECT_EQ(p[4], sensor[3]);
    EXPECT_EQ(rig.trace.at(0), "SET 83 00 00 00 00 00 00 7C");
    EXPECT_EQ(rig.trace.size(), 2u);
    // An unknown read command: the mouse answers nothing, and zeros replace the packet.
    CommandPacket unknown = packetOf({0xF0, 1, 2, 3, 4, 5, 6, 0});
    rig.session.transport().SendCommand(unknown);
    EXPECT_EQ(unknown, CommandPacket());
    EXPECT_EQ(rig.exchangesOf(Kind::GetFeature).size(), 4u); // two of the handshake, two here
}

TEST(TransferBlockTest, WriteSendsOneReportPer32BytesWithA3msPauseEach) {
    for (auto [length, reports] :
         std::vector<std::pair<int, std::size_t>>{{0, 0}, {8, 1}, {24, 1}, {32, 1}, {33, 2}, {64, 2}, {128, 4}}) {
        SimRig rig;
        ASSERT_TRUE(rig.connect());
        rig.pauser.clear();
        rig.mouse->clearExchanges();
        std::array<std::uint8_t, 128> data{};
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(i + 1);
        CommandPacket p(0x13, 1, static_cast<std::uint8_t>(length));
        rig.session.transport().TransferBlock(p, data);
        const auto writes = rig.exchangesOf(Kind::Write);
        ASSERT_EQ(writes.size(), reports) << length;
        EXPECT_EQ(rig.pauser.pauses(), std::vector<unsigned>(reports, 3u));
        for (std::size_t r = 0; r < writes.size(); ++r) {
            EXPECT_EQ(writes[r].length, 33u);
            EXPECT_EQ(writes[r].bytes[0], 0);
            EXPECT_EQ(writes[r].bytes[1], data[r * 32]);
            EXPECT_EQ(writes[r].bytes[32], data[r * 32 + 31]);
        }
    }
}

TEST(TransferBlockTest, WriteFromAShortBufferSendsZerosBeyondItsEnd) {
    SimRig rig;
    ASSERT_TRUE(rig.connect());
    rig.mouse->clearExchanges();
    rig.traceAll();
    std::vector<std::uint8_t> data(40, 0x77);
    CommandPacket p(0x13, 2, 128);
    rig.session.transport().TransferBlock(p, data);
    ASSERT_EQ(rig.trace.size(), 1u + 4 * 2);
    EXPECT_EQ(rig.trace[0], "SET 13 02 80 00 00 00 00 6A");
    EXPECT_EQ(rig.trace[3],
              "OUT 77 77 77 77 77 77 77 77 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(rig.trace[4], "PAUSE 3");
    const auto writes = rig.exchangesOf(Kind::Write);
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[1].bytes[8], 0x77);
    EXPECT_EQ(writes[1].bytes[9], 0x00);
    EXPECT_EQ(writes[3].bytes[1], 0x00);
    EXPECT_EQ(rig.mouse->blocks().macros[1][39], 0x77);
    EXPECT_EQ(rig.mouse->blocks().macros[1][40], 0x00);
}

TEST(TransferBlockTest, ReadTakesTheReportCountFromTheAnswerAndNeverOverrunsTheBuffer) {
    SimRig rig;
    ASSERT_TRUE(rig.connect());
    rig.traceAll();
    // The request announces nothing; the answer announces 24 bytes: one report.
    std::array<std::uint8_t, 128> buffer;
    buffer.fill(0x99);
    CommandPacket p(0x90, 1);
    rig.session.transport().TransferBlock(p, buffer);
    EXPECT_EQ(p.blockLength(), 24);
    EXPECT_EQ(rig.exchangesOf(Kind::Read).size(), 1u);
    const auto colours = rig.mouse->blocks().colourBlock1;
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), buffer.begin()));
    EXPECT_EQ(buffer[32], 0); // cleared beyond what came
    EXPECT_EQ(rig.trace.size(), 3u);
    EXPECT_EQ(rig.trace[2].substr(0, 3), "IN ");
    EXPECT_TRUE(rig.pauser.pauses().size() == 2); // reads make no pause

    // An answer announcing 255 bytes (8 reports) reads only as many as the 128-byte buffer holds.
    SimFaults faults;
    faults.announcedBlockLength = 255;
    rig.mouse->setFaults(faults);
    rig.mouse->clearExchanges();
    CommandPacket q(0x90, 0);
    rig.session.transport().TransferBlock(q, buffer);
    EXPECT_EQ(q.blockLength(), 255);
    EXPECT_EQ(rig.exchangesOf(Kind::Read).size(), 4u);
    // A buffer of 40 bytes holds one whole report only.
    rig.mouse->clearExchanges();
    std::vector<std::uint8_t> small(40, 0x99);
    CommandPacket r(0x90, 0);
    rig.session.transport().TransferBlock(r, small);
    EXPECT_EQ(rig.exchangesOf(Kind::Read).size(), 1u);
    EXPECT_EQ(small[39], 0);
}

TEST(TransferBlockTest, FailedReadsLeaveZerosAndLengthsNeverExceedTheBuffers) {
    SimRig rig;
    ASSERT_TRUE(rig.connect());
    SimFaults faults;
    faults.failRead = true;
    rig.mouse->setFaults(faults);
    std::array<std::uint8_t, 128> buffer;
    buffer.fill(0x99);
    CommandPacket p(0x90, 0);
    EXPECT_FALSE(rig.session.transport().TransferBlock(p, buffer));
    EXPECT_EQ(p.blockLength(), 24);
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == 0; }));

    // Even when the lengths in the link are larger than the buffers (they are checked at open as
    // well), the HID calls get at most 16 and 40 bytes.
    rig.mouse->setFaults({});
    auto& link = rig.session.link();
    link.featureReportLength = 1000;
    link.inputReportLength = 1000;
    link.outputReportLength = 1000;
    CommandPacket w(0x12, 1, 64);
    rig.session.transport().TransferBlock(w, buffer);
    CommandPacket r(0x90, 0);
    rig.session.transport().TransferBlock(r, buffer);
    for (const auto& e : rig.mouse->exchanges()) {
        if (e.kind == Kind::SetFeature || e.kind == Kind::GetFeature)
            EXPECT_LE(e.length, 16u);
        else
            EXPECT_LE(e.length, 40u);
    }
}

TEST(TransportTest, OnlyWholeReportsCountAndShortOnesAreTracedAsFailed) {
    SimRig rig;
    ASSERT_TRUE(rig.connect());
    rig.traceAll();
    Transport& transport = rig.session.transport();
    std::array<std::uint8_t, 128> buffer{};
    // A get that returns 8 of 9 bytes: the answer counts as zeros, not as the part that came.
    SimFaults faults;
    faults.shortGet = 8;
    rig.mouse->setFaults(faults);
    CommandPacket read(0x83);
    EXPECT_FALSE(transport.SendCommand(read));
    EXPECT_EQ(read, CommandPacket());
    EXPECT_EQ(rig.trace.back(), "GET-FAILED 00 00 00 00 00 00 00 00");
    CommandPacket block(0x90, 1);
    EXPECT_FALSE(transport.TransferBlock(block, buffer));
    EXPECT_TRUE(rig.exchangesOf(Kind::Read).empty()); // no length to read by

    // A block report of 10 of 33 bytes ends the read; the buffer keeps none of it.
    faults = SimFaults();
    faults.shortRead = 10;
    rig.mouse->setFaults(faults);
    buffer.fill(0x99);
    CommandPacket colours(0x90, 1);
    EXPECT_FALSE(transport.TransferBlock(colours, buffer));
    EXPECT_EQ(colours.blockLength(), 24); // the answer itself came whole
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == 0; }));
    EXPECT_TRUE(rig.trace.back().starts_with("IN-FAILED ")) << rig.trace.back();

    // A set or a write that the driver took only in part is a failed exchange too.
    faults = SimFaults();
    faults.shortSet = 1;
    rig.mouse->setFaults(faults);
    CommandPacket write(0x01, 2);
    EXPECT_FALSE(transport.SendCommand(write));
    faults = SimFaults();
    faults.shortWrite = 32;
    rig.mouse->setFaults(faults);
    CommandPacket macro(0x13, 1, 128);
    const std::size_t failed = transport.failedCallCount();
    EXPECT_FALSE(transport.TransferBlock(macro, buffer));
    EXPECT_EQ(transport.failedCallCount(), failed + 1);

    // And a collection announcing reports too short for a packet or a block cannot carry them.
    rig.mouse->setFaults(SimFaults());
    rig.session.link().featureReportLength = 8;
    CommandPacket tooShort(0x83);
    EXPECT_FALSE(transport.SendCommand(tooShort));
    rig.session.link().featureReportLength = 9;
    rig.session.link().inputReportLength = 32;
    CommandPacket tooShortBlock(0x90, 0);
    EXPECT_FALSE(transport.TransferBlock(tooShortBlock, buffer));
    rig.session.link().inputReportLength = 33;
    CommandPacket whole(0x90, 0);
    EXPECT_TRUE(transport.TransferBlock(whole, buffer));
}

} // namespace
} // namespace vexo::test
