#pragma once
#include <optional>
#include <string>

#include "platform/hid_backend.h"
#include <cstdint>
#include <vector>

namespace vexo {

// HID collections through hidapi's hidraw backend. hidapi names the nodes and their devices;
// usages and report lengths come from each node's report descriptor, read from sysfs and
// parsed here, because hidapi does not tell report lengths.
class HidapiBackend final : public HidBackend {
public:
    // Initialises hidapi; enumerate() returns an empty list if that failed.
    HidapiBackend();

    // Every collection of every listed node; a node that has gone by the time its descriptor is
    // read (its mouse being unplugged) is left out.
    std::vector<HidCollectionInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, Access access) override;
    int lastOpenError() const override { return lastOpenError_; }

    // One entry per top-level collection of one node, in descriptor order, from its raw report
    // descriptor. When the descriptor could not be read (nothing given) or parsed, the node is
    // listed once with hidapi's usage page and usage, no report lengths and the failure set, so
    // the caller can tell the user instead of passing over the device in silence.
    static std::vector<HidCollectionInfo> collectionsOf(const std::string& path, std::uint16_t vendorId,
                                                        std::uint16_t productId,
                                                        const std::optional<std::vector<std::uint8_t>>& descriptor,
                                                        std::uint16_t fallbackUsagePage,
                                                        std::uint16_t fallbackUsage);

private:
    int lastOpenError_ = 0;
    bool initialised_ = false;
};

} // namespace vexo
