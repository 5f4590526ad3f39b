// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cerrno>

#include "sim_rig.h"
#include "support/threads_cannot_start.h"

namespace vexo::test {
namespace {

using Notices = std::vector<std::pair<int, int>>;

DeviceChange changeOf(DeviceChange::Kind kind, std::uint16_t vendor = HidLink::kVendorId,
                      std::uint16_t product = HidLink::kProductId) {
    return DeviceChange{kind, "sim/hidraw2", vendor, product};
}

TEST(OpenMouseTest, OpensBothVendorCollectionsWhateverTheirOrder) {
    for (const bool commandFirst : {false, true}) {
        SCOPED_TRACE(commandFirst ? "command collection listed first" : "notification collection listed first");
        SimRig rig;
        SimFaults faults;
        faults.commandCollectionFirst = commandFirst;
        rig.mouse->setFaults(faults);
        HidLink& link = rig.session.link();
        ASSERT_EQ(link.OpenMouse(), 1);
        EXPECT_TRUE(link.hasNotifyDevice());
        EXPECT_NE(link.commandDevice(), nullptr);
        EXPECT_EQ(link.devicePath(), "sim/hidraw2");
        EXPECT_EQ(link.featureReportLength, 9);
        EXPECT_EQ(link.inputReportLength, 33);
        EXPECT_EQ(link.outputReportLength, 33);
        EXPECT_EQ(link.notifyReportLength, 9);
        // Opened is not yet present: that takes the handshake.
        EXPECT_EQ(link.mousePresent(), 0);
        EXPECT_EQ(rig.backend.opens(), 2); // the other vendor's device and the pointer collections are not opened
        EXPECT_TRUE(rig.prompter.shown.empty());

        // Notices arrive in either order.
        rig.session.start();
        ASSERT_TRUE(rig.session.mousePresent());
        rig.listener.clear();
        rig.mouse->pushNotice(kNoticeDpiStage, 4);
        ASSERT_TRUE(rig.listener.waitForNotices(1));
        EXPECT_EQ(rig.listener.notices(), (Notices{{kNoticeDpiStage, 4}}));
    }
}

TEST(OpenMouseTest, AMouseThatCannotBeCommandedIsAbsentAndKeepsNothingOpen) {
    for (const bool commandFirst : {false, true}) {
        SCOPED_TRACE(commandFirst ? "command collection listed first" : "notification collection listed first");
        // The user may read the nodes but not write them: the notification collection opens, the
        // command collection does not.
        SimRig rig;
        SimFaults faults;
        faults.commandCollectionFirst = commandFirst;
        rig.mouse->setFaults(faults);
        rig.backend.setReadWriteOpenError(EACCES);
        rig.session.start();
        EXPECT_FALSE(rig.session.mousePresent());
        EXPECT_FALSE(rig.session.link().hasNotifyDevice());
        EXPECT_EQ(rig.session.link().commandDevice(), nullptr);
        EXPECT_EQ(rig.listener.notices(), (Notices{{15, 0}}));
        ASSERT_EQ(rig.prompter.shown.size(), 1u);
        EXPECT_TRUE(rig.prompter.shown[0].text.starts_with(HidLink::kNoPermissionText));
        EXPECT_TRUE(rig.mouse->exchanges().empty());

        // Present before, then the command collection can no longer be opened (an unplug between
        // the two opens, a changed mode): absent, and the old handles are closed.
        SimRig was;
        was.session.start();
        ASSERT_TRUE(was.session.mousePresent());
        was.backend.setReadWriteOpenError(EIO);
        was.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
        EXPECT_FALSE(was.session.mousePresent());
        EXPECT_FALSE(was.session.link().hasNotifyDevice());
        EXPECT_EQ(was.session.link().commandDevice(), nullptr);
    }
}

TEST(OpenMouseTest, ReturnsZeroWithoutMouseOrWhenAnOpenFails) {
    SimRig rig;
    rig.mouse->unplug();
    EXPECT_EQ(rig.session.link().OpenMouse(), 0);
    EXPECT_EQ(rig.backend.opens(), 0);

    SimRig refused;
    refused.backend.setOpenError(EIO);
    EXPECT_EQ(refused.session.link().OpenMouse(), 0);
    EXPECT_EQ(refused.backend.opens(), 1); // the search ends at the first failed open
    EXPECT_TRUE(refused.prompter.shown.empty());

    // For want of permission the user is told why, once, and not just that no mouse was found.
    SimRig denied;
    denied.backend.setOpenError(EACCES);
    EXPECT_EQ(denied.session.link().OpenMouse(), 0);
    EXPECT_EQ(denied.session.link().OpenMouse(), 0);
    ASSERT_EQ(denied.prompter.shown.size(), 1u);
    EXPECT_TRUE(denied.prompter.shown[0].text.starts_with(HidLink::kNoPermissionText)) << denied.prompter.shown[0].text;
    EXPECT_NE(denied.prompter.shown[0].text.find("udev rule"), std::string::npos);
    denied.backend.setOpenError(0);
    EXPECT_EQ(denied.session.link().OpenMouse(), 1);

    // Announced lengths beyond the buffers: not this mouse, and nothing is opened.
    SimRig oversized;
    SimFaults faults;
    faults.oversizedReportLengths = true;
    oversized.mouse->setFaults(faults);
    EXPECT_EQ(oversized.session.link().OpenMouse(), 0);
    EXPECT_EQ(oversized.backend.opens(), 0);
    EXPECT_EQ(oversized.session.link().mousePresent(), 0);
}

TEST(OpenMouseTest, UnreadableCapabilitiesAreShownInAMessageBox) {
    for (auto [failure, text] : {std::pair{HidCollectionInfo::Failure::Descriptor, "HidD_GetPreparsedData failed.\n"},
                                 std::pair{HidCollectionInfo::Failure::Capabilities, "HidP_GetCaps failed."}}) {
        SimRig rig;
        SimFaults faults;
        faults.descriptorFailure = failure;
        rig.mouse->setFaults(faults);
        EXPECT_EQ(rig.session.link().OpenMouse(), 0);
        ASSERT_EQ(rig.prompter.shown.size(), 1u);
        EXPECT_EQ(rig.prompter.shown[0].text, text);
        EXPECT_EQ(rig.prompter.shown[0].caption, "VEXO T58");
    }
}

TEST(DeviceSessionTest, StartWithAndWithoutMouse) {
    SimRig rig;
    rig.session.start();
    EXPECT_TRUE(rig.session.mousePresent());
    EXPECT_EQ(rig.listener.notices(), (Notices{{14, 0}}));
    EXPECT_FALSE(rig.session.link().inputThread()->suspended());

    SimRig absent;
    absent.mouse->unplug();
    absent.session.start();
    EXPECT_FALSE(absent.session.mousePresent());
    EXPECT_EQ(absent.listener.notices(), (Notices{{15, 0}}));
    EXPECT_EQ(absent.listener.hides(), 0);
    EXPECT_TRUE(absent.session.link().inputThread()->suspended());

    // An unsupported mouse at start: 15, and the thread stays suspended.
    SimRig unsupported;
    SimFaults faults;
    faults.echoPlainProbe = true;
    unsupported.mouse->setFaults(faults);
    unsupported.session.start();
    EXPECT_EQ(unsupported.listener.notices(), (Notices{{15, 0}}));
    EXPECT_TRUE(unsupported.session.link().inputThread()->suspended());
}

TEST(DeviceSessionTest, WithoutAnInputThreadTheSessionSaysSoAndWorksOn) {
    SimRig rig;
    {
        ThreadsCannotStart noThreads;
        if (!noThreads.armed())
            GTEST_SKIP() << "the default thread attributes cannot be changed here";
        rig.session.start();
    }
    EXPECT_FALSE(rig.session.link().inputThreadExists());
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "CreateEvent failed.");
    EXPECT_EQ(rig.prompter.shown[0].caption, "VEXO T58");
    // The mouse was found and stays usable; plugging still works without the thread.
    EXPECT_TRUE(rig.session.mousePresent());
    EXPECT_EQ(rig.listener.notices(), (Notices{{14, 0}}));
    rig.mouse->unplug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
    EXPECT_FALSE(rig.session.mousePresent());
    rig.mouse->plug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
    EXPECT_TRUE(rig.session.mousePresent());
    rig.session.shutdown();
}

TEST(DeviceSessionTest, UnplugAndReplugAnnounceAndRewriteTheSensorBlock) {
    SimRig rig(1);
    rig.session.start();
    DeviceImage blocks = rig.mouse->blocks();
    blocks.sensor[DeviceImage::kSensorOption2Byte] = 0x05;
    rig.mouse->setBlocks(blocks);
    rig.listener.clear();

    rig.mouse->unplug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
    EXPECT_EQ(rig.listener.notices(), (Notices{{15, 0}}));
    EXPECT_EQ(rig.listener.hides(), 1);
    EXPECT_FALSE(rig.session.mousePresent());

    rig.listener.clear();
    rig.pauser.clear();
    rig.mouse->plug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
    EXPECT_TRUE(rig.session.mousePresent());
    EXPECT_EQ(rig.listener.notices(), (Notices{{14, 0}}));
    EXPECT_EQ(rig.session.sensorType(), 1);
    EXPECT_EQ(rig.mouse->blocks().sensor[DeviceImage::kSensorOption2Byte], 0x45);
    EXPECT_EQ(rig.mouse->blocks().sensor[DeviceImage::kSensorTypeByte], 1);
    EXPECT_EQ(rig.pauser.pauses(), (std::vector<unsigned>{5, 5})); // sensor commands make no pause
}

TEST(DeviceSessionTest, RemovalOfAnotherInterfaceReopensAndHandshakes) {
    SimRig rig;
    rig.session.start();
    rig.listener.clear();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
    EXPECT_EQ(rig.listener.notices(), (Notices{{14, 0}}));
    EXPECT_EQ(rig.listener.hides(), 0);
    EXPECT_TRUE(rig.session.mousePresent());
}

TEST(DeviceSessionTest, ChangesOfOtherDevicesChangeNothing) {
    SimRig rig;
    rig.session.start();
    rig.listener.clear();
    rig.mouse->clearExchanges();
    const int opens = rig.backend.opens();
    rig.mouse->unplug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal, 0x046D, 0xC077));
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival, HidLink::kVendorId, 0xA0A0));
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival, 0x1234, HidLink::kProductId));
    EXPECT_TRUE(rig.listener.notices().empty());
    EXPECT_EQ(rig.backend.opens(), opens);
    EXPECT_TRUE(rig.mouse->exchanges().empty());
    EXPECT_TRUE(rig.session.mousePresent());
}

