// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

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
// On Wayland KWin reads neither [Mouse] key: precision and speed then go to every pointer that is
// not a touchpad through KWin's input devices on the session bus (live; KWin saves them), or,
// where KWin is not on the bus, into kcminputrc [Libinput][Defaults][Pointer]
// PointerAccelerationProfile (1 flat, 2 adaptive) and PointerAcceleration, and into every
// per-device [Libinput] group that already holds the key (those win over the defaults). The
// kdeglobals values are the same on X11 and Wayland: applications read them, not KWin.
//
// After a write Plasma is told on the session bus (KGlobalSettings.notifyChange for the mouse
// settings, KWin.reloadConfig), so running applications and KWin read the files again; without a
// session bus the values are taken at the next login.
class KdePointerSettings final : public DesktopPointerSettings {
public:
    explicit KdePointerSettings(std::filesystem::path configDir, bool notifyDesktop = true,
                                bool waylandSession = false);

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
    // Wayland: KWin's live value of the first pointer, else the defaults group of the file.
    std::optional<bool> libinputFlat();
    std::optional<double> libinputAcceleration();
    // Wayland: the profile (acceleration empty) or the acceleration, live or into the file.
    bool setLibinput(bool flat, std::optional<double> acceleration);

    std::filesystem::path dir_;
    bool notify_;
    bool wayland_;
};

} // namespace vexo
