// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <functional>
#include <linux/uhid.h>
#include <memory>

#include "sim/sim_mouse.h"
#include "uhid_codec.h"

namespace vexo {

// Answers the kernel's requests to one virtual interface of the mouse from the simulated
// firmware. The command interface takes feature reports (command packets) and output reports
// (data blocks) and sends the firmware's block reports as input reports; the notification
// interface only sends (see forwardNotice) and refuses requests.
class UhidBridge {
public:
    enum class Interface { Command, Notification };
    // Receives every event the bridge sends back to the kernel.
    using Sink = std::function<void(const uhid_event&)>;

    UhidBridge(std::shared_ptr<SimMouse> mouse, Interface interface, Sink sink);

    // The epoch of the mouse the bridge talks to; call after the mouse is plugged again.
    void attach() { epoch_ = mouse_->epoch(); }

    // Handles one decoded request; replies go to the sink.
    void handle(const UhidRequest& request);

    // Sends one notification report of the firmware as an input report. False when it cannot
    // be encoded.
    bool forwardNotice(std::span<const std::uint8_t> report);

private:
    void sendBlockReports();

    std::shared_ptr<SimMouse> mouse_;
    Interface interface_;
    Sink sink_;
    std::uint64_t epoch_;
};

} // namespace vexo
