// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "uhid_bridge.h"

#include <array>
#include <cerrno>

namespace vexo {
namespace {

// Report buffers as the program's transport uses them: the ID byte and up to 32 data bytes.
constexpr std::size_t kReportBuffer = 40;

} // namespace

UhidBridge::UhidBridge(std::shared_ptr<SimMouse> mouse, Interface interface, Sink sink)
    : mouse_(std::move(mouse)), interface_(interface), sink_(std::move(sink)), epoch_(mouse_->epoch()) {}

void UhidBridge::handle(const UhidRequest& request) {
    const bool command = interface_ == Interface::Command;
    switch (request.kind) {
    case UhidRequest::Kind::SetReport: {
        // Output reports may come this way too when the kernel has no output channel for them.
        bool ok = false;
        if (command && request.reportType == UhidRequest::ReportType::Feature)
            ok = mouse_->setFeature(epoch_, request.data) == static_cast<int>(request.data.size());
        else if (command && request.reportType == UhidRequest::ReportType::Output)
            ok = mouse_->writeOutput(epoch_, request.data) >= 0;
        sink_(UhidCodec::setReportReply(request.id, ok ? 0 : EIO));
        if (ok)
            sendBlockReports();
        break;
    }
    case UhidRequest::Kind::GetReport: {
        std::array<std::uint8_t, kReportBuffer> buffer{};
        int n = -1;
        if (command && request.reportType == UhidRequest::ReportType::Feature)
            n = mouse_->getFeature(epoch_, std::span(buffer).first(1 + CommandPacket::kSize));
        if (n < 0)
            sink_(*UhidCodec::getReportReply(request.id, EIO, {}));
        else
            sink_(*UhidCodec::getReportReply(request.id, 0, std::span(buffer).first(static_cast<std::size_t>(n))));
        break;
    }
    case UhidRequest::Kind::Output:
        if (command && mouse_->writeOutput(epoch_, request.data) >= 0)
            sendBlockReports();
        break;
    default: break; // start, stop, open and close need no answer
    }
}

void UhidBridge::sendBlockReports() {
    // A block read command makes the firmware queue its block reports; the real mouse sends
    // them on the interrupt pipe at once. They carry no report ID on the wire.
    if (interface_ != Interface::Command)
        return;
    for (;;) {
        std::array<std::uint8_t, kReportBuffer> report{};
        const int n = mouse_->readInput(epoch_, std::span(report).first(33));
        if (n <= 1)
            return;
        if (const auto event = UhidCodec::input(std::span(report).subspan(1, static_cast<std::size_t>(n) - 1)))
            sink_(*event);
    }
}

bool UhidBridge::forwardNotice(std::span<const std::uint8_t> report) {
    const auto event = UhidCodec::input(report);
    if (!event)
        return false;
    sink_(*event);
    return true;
}

} // namespace vexo