TEST(DeviceSessionTest, ArrivalThatFindsNoUsableMouse) {
    // The arrival is announced but the mouse has gone again before it could be opened.
    SimRig rig;
    rig.session.start();
    rig.listener.clear();
    rig.mouse->unplug();
    rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
    EXPECT_EQ(rig.listener.notices(), (Notices{{15, 0}}));
    EXPECT_EQ(rig.listener.hides(), 1);
    EXPECT_FALSE(rig.session.mousePresent());

    // An unsupported mouse arrives: 15 from the handshake, no sensor block is touched, window stays.
    SimRig other;
    other.mouse->unplug();
    other.session.start();
    other.listener.clear();
    SimFaults faults;
    faults.echoPlainProbe = true;
    other.mouse->setFaults(faults);
    other.mouse->plug();
    const auto before = other.mouse->blocks();
    other.session.handleDeviceChange(changeOf(DeviceChange::Kind::Arrival));
    EXPECT_EQ(other.listener.notices(), (Notices{{15, 0}}));
    EXPECT_EQ(other.listener.hides(), 0);
    EXPECT_EQ(other.mouse->blocks(), before);
    EXPECT_TRUE(other.session.link().inputThread()->suspended());
}

TEST(DeviceSessionTest, UnplugInTheMiddleOfASequenceEndsQuietlyAndTheRemovalMarksAbsent) {
    for (int after = 0; after < 23; ++after) { // the sequence sets 23 packets
        SimRig rig;
        rig.session.start();
        SimFaults faults;
        faults.unplugAfterSets = after;
        rig.mouse->setFaults(faults);
        DeviceCommands& c = rig.session.commands();
        c.ReadLedSets();
        c.ReadColourBlocks();
        c.WriteColourBlocks();
        c.WriteDpiBlock();
        c.WriteKeyMatrices();
        c.WriteMacros();
        EXPECT_FALSE(rig.mouse->plugged());
        // Every index pause of the sequence is still made; a block stops at its first failed report.
        const auto& pauses = rig.pauser.pauses();
        EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 2u), 2 + 3 + 3 + 4 + 10);
        rig.session.handleDeviceChange(changeOf(DeviceChange::Kind::Removal));
        EXPECT_FALSE(rig.session.mousePresent());
        EXPECT_EQ(rig.listener.notices().back(), (std::pair<int, int>{15, 0}));
    }
}

} // namespace
} // namespace vexo::test
