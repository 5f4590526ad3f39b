// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Feeds arbitrary mouse behaviour to everything that parses what the mouse sends: the handshake
// answer, the answers of the read commands, block input reports and notification reports. The
// collections may announce any report length; the fuzzed device fills whatever span it is given, so a
// length beyond the transport's buffers shows up as a buffer overflow under AddressSanitizer. Every
// call may also fail or move fewer bytes than asked (a short transfer), in which case the read
// commands must report failure and leave the image as it was.
#include <cerrno>
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <algorithm>
#include <memory>
#include <vector>

#include "device/device_session.h"
#include "device/notice_report.h"
#include "sim/recording_pauser.h"
#include "sim/silent_notice_listener.h"
#include "sim/silent_prompter.h"

namespace {

using namespace vexo;

class FuzzedDevice final : public HidDevice {
public:
    explicit FuzzedDevice(FuzzedDataProvider& data) : data_(data) {}
    int setFeature(std::span<const std::uint8_t> report) override {
        touch(report);
        return moved(report.size());
    }
    int getFeature(std::span<std::uint8_t> report) override { return fill(report); }
    int write(std::span<const std::uint8_t> report) override {
        touch(report);
        return moved(report.size());
    }
    int read(std::span<std::uint8_t> report) override { return fill(report); }
    void discardInput() override {}
    void cancelRead() override {}

private:
    // The whole report, a short transfer of any length, or a failure.
    int moved(std::size_t length) {
        switch (data_.ConsumeIntegralInRange(0, 3)) {
        case 0: return -1;
        case 1: return static_cast<int>(data_.ConsumeIntegralInRange<std::size_t>(0, length));
        default: return static_cast<int>(length);
        }
    }
    // Reads every byte handed over, so that a span beyond its buffer is caught.
    void touch(std::span<const std::uint8_t> report) {
        volatile std::uint8_t sink = 0;
        for (std::uint8_t b : report)
            sink = sink ^ b;
    }
    int fill(std::span<std::uint8_t> report) {
        if (data_.ConsumeBool())
            return -1;
        const std::vector<std::uint8_t> bytes = data_.ConsumeBytes<std::uint8_t>(report.size());
        std::copy(bytes.begin(), bytes.end(), report.begin());
        // Whatever the mouse did not send is still written, as a driver may leave anything there.
        for (std::size_t i = bytes.size(); i < report.size(); ++i)
            report[i] = 0xA5;
        return static_cast<int>(bytes.size());
    }
    FuzzedDataProvider& data_;
};

class FuzzedBackend final : public HidBackend {
public:
    explicit FuzzedBackend(FuzzedDataProvider& data) : data_(data) {}
    std::vector<HidCollectionInfo> enumerate() override {
        std::vector<HidCollectionInfo> list;
        const int count = data_.ConsumeIntegralInRange(0, 4);
        for (int i = 0; i < count; ++i) {
            HidCollectionInfo info;
            info.path = "fuzz/" + std::to_string(i);
            info.vendorId = data_.ConsumeBool() ? HidLink::kVendorId : data_.ConsumeIntegral<std::uint16_t>();
            info.productId = HidLink::kProductId;
            const bool command = data_.ConsumeBool();
            info.usagePage = info.usage = command ? HidLink::kCommandUsagePage : HidLink::kNotifyUsagePage;
            info.featureReportLength = data_.ConsumeBool() ? 9 : data_.ConsumeIntegral<std::uint16_t>();
            info.inputReportLength = data_.ConsumeBool() ? 33 : data_.ConsumeIntegral<std::uint16_t>();
            info.outputReportLength = data_.ConsumeBool() ? 33 : data_.ConsumeIntegral<std::uint16_t>();
            list.push_back(info);
        }
        return list;
    }
    std::unique_ptr<HidDevice> open(const std::string&, Access) override {
        failed_ = data_.ConsumeIntegralInRange(0, 15) == 0;
        if (failed_)
            return nullptr;
        return std::make_unique<FuzzedDevice>(data_);
    }
    int lastOpenError() const override { return failed_ ? EACCES : 0; }

private:
    bool failed_ = false;
    FuzzedDataProvider& data_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);

    // Notification reports of any length and content.
    const auto report = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, 80));
    if (const auto notice = NoticeReport::parse(report)) {
        if (notice->kind != 5 && notice->kind != 7 && notice->kind != 8 && notice->kind != 9)
            __builtin_trap();
    }

    FuzzedBackend backend(data);
    RecordingPauser pauser;
    SilentPrompter prompter;
    SilentNoticeListener listener;
    DeviceSession session(backend, pauser, prompter, listener, "fuzz");
    HidLink& link = session.link();
    if (link.OpenMouse() != 1)
        return 0;
    session.transport().PerformHandshake();
    // Also parse the answers scrambled when the handshake did not switch scrambling on.
    if (data.ConsumeBool()) {
        link.scramblingOn = 1;
        link.handshakeKey = installedHandshakeKey();
    }
    DeviceCommands& commands = session.commands();
    DeviceImage& image = session.image();
    // A read that reports failure must have left the image untouched: nothing of a failed or
    // mismatched answer may reach what is written back to the mouse.
    auto unchangedOnFailure = [&](auto read) {
        const DeviceImage before = image;
        if (!read() && !(image == before))
            __builtin_trap();
    };
    while (data.remaining_bytes() > 0) {
        switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0: unchangedOnFailure([&] { return commands.ReadSensorBlock(); }); break;
        case 1: unchangedOnFailure([&] { return commands.ReadLightingBlock(); }); break;
        case 2: commands.ReadLedSets(); break;
        case 3: commands.ReadColourBlocks(); break;
        case 7: {
            // The sensor block goes back (a third call) only when its read came whole.
            const DeviceImage before = image;
            const std::size_t failedBefore = session.transport().failedCallCount();
            const std::size_t callsBefore = session.transport().callCount();
            session.connectSensorBlock();
            const std::size_t calls = session.transport().callCount() - callsBefore;
            const bool readFailed = session.transport().failedCallCount() - failedBefore > (calls == 3 ? 1u : 0u);
            if (calls == 3 && readFailed)
                __builtin_trap();
            if (calls == 2 && !(image == before))
                __builtin_trap();
            break;
        }
        case 4: {
            // A block read into a buffer of any size.
            std::vector<std::uint8_t> buffer(data.ConsumeIntegralInRange<std::size_t>(0, 200));
            CommandPacket packet(0x90, data.ConsumeIntegral<std::uint8_t>());
            session.transport().TransferBlock(packet, buffer);
            break;
        }
        case 5: {
            std::vector<std::uint8_t> buffer(data.ConsumeIntegralInRange<std::size_t>(0, 200));
            CommandPacket packet(0x13, 1, data.ConsumeIntegral<std::uint8_t>());
            session.transport().TransferBlock(packet, buffer);
            break;
        }
        case 6: commands.WriteMacros(); break;
        }
    }
    return 0;
}
