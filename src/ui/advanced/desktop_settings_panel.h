// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <QString>
#include <vector>

#include "ui/skin/hover_tracker.h"
#include "ui/skin/region.h"

class QPainter;

namespace vexo {

class CMainDialog;
class ConfigStore;
class DesktopPointerSettings;
class Prompter;

// The left half of the advanced page: the desktop's pointer speed, acceleration, wheel and
// double-click settings as three 11-step sliders and two check boxes, kept in the five desktop
// bytes of the edited configuration record. Nothing reaches the desktop until ApplyDesktopSettings
// (after OK or Apply) or RestoreDesktopDefaults.
class DesktopSettingsPanel {
public:
    struct Texts {
        QString mouseSpeed, enhancePrecision, scrollSpeed, scrollOneScreen, doubleClickSpeed, restoreDefaults;
    };
    enum Slider { kSpeedSlider = 1, kWheelSlider = 2, kDoubleClickSlider = 3 };

    static constexpr Region kPrecisionBox{51, 255, 67, 271};
    static constexpr Region kOneScreenBox{51, 405, 67, 421};
    static constexpr Region kRestoreDefaults{194, 573, 299, 594};
    static constexpr int kSliderLeft = 52;
    static constexpr int kSegmentWidth = 24;
    static constexpr int kSegmentHeight = 11;
    // Segment step (1 to 11) of a slider.
    static Region Segment(int slider, int step);

    // All references must outlive the panel; texts are read when drawn.
    DesktopSettingsPanel(CMainDialog& window, ConfigStore& config, DesktopPointerSettings& desktop, Prompter& prompter,
                         const Texts& texts);

    // The first showing reads the desktop into the record (see ReadDesktop); the panel lives as long
    // as the program, so that is the first showing in the process.
    void enter();
    // The desktop has been read once; never cleared.
    bool desktopRead() const { return m_bDesktopSettingsRead; }
    // Draws labels, sliders with their numbers, check boxes and the restore-defaults button.
    void draw(QPainter& canvas);
    // A click on a segment, a check box or the button; true when one took it.
    bool click(QPoint p);
    // The restore-defaults button's hover region.
    HoverTracker::Item hoverItem(int id, int group);

    // Reads the four desktop calls into the five bytes. A read that fails shows its message
    // ("GETMOUSESPEED failed." and so on, captioned "Warning"; acceleration fails silently) and
    // keeps that value's byte.
    void ReadDesktop();
    void TogglePrecision();
    void ToggleScrollOneScreen();
    void SetSliderStep(int slider, int step);
    // Sets the desktop to its defaults at once (no acceleration, speed 10, 3 lines, 500 ms) and the
    // page to steps 6, 3, 6 with both boxes clear.
    void RestoreDesktopDefaults();
    // Sends the five bytes to the desktop, each failed call reported ("SETMOUSE failed.", ...
    // captioned "Warning") and the next made regardless.
    void ApplyDesktopSettings();

private:
    void drawSlider(QPainter& canvas, int slider, int litSteps);
    void drawBox(QPainter& canvas, const Region& box, bool ticked);
    void setDesktop(bool precision, unsigned speed, std::uint32_t wheel, unsigned doubleClickMs);
    void warn(const char* text);

    CMainDialog& window_;
    bool m_bDesktopSettingsRead = false;
    ConfigStore& config_;
    DesktopPointerSettings& desktop_;
    Prompter& prompter_;
    const Texts& texts_;
};

} // namespace vexo
