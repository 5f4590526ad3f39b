#include "platform/linux/hidapi_backend.h"

#include <hidapi/hidapi.h>
#include <set>

#include "platform/linux/hidapi_device.h"
#include "platform/linux/hidraw_descriptor.h"

namespace vexo {

HidapiBackend::HidapiBackend() : initialised_(hid_init() == 0) {}

std::vector<HidCollectionInfo> HidapiBackend::collectionsOf(const std::string& path, std::uint16_t vendorId,
                                                            std::uint16_t productId,
                                                            const std::optional<ReportDescriptor>& descriptor,
                                                            std::uint16_t fallbackUsagePage,
                                                            std::uint16_t fallbackUsage) {
    std::vector<HidCollectionInfo> result;
    if (!descriptor || descriptor->collections.empty()) {
        result.push_back({path, vendorId, productId, fallbackUsagePage, fallbackUsage, 0, 0, 0});
        return result;
    }
    for (const auto& c : descriptor->collections)
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
        std::optional<ReportDescriptor> descriptor;
        if (const auto raw = readHidrawDescriptor(std::string(d->path)))
            descriptor = ReportDescriptor::parse(*raw);
        auto entries = collectionsOf(d->path, d->vendor_id, d->product_id, descriptor, d->usage_page, d->usage);
        result.insert(result.end(), entries.begin(), entries.end());
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path, Access access) {
    if (!initialised_)
        return nullptr;
    return HidapiDevice::open(path, access == Access::Read);
}

} // namespace vexo
