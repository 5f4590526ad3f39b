#pragma once
#include <memory>
#include <string>

#include "platform/hid_device.h"
#include "platform/linux/cancellable_fd_reader.h"

struct hid_device_;

namespace vexo {

// One opened hidraw node. Feature reports and output reports go through hidapi; input
// reports are read directly from a second descriptor of the node, so that a blocked read
// can be cancelled at once (hidapi offers only time-outs, which would mean periodic wake-ups).
//
// Buffers start with the report ID byte as the interface prescribes. The kernel hands input
// reports of a device without report IDs over bare; read() then stores 0 in byte 0, the data
// behind it, and counts the ID byte, so callers see the same layout either way.
//
// On a node opened for writing (the command collection) a read answers a request the caller just
// made, so it gives up after kReplyReadTimeoutMs and returns -1: a device that never sends its
// reports must not hang the caller. Read-only nodes (notifications) wait without limit.
class HidapiDevice final : public HidDevice {
public:
    // Opens the node; nullptr when it cannot be opened. With readOnly the hidapi handle is not
    // opened, and setFeature, getFeature and write fail.
    static std::unique_ptr<HidapiDevice> open(const std::string& path, bool readOnly);
    // A read-only device over an already open descriptor of a node (or anything that delivers
    // one report per read(2)); takes ownership of fd.
    static std::unique_ptr<HidapiDevice> readOnlyOver(int fd, bool usesReportIds);
    static constexpr int kReplyReadTimeoutMs = 1000;
    ~HidapiDevice() override;

    int setFeature(std::span<const std::uint8_t> report) override;
    int getFeature(std::span<std::uint8_t> report) override;
    int write(std::span<const std::uint8_t> report) override;
    int read(std::span<std::uint8_t> report) override;
    void discardInput() override;
    void cancelRead() override;

private:
    HidapiDevice(hid_device_* handle, int readFd, bool usesReportIds);

    hid_device_* handle_;
    CancellableFdReader reader_;
    bool usesReportIds_;
    int readTimeoutMs_;
};

} // namespace vexo
