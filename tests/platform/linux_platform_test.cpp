// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/hid_ids.h"
#include "platform/linux/hidraw_backend.h"
#include "platform/linux/hidraw_descriptor.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/udev_device_monitor.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <unistd.h>

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

    for (const char* bad :
         {"", "/devices/virtual/misc/uhid/hidraw0", "/hidraw/hidraw0", "/devices/x/0003:04D9:A09F/hidraw/hidraw1",
          "/devices/x/0003:04D9.0001/hidraw/hidraw1", "/devices/x/0003:04D9:A09F.0001/input/input5"})
        EXPECT_FALSE(HidIds::fromHidrawDevpath(bad)) << bad;
}

TEST(HidrawBackendTest, EachTopLevelCollectionBecomesOneEntryOfItsNode) {
    // A vendor collection without IDs (8-byte feature, 32-byte input and output reports) and a
    // boot mouse of 3 bytes, in one descriptor.
    const std::vector<std::uint8_t> descriptor = {
        0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x08, 0xB1, 0x02, 0x95, 0x20, 0x81,
        0x02, 0x91, 0x02, 0xC0, 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0xC0,
    };
    const auto entries = HidrawBackend::collectionsOf("/dev/hidraw4", 0x04D9, 0xA09F, descriptor);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].path, "/dev/hidraw4");
    EXPECT_EQ(entries[0].vendorId, 0x04D9);
    EXPECT_EQ(entries[0].productId, 0xA09F);
    EXPECT_EQ(entries[0].usagePage, 0xFF00);
    EXPECT_EQ(entries[0].usage, 0xFF00);
    EXPECT_EQ(entries[0].featureReportLength, 9);
    EXPECT_EQ(entries[0].inputReportLength, 33);
    EXPECT_EQ(entries[0].outputReportLength, 33);
    EXPECT_EQ(entries[0].failure, HidCollectionInfo::Failure::None);
    EXPECT_EQ(entries[1].path, "/dev/hidraw4");
    EXPECT_EQ(entries[1].usagePage, 0x01);
    EXPECT_EQ(entries[1].usage, 0x02);
    EXPECT_EQ(entries[1].inputReportLength, 4);
    EXPECT_EQ(entries[1].featureReportLength, 0);
}

TEST(HidrawBackendTest, NodesWhoseDescriptorDoesNotParseAreListedWithTheirFailure) {
    // Claims no usages and no reports, and says why.
    const std::vector<std::uint8_t> truncated = {0x06, 0x00, 0xFF, 0x0A, 0x00};
    const auto malformed = HidrawBackend::collectionsOf("/dev/hidraw5", 1, 2, truncated);
    ASSERT_EQ(malformed.size(), 1u);
    EXPECT_EQ(malformed[0].path, "/dev/hidraw5");
    EXPECT_EQ(malformed[0].usagePage, 0);
    EXPECT_EQ(malformed[0].featureReportLength, 0);
    EXPECT_EQ(malformed[0].outputReportLength, 0);
    EXPECT_EQ(malformed[0].failure, HidCollectionInfo::Failure::Capabilities);
}

// A sysfs tree under a temporary folder, laid out as the kernel lays out hidraw nodes.
class FakeSysfs {
public:
    FakeSysfs() {
        char dir[] = "/tmp/vexo-fake-sysfs-XXXXXX";
        root_ = ::mkdtemp(dir);
        std::filesystem::create_directories(root_ + "/class/hidraw");
        std::filesystem::create_directories(root_ + "/dev");
    }
    ~FakeSysfs() { std::filesystem::remove_all(root_); }
    const std::string& root() const { return root_; }
    std::string dev() const { return root_ + "/dev"; }
    // The device folder of node NAME, made on the way.
    std::string device(const std::string& name) const {
        const std::string path = root_ + "/class/hidraw/" + name + "/device";
        std::filesystem::create_directories(path);
        return path;
    }
    void write(const std::string& path, const std::string& text) const {
        std::ofstream(path, std::ios::binary) << text;
    }
    // A plain mouse: HID_ID of 04D9:A09F and a one-collection descriptor.
    void addMouseNode(const std::string& name) const {
        write(device(name) + "/uevent", "DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A09F\nHID_NAME=mouse\n");
        write(device(name) + "/report_descriptor", std::string(kDescriptor.begin(), kDescriptor.end()));
    }
    // Every node of the tree by name, sorted as libudev sorts them.
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(root_ + "/class/hidraw"))
            result.push_back(entry.path().filename().string());
        std::sort(result.begin(), result.end());
        return result;
    }

    // A vendor collection with an 8-byte feature report and 32-byte input and output reports.
    static constexpr std::array<char, 21> kDescriptor = {
        0x06, 0x00,       char(0xFF), 0x0A,       0x00, char(0xFF), char(0xA1), 0x01,       0x75, 0x08,      char(0x95),
        0x08, char(0xB1), 0x02,       char(0x95), 0x20, char(0x81), 0x02,       char(0x91), 0x02, char(0xC0)};

