// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>

#include "platform/hid_backend.h"
#include "sim/sim_mouse.h"

namespace vexo {

// The machine's HID collections as the simulated mouse (and one unrelated device) present them.
class SimHidBackend final : public HidBackend {
public:
    explicit SimHidBackend(std::shared_ptr<SimMouse> mouse);

    std::vector<HidCollectionInfo> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, Access access) override;
    int lastOpenError() const override { return lastOpenError_; }

    // Makes every open() fail from now on with this errno value (EACCES: no permission), or work
    // again (0).
    void setOpenError(int error) { openError_ = error; }
    // The same for opens for reading and writing only (a node the user may read but not write).
    void setReadWriteOpenError(int error) { readWriteOpenError_ = error; }
    int opens() const { return opens_; }

private:
    std::shared_ptr<SimMouse> mouse_;
    int openError_ = 0;
    int readWriteOpenError_ = 0;
    int lastOpenError_ = 0;
    int opens_ = 0;
};

} // namespace vexo
