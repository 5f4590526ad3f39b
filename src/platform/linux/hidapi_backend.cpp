#include "platform/linux/hidapi_backend.h"

#include <cerrno>

#include <hidapi/hidapi.h>
#include <set>

#include "platform/linux/hidraw_device.h"
#include "platform/linux/hidraw_descriptor.h"
#include "platform/linux/report_descriptor.h"

namespace vexo {

HidapiBackend::HidapiBackend() : initialised_(hid_init() == 0) {}

std::vector<HidCollectionInfo> HidapiBackend::collectionsOf(const std::string& path, std::uint16_t vendorId,
                                                            std::uint16_t productId,
                                                            const std::optional<std::vector<std::uint8_t>>& descriptor,
                                                            std::uint16_t fallbackUsagePage,
                                                            std::uint16_t fallbackUsage) {
    std::vector<HidCollectionInfo> result;
    const auto parsed = descriptor ? ReportDescriptor::parse(*descriptor) : std::nullopt;
    if (!parsed || parsed->collections.empty()) {
        HidCollectionInfo unknown{path, vendorId, productId, fallbackUsagePage, fallbackUsage, 0, 0, 0};
        unknown.failure = !descriptor ? HidCollectionInfo::Failure::Descriptor : HidCollectionInfo::Failure::Capabilities;
        result.push_back(std::move(unknown));
        return result;
    }
    for (const auto& c : parsed->collections)
        result.push_back({path, vendorId, productId, c.usagePage, c.usage, c.featureReportLength,
                          c.inputReportLength, c.outputReportLength});
    return result;
}

std::vector<HidCollectionInfo> HidapiBackend::enumerate() {
    std::vector<HidCollectionInfo> result;
    if (!initialised_)
        return result;
    hid_device_info* list = hid_enumerate(0, 0);
    // hidapi may list one node once per top-level collection; the descriptor already tells
    // every collection, so each node is described once.
    std::set<std::string> seen;
    for (const hid_device_info* d = list; d != nullptr; d = d->next) {
        if (d->path == nullptr || !seen.insert(d->path).second)
            continue;
        const std::string path(d->path);
        auto descriptor = readHidrawDescriptor(path);
        // A node that went after the listing belongs to a mouse being unplugged, not to one whose
        // descriptor cannot be read: it is left out instead of being reported as broken.
        if (!descriptor && hidrawNodeGone(path))
            continue;
        auto entries = collectionsOf(path, d->vendor_id, d->product_id, descriptor, d->usage_page, d->usage);
        result.insert(result.end(), entries.begin(), entries.end());
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path, Access access) {
    if (!initialised_) {
        lastOpenError_ = ENODEV;
        return nullptr;
    }
    errno = 0;
    auto device = HidrawDevice::open(path, access == Access::Read);
    // The node's open(2) sets errno; anything else that failed on the way counts as an I/O error.
    lastOpenError_ = device ? 0 : errno != 0 ? errno : EIO;
    return device;
}

} // namespace vexo