private:
    std::string root_;
};

// Enumeration during an unplug meets sysfs entries half gone. Each is a node that is leaving, left
// out without an error; the nodes around it are listed in full.
TEST(HidrawBackendTest, EntriesHalfGoneFromSysfsAreLeftOutAndTheRestListed) {
    FakeSysfs sysfs;
    sysfs.addMouseNode("hidraw0");
    // The parent's uevent went first (libudev then gives NULL for it).
    sysfs.write(sysfs.device("hidraw1") + "/report_descriptor",
                std::string(FakeSysfs::kDescriptor.begin(), FakeSysfs::kDescriptor.end()));
    // The descriptor's read fails (here EISDIR, during an unplug ENODEV).
    sysfs.write(sysfs.device("hidraw2") + "/uevent", "HID_ID=0003:000004D9:0000A09F\n");
    std::filesystem::create_directories(sysfs.device("hidraw2") + "/report_descriptor");
    // Gone between the listing and the reading.
    sysfs.addMouseNode("hidraw3");
    // A uevent without a usable HID_ID, and an empty descriptor with no node to ask instead.
    sysfs.write(sysfs.device("hidraw4") + "/uevent", "HID_ID=0003:000004D9\n");
    sysfs.write(sysfs.device("hidraw4") + "/report_descriptor",
                std::string(FakeSysfs::kDescriptor.begin(), FakeSysfs::kDescriptor.end()));
    sysfs.write(sysfs.device("hidraw5") + "/uevent", "HID_ID=0003:000004D9:0000A09F\n");
    sysfs.write(sysfs.device("hidraw5") + "/report_descriptor", "");
    // Still there, but its descriptor does not parse: listed with its failure.
    sysfs.write(sysfs.device("hidraw6") + "/uevent", "HID_ID=0003:0000046D:0000C077");
    sysfs.write(sysfs.device("hidraw6") + "/report_descriptor", std::string("\x06\x00\xFF\x0A", 4));
    sysfs.addMouseNode("hidraw7");

    int listings = 0;
    HidrawBackend backend(sysfs.root(), sysfs.dev(), [&] {
        ++listings;
        auto names = sysfs.names();
        std::filesystem::remove_all(sysfs.root() + "/class/hidraw/hidraw3");
        names.push_back("hidraw0"); // a listing that names a node twice
        names.push_back(".."); // and a name that is no hidraw node
        return names;
    });
    const auto entries = backend.enumerate();
    EXPECT_EQ(listings, 1);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].path, sysfs.dev() + "/hidraw0");
    EXPECT_EQ(entries[0].vendorId, 0x04D9);
    EXPECT_EQ(entries[0].productId, 0xA09F);
    EXPECT_EQ(entries[0].usagePage, 0xFF00);
    EXPECT_EQ(entries[0].featureReportLength, 9);
    EXPECT_EQ(entries[0].inputReportLength, 33);
    EXPECT_EQ(entries[0].failure, HidCollectionInfo::Failure::None);
    EXPECT_EQ(entries[1].path, sysfs.dev() + "/hidraw6");
    EXPECT_EQ(entries[1].vendorId, 0x046D);
    EXPECT_EQ(entries[1].failure, HidCollectionInfo::Failure::Capabilities);
    EXPECT_EQ(entries[2].path, sysfs.dev() + "/hidraw7");
    EXPECT_EQ(entries[2].outputReportLength, 33);

    // A descriptor whose read fails is no descriptor, not an exception.
    EXPECT_NO_THROW(EXPECT_FALSE(readHidrawDescriptor(sysfs.dev() + "/hidraw2", sysfs.root())));
    EXPECT_FALSE(readSysfsFile(sysfs.device("hidraw2") + "/report_descriptor"));
    EXPECT_FALSE(readSysfsFile(sysfs.root() + "/class/hidraw/hidraw3/device/uevent"));
    const auto bytes = readHidrawDescriptor(sysfs.dev() + "/hidraw7", sysfs.root());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), FakeSysfs::kDescriptor.size());

    // Everything gone at once: an empty list.
    std::filesystem::remove_all(sysfs.root() + "/class/hidraw");
    std::filesystem::create_directories(sysfs.root() + "/class/hidraw");
    EXPECT_TRUE(backend.enumerate().empty());
}

