// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Our own cost per command over the transport: against the simulated mouse (firmware model included)
// and against a device that does nothing (the transport alone). Pauses are recorded, not slept.
#include <benchmark/benchmark.h>

#include <array>

#include "device/device_session.h"
#include "device/notice_report.h"
#include "sim/recording_pauser.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_hid_device.h"
#include "sim/sim_mouse.h"
#include "sim/silent_notice_listener.h"
#include "sim/silent_prompter.h"

namespace {

using namespace vexo;

// Answers every call at once with nothing, so only the transport's own work is measured.
class NullDevice final : public HidDevice {
public:
    int setFeature(std::span<const std::uint8_t> report) override { return static_cast<int>(report.size()); }
    int getFeature(std::span<std::uint8_t> report) override { return static_cast<int>(report.size()); }
    int write(std::span<const std::uint8_t> report) override { return static_cast<int>(report.size()); }
    int read(std::span<std::uint8_t> report) override { return static_cast<int>(report.size()); }
    void discardInput() override {}
    void cancelRead() override {}
};

class NullBackend final : public HidBackend {
public:
    std::vector<HidCollectionInfo> enumerate() override {
        HidCollectionInfo info;
        info.path = "null";
        info.vendorId = HidLink::kVendorId;
        info.productId = HidLink::kProductId;
        info.usagePage = info.usage = HidLink::kCommandUsagePage;
        info.featureReportLength = 9;
        info.inputReportLength = info.outputReportLength = 33;
        return {info};
    }
    std::unique_ptr<HidDevice> open(const std::string&, Access) override { return std::make_unique<NullDevice>(); }
    int lastOpenError() const override { return 0; }
};

// A connected session, scrambling on, over the simulated mouse or the null device.
struct Rig {
    explicit Rig(bool simulated) {
        if (simulated) {
            mouse = std::make_shared<SimMouse>();
            mouse->setRecording(false);
            backend = std::make_unique<SimHidBackend>(mouse);
        } else {
            backend = std::make_unique<NullBackend>();
        }
        session = std::make_unique<DeviceSession>(*backend, pauser, prompter, listener, "bench");
        session->link().OpenMouse();
        session->transport().PerformHandshake();
        session->link().scramblingOn = 1; // the null device does not answer the probe
        session->link().handshakeKey = installedHandshakeKey();
    }
    std::shared_ptr<SimMouse> mouse;
    std::unique_ptr<HidBackend> backend;
    RecordingPauser pauser;
    SilentPrompter prompter;
    SilentNoticeListener listener;
    std::unique_ptr<DeviceSession> session;
};

void BM_SendCommandWrite(benchmark::State& state) {
    Rig rig(state.range(0) != 0);
    for (auto _ : state) {
        CommandPacket packet(0x01, 4);
        benchmark::DoNotOptimize(rig.session->transport().SendCommand(packet));
    }
}
BENCHMARK(BM_SendCommandWrite)->ArgName("sim")->Arg(1)->Arg(0);

void BM_SendCommandRead(benchmark::State& state) {
    Rig rig(state.range(0) != 0);
    for (auto _ : state) {
        CommandPacket packet(0x83);
        rig.session->transport().SendCommand(packet);
        benchmark::DoNotOptimize(packet);
    }
}
BENCHMARK(BM_SendCommandRead)->ArgName("sim")->Arg(1)->Arg(0);

void BM_TransferBlockWrite128(benchmark::State& state) {
    Rig rig(state.range(0) != 0);
    std::array<std::uint8_t, 128> block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i);
    std::size_t n = 0;
    for (auto _ : state) {
        CommandPacket packet(0x13, 1, 128);
        rig.session->transport().TransferBlock(packet, block);
        if (++n % 4096 == 0)
            rig.pauser.clear(); // keeps the record of pauses small
    }
    state.counters["pauses_ms_per_block"] = 12;
}
BENCHMARK(BM_TransferBlockWrite128)->ArgName("sim")->Arg(1)->Arg(0);

void BM_TransferBlockRead(benchmark::State& state) {
    Rig rig(state.range(0) != 0);
    std::array<std::uint8_t, 128> buffer{};
    for (auto _ : state) {
        CommandPacket packet(0x90, 1);
        rig.session->transport().TransferBlock(packet, buffer);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_TransferBlockRead)->ArgName("sim")->Arg(1)->Arg(0);

// How long handing the input thread a new device takes while it is blocked reading the old one:
// the cancel, the thread leaving the read, the acknowledgement and the next read starting.
void BM_InputThreadHandOver(benchmark::State& state) {
    auto mouse = std::make_shared<SimMouse>();
    SimHidDevice first(mouse, SimMouse::Collection::Notify, HidBackend::Access::Read);
    SimHidDevice second(mouse, SimMouse::Collection::Notify, HidBackend::Access::Read);
    std::atomic<int> present{1};
    InputThread thread(present, [](std::uint8_t, std::uint8_t) {});
    thread.resume();
    bool useFirst = true;
    for (auto _ : state) {
        thread.setDevice(useFirst ? &first : &second, 9);
        useFirst = !useFirst;
    }
    thread.stop();
}
BENCHMARK(BM_InputThreadHandOver)->UseRealTime();

void BM_ScrambleUnscramble(benchmark::State& state) {
    std::array<std::uint8_t, 8> packet{0x83, 1, 2, 3, 4, 5, 6, 7};
    const HandshakeKeyBlock key = installedHandshakeKey();
    for (auto _ : state) {
        ScramblePacket(packet, key);
        UnscramblePacket(packet, key);
        benchmark::DoNotOptimize(packet);
    }
}
BENCHMARK(BM_ScrambleUnscramble);

void BM_NoticeParse(benchmark::State& state) {
    const std::array<std::uint8_t, 9> report{6, 7, 0, 3, 0, 0, 0, 0, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(NoticeReport::parse(report));
}
BENCHMARK(BM_NoticeParse);

} // namespace

BENCHMARK_MAIN();
