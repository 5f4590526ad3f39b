#pragma once
#include <optional>

#include "platform/hid_backend.h"
#include "platform/linux/report_descriptor.h"

namespace vexo {

// HID collections through hidapi's hidraw backend. hidapi names the nodes and their devices;
// usages and report lengths come from each node's report descriptor, read from sysfs and
// parsed here, because hidapi does not tell report lengths.
class HidapiBackend final : public HidBackend {
public:
    // Initialises hidapi; enumerate() returns an empty list if that failed.
    HidapiBackend();

    std::vector<HidCollectionInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, Access access) override;

    // One entry per top-level collection of one node, in descriptor order. Without a parsed
    // descriptor (unreadable or malformed) the node is listed once with hidapi's usage page and
    // usage and no report lengths, so it is still visible but never taken for the mouse's.
    static std::vector<HidCollectionInfo> collectionsOf(const std::string& path, std::uint16_t vendorId,
                                                        std::uint16_t productId,
                                                        const std::optional<ReportDescriptor>& descriptor,
                                                        std::uint16_t fallbackUsagePage,
                                                        std::uint16_t fallbackUsage);

private:
    bool initialised_ = false;
};

} // namespace vexo
