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

    // Makes every open() fail from now on (false) or work again (true).
    void setOpenWorks(bool works) { openWorks_ = works; }
    int opens() const { return opens_; }

private:
    std::shared_ptr<SimMouse> mouse_;
    bool openWorks_ = true;
    int opens_ = 0;
};

} // namespace vexo
