#pragma once
#include <filesystem>
#include <string>

#include "platform/desktop_pointer_settings.h"

namespace vexo {

// KDE Plasma: kcminputrc [Mouse] XLbInptAccelProfileFlat (true = no acceleration) and
// XLbInptPointerAcceleration (-1 to 1, the pointer speed), kdeglobals [KDE] WheelScrollLines and
// DoubleClickInterval, in the user's configuration folder. A key that is absent reads as the value
// Plasma then uses (acceleration on, speed 0, 3 lines, 400 ms). Plasma has no "one screen per
// notch": writing it fails.
//
// After a write Plasma is told on the session bus (KGlobalSettings.notifyChange for the mouse
// settings, KWin.reloadConfig), so running applications and KWin read the files again; without a
// session bus the values are taken at the next login.
class KdePointerSettings final : public DesktopPointerSettings {
public:
    explicit KdePointerSettings(std::filesystem::path configDir, bool notifyDesktop = true);

    std::string name() const override { return "KDE"; }
    std::optional<bool> enhancePrecision() override;
    bool setEnhancePrecision(bool on) override;
    std::optional<unsigned> pointerSpeed() override;
    bool setPointerSpeed(unsigned speed) override;
    std::optional<std::uint32_t> wheelScrollLines() override;
    bool setWheelScrollLines(std::uint32_t lines) override;
    std::optional<unsigned> doubleClickTime() override;
    bool setDoubleClickTime(unsigned milliseconds) override;

    std::filesystem::path inputFile() const { return dir_ / "kcminputrc"; }
    std::filesystem::path globalsFile() const { return dir_ / "kdeglobals"; }

private:
    bool write(const std::filesystem::path& file, const char* section, const char* key, const std::string& value);
    void notify();

    std::filesystem::path dir_;
    bool notify_;
};

} // namespace vexo
