// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "sim/sim_hid_backend.h"

#include <cerrno>

#include "device/hid_link.h"
#include "sim/sim_hid_device.h"

namespace vexo {

SimHidBackend::SimHidBackend(std::shared_ptr<SimMouse> mouse) : mouse_(std::move(mouse)) {}

std::vector<HidCollectionInfo> SimHidBackend::enumerate() { return mouse_->enumerate(); }

std::unique_ptr<HidDevice> SimHidBackend::open(const std::string& path, Access access) {
    ++opens_;
    lastOpenError_ = openError_ != 0 ? openError_ : access == Access::ReadWrite ? readWriteOpenError_ : 0;
    if (lastOpenError_ != 0)
        return nullptr;
    for (const HidCollectionInfo& info : mouse_->enumerate()) {
        if (info.path != path || info.vendorId != HidLink::kVendorId)
            continue;
        SimMouse::Collection collection = SimMouse::Collection::Pointer;
        if (info.usagePage == HidLink::kCommandUsagePage)
            collection = SimMouse::Collection::Command;
        else if (info.usagePage == HidLink::kNotifyUsagePage)
            collection = SimMouse::Collection::Notify;
        else
            continue;
        return std::make_unique<SimHidDevice>(mouse_, collection, access);
    }
    lastOpenError_ = ENOENT;
    return nullptr;
}

} // namespace vexo
