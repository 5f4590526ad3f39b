#include "platform/linux/hid_ids.h"
#include "platform/linux/hidapi_backend.h"
#include "platform/linux/hidraw_descriptor.h"
#include "platform/linux/linux_platform.h"

#include <gtest/gtest.h>

namespace vexo {
namespace {

TEST(HidIdsTest, HidIdPropertyGivesVendorAndProduct) {
    const auto ids = HidIds::fromHidIdProperty("0003:000004D9:0000A09F");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendorId, 0x04D9);
    EXPECT_EQ(ids->productId, 0xA09F);
    EXPECT_TRUE(HidIds::fromHidIdProperty("0005:0000046d:0000b01a")); // Bluetooth, lower case

    for (const char* bad : {"", "0003:04D9", "0003:000004D9:0000A09F:1", "0003:0001FFFF:0000A09F",
                            "0003:000004D9:", "0003:0000XYZ9:0000A09F", "0003:000004D9:0000A09F "})
        EXPECT_FALSE(HidIds::fromHidIdProperty(bad)) << bad;
}

TEST(HidIdsTest, DevicePathOfAHidrawNodeNamesItsDevice) {
    const auto ids = HidIds::fromHidrawDevpath(
        "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:04D9:A09F.0007/hidraw/hidraw3");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendorId, 0x04D9);
    EXPECT_EQ(ids->productId, 0xA09F);
    // Virtual devices sit directly under /devices/virtual/misc/uhid.
    const auto uhid = HidIds::fromHidrawDevpath("/devices/virtual/misc/uhid/0003:04D9:A09F.000A/hidraw/hidraw0");
    ASSERT_TRUE(uhid);
    EXPECT_EQ(uhid->productId, 0xA09F);

    for (const char* bad : {"", "/devices/virtual/misc/uhid/hidraw0", "/hidraw/hidraw0",
                            "/devices/x/0003:04D9:A09F/hidraw/hidraw1", "/devices/x/0003:04D9.0001/hidraw/hidraw1",
                            "/devices/x/0003:04D9:A09F.0001/input/input5"})
        EXPECT_FALSE(HidIds::fromHidrawDevpath(bad)) << bad;
}

TEST(HidapiBackendTest, EachTopLevelCollectionBecomesOneEntryOfItsNode) {
    ReportDescriptor descriptor;
    descriptor.collections.push_back({0xFF00, 0xFF00, 9, 33, 33});
    descriptor.collections.push_back({0x0001, 0x0002, 0, 6, 0});
    const auto entries = HidapiBackend::collectionsOf("/dev/hidraw4", 0x04D9, 0xA09F, descriptor, 0x12, 0x34);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].path, "/dev/hidraw4");
    EXPECT_EQ(entries[0].vendorId, 0x04D9);
    EXPECT_EQ(entries[0].productId, 0xA09F);
    EXPECT_EQ(entries[0].usagePage, 0xFF00);
    EXPECT_EQ(entries[0].featureReportLength, 9);
    EXPECT_EQ(entries[0].inputReportLength, 33);
    EXPECT_EQ(entries[0].outputReportLength, 33);
    EXPECT_EQ(entries[1].usage, 0x0002);
    EXPECT_EQ(entries[1].inputReportLength, 6);

    // A node whose descriptor could not be read or parsed keeps hidapi's usages but claims
    // no reports, so it can never pass for the mouse's command collection.
    const auto unknown = HidapiBackend::collectionsOf("/dev/hidraw5", 1, 2, std::nullopt, 0xFF00, 0xFF00);
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(unknown[0].usagePage, 0xFF00);
    EXPECT_EQ(unknown[0].featureReportLength, 0);
    EXPECT_EQ(unknown[0].inputReportLength, 0);
}

TEST(HidapiBackendTest, SysfsPathOnlyForHidrawNodesAndMissingNodesDoNotOpen) {
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw12"), "/sys/class/hidraw/hidraw12/device/report_descriptor");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw"), "");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw1/../../etc/passwd"), "");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/sda"), "");

    auto backend = makeHidBackend();
    ASSERT_TRUE(backend);
    EXPECT_EQ(backend->open("/dev/hidraw-that-does-not-exist", HidBackend::Access::ReadWrite), nullptr);
    EXPECT_EQ(backend->open("/dev/hidraw-that-does-not-exist", HidBackend::Access::Read), nullptr);
    EXPECT_FALSE(readHidrawDescriptor(std::string("/dev/hidraw-that-does-not-exist")));
    // Every entry enumeration gives carries a path; on a machine without HID devices the list
    // is empty, not an error.
    for (const auto& entry : backend->enumerate())
        EXPECT_FALSE(entry.path.empty());
}

TEST(UdevDeviceMonitorTest, GivesAPollableDescriptorOnlyAfterStartAndNeverBlocks) {
    auto monitor = makeDeviceMonitor();
    ASSERT_TRUE(monitor);
    EXPECT_EQ(monitor->pollFd(), -1);
    EXPECT_TRUE(monitor->takeChanges().empty());
    if (!monitor->start())
        GTEST_SKIP() << "this machine offers no udev monitor";
    EXPECT_GE(monitor->pollFd(), 0);
    EXPECT_TRUE(monitor->start()) << "a second start keeps the running monitor";
    // No hidraw node comes or goes here: draining returns at once with nothing.
    EXPECT_TRUE(monitor->takeChanges().empty());
}

} // namespace
} // namespace vexo