TEST(HidrawBackendTest, SysfsPathOnlyForHidrawNodesAndMissingNodesDoNotOpen) {
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw12"), "/sys/class/hidraw/hidraw12/device/report_descriptor");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw"), "");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw1/../../etc/passwd"), "");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/sda"), "");
    EXPECT_EQ(hidrawSysfsDescriptorPath("/dev/hidraw2", "/tmp/fake"),
              "/tmp/fake/class/hidraw/hidraw2/device/report_descriptor");

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

// A node that opens but does not answer as hidraw is what a mouse unplugged between the open and
// the first request looks like (ENODEV there, ENOTTY here). The open fails with the reason, closes
// what it opened, and touches nothing it freed (the sanitizer build watches that).
TEST(HidrawBackendTest, NodesThatOpenButAreNotHidrawAreRefusedWithTheirReason) {
    auto backend = makeHidBackend();
    ASSERT_TRUE(backend);
    char file[] = "/tmp/vexo-not-hidraw-XXXXXX";
    const int scratch = ::mkstemp(file);
    ASSERT_GE(scratch, 0);
    ::close(scratch);
    const auto openDescriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto before = openDescriptors();
    for (const char* path : {"/dev/null", static_cast<const char*>(file)}) {
        for (const auto access : {HidBackend::Access::ReadWrite, HidBackend::Access::Read}) {
            for (int i = 0; i < 50; ++i) {
                EXPECT_EQ(backend->open(path, access), nullptr) << path;
                EXPECT_EQ(backend->lastOpenError(), ENOTTY) << path;
            }
        }
    }
    EXPECT_EQ(openDescriptors(), before);

    ::unlink(file);
    EXPECT_EQ(openDescriptors(), before);
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

TEST(UdevDeviceMonitorTest, UdevEventsBecomeArrivalsAndRemovalsWithTheirDevice) {
    const char* devpath = "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:04D9:A09F.0009/hidraw/hidraw5";
    const auto arrival = UdevDeviceMonitor::changeOf("add", "/dev/hidraw5", "0003:000004D9:0000A09F", devpath);
    ASSERT_TRUE(arrival);
    EXPECT_EQ(arrival->kind, DeviceChange::Kind::Arrival);
    EXPECT_EQ(arrival->path, "/dev/hidraw5");
    EXPECT_EQ(arrival->vendorId, 0x04D9);
    EXPECT_EQ(arrival->productId, 0xA09F);

    // On removal the parent is usually gone: the device path still names the device.
    const auto removal = UdevDeviceMonitor::changeOf("remove", "/dev/hidraw5", nullptr, devpath);
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->kind, DeviceChange::Kind::Removal);
    EXPECT_EQ(removal->vendorId, 0x04D9);
    EXPECT_EQ(removal->productId, 0xA09F);

    // A parent's malformed HID_ID does not hide what the path tells.
    EXPECT_EQ(UdevDeviceMonitor::changeOf("add", "/dev/hidraw5", "garbage", devpath)->productId, 0xA09F);
    // Nothing tells the device: still reported, as an unknown one the link passes over.
    const auto unknown = UdevDeviceMonitor::changeOf("add", "/dev/hidraw6", nullptr, "/devices/virtual/x");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->vendorId, 0);
    EXPECT_EQ(unknown->productId, 0);

    EXPECT_FALSE(UdevDeviceMonitor::changeOf("change", "/dev/hidraw5", nullptr, devpath));
    EXPECT_FALSE(UdevDeviceMonitor::changeOf("bind", "/dev/hidraw5", nullptr, devpath));
    EXPECT_FALSE(UdevDeviceMonitor::changeOf(nullptr, "/dev/hidraw5", nullptr, devpath));
    EXPECT_FALSE(UdevDeviceMonitor::changeOf("add", nullptr, nullptr, devpath));
}

} // namespace
} // namespace vexo
