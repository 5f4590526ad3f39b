// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/hidraw_backend.h"

#include <cerrno>
#include <libudev.h>
#include <memory>
#include <set>
#include <string_view>

#include "platform/linux/hid_ids.h"
#include "platform/linux/hidraw_descriptor.h"
#include "platform/linux/hidraw_device.h"
#include "platform/linux/report_descriptor.h"

namespace vexo {
namespace {

// The value of KEY in a uevent file ("KEY=value" lines); nothing when absent.
std::optional<std::string_view> ueventValue(std::string_view uevent, std::string_view key) {
    while (!uevent.empty()) {
        const auto end = uevent.find('\n');
        const std::string_view line = uevent.substr(0, end);
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=')
            return line.substr(key.size() + 1);
        if (end == std::string_view::npos)
            break;
        uevent.remove_prefix(end + 1);
    }
    return std::nullopt;
}

struct UdevUnref {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
};

} // namespace

HidrawBackend::HidrawBackend() : HidrawBackend("/sys", "/dev", &HidrawBackend::udevHidrawNames) {}

HidrawBackend::HidrawBackend(std::string sysfsRoot, std::string devRoot, NodeLister lister)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)), lister_(std::move(lister)) {}

std::vector<std::string> HidrawBackend::udevHidrawNames() {
    std::vector<std::string> names;
    std::unique_ptr<udev, UdevUnref> context(udev_new());
    if (!context)
        return names;
    std::unique_ptr<udev_enumerate, UdevUnref> listing(udev_enumerate_new(context.get()));
    if (!listing || udev_enumerate_add_match_subsystem(listing.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(listing.get()) < 0)
        return names;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(listing.get())) {
        // Only the name is taken from the listing; everything else is read afterwards and may be
        // gone by then.
        const char* syspath = udev_list_entry_get_name(entry);
        if (syspath == nullptr)
            continue;
        const std::string_view path(syspath);
        names.emplace_back(path.substr(path.rfind('/') + 1));
    }
    return names;
}

std::vector<HidCollectionInfo> HidrawBackend::collectionsOf(const std::string& path, std::uint16_t vendorId,
                                                            std::uint16_t productId,
                                                            const std::vector<std::uint8_t>& descriptor) {
    std::vector<HidCollectionInfo> result;
    const auto parsed = ReportDescriptor::parse(descriptor);
    if (!parsed || parsed->collections.empty()) {
        HidCollectionInfo unknown{path, vendorId, productId, 0, 0, 0, 0, 0};
        unknown.failure = HidCollectionInfo::Failure::Capabilities;
        result.push_back(std::move(unknown));
        return result;
    }
    for (const auto& c : parsed->collections)
        result.push_back({path, vendorId, productId, c.usagePage, c.usage, c.featureReportLength, c.inputReportLength,
                          c.outputReportLength});
    return result;
}

std::vector<HidCollectionInfo> HidrawBackend::enumerate() {
    std::vector<HidCollectionInfo> result;
    std::set<std::string> seen;
    for (const std::string& name : lister_ ? lister_() : std::vector<std::string>{}) {
        const std::string devnode = devRoot_ + "/" + name;
        // hidrawSysfsDescriptorPath also refuses names that are no hidraw node ("..", "hidraw1/x").
        const std::string descriptorPath = hidrawSysfsDescriptorPath(devnode, sysfsRoot_);
        if (descriptorPath.empty() || !seen.insert(name).second)
            continue;
        const std::string deviceDir = descriptorPath.substr(0, descriptorPath.rfind('/') + 1);
        // The HID parent's uevent names vendor and product. Missing, unreadable or without a valid
        // HID_ID: the parent is being removed.
        const auto uevent = readSysfsFile(deviceDir + "uevent");
        if (!uevent)
            continue;
        const auto hidId =
            ueventValue(std::string_view(reinterpret_cast<const char*>(uevent->data()), uevent->size()), "HID_ID");
        const auto ids = hidId ? HidIds::fromHidIdProperty(*hidId) : std::nullopt;
        if (!ids)
            continue;
        const auto descriptor = readHidrawDescriptor(devnode, sysfsRoot_);
        if (!descriptor)
            continue;
        auto entries = collectionsOf(devnode, ids->vendorId, ids->productId, *descriptor);
        result.insert(result.end(), entries.begin(), entries.end());
    }
    return result;
}

std::unique_ptr<HidDevice> HidrawBackend::open(const std::string& path, Access access) {
    errno = 0;
    auto device = HidrawDevice::open(path, access == Access::Read);
    // The node's open(2) sets errno; anything else that failed on the way counts as an I/O error.
    lastOpenError_ = device ? 0 : errno != 0 ? errno : EIO;
    return device;
}

} // namespace vexo
