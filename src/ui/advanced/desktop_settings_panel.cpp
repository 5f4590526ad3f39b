// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/advanced/desktop_settings_panel.h"

#include <QPainter>

#include "config/config_store.h"
#include "platform/desktop_pointer_settings.h"
#include "platform/prompter.h"
#include "ui/advanced/desktop_steps.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/mem_dc.h"
#include "ui/skin/skin_context.h"
#include "ui/skin/skin_drawing.h"

namespace vexo {

namespace {

constexpr int kSliderTop[] = {0, 200, 350, 500};
constexpr Region kSpeedLabel{38, 160, 143, 181};
constexpr Region kScrollLabel{38, 310, 143, 331};
constexpr Region kDoubleClickLabel{38, 460, 143, 481};
constexpr int kBoxLabelGap = 10;
constexpr int kBoxLabelRight = 408;
constexpr char kWarning[] = "Warning";

} // namespace

Region DesktopSettingsPanel::Segment(int slider, int step) {
    const int left = kSliderLeft + kSegmentWidth * (step - 1);
    const int top = kSliderTop[std::clamp(slider, 1, 3)];
    return Region{left, top, left + kSegmentWidth, top + kSegmentHeight};
}

DesktopSettingsPanel::DesktopSettingsPanel(CMainDialog& window, ConfigStore& config, DesktopPointerSettings& desktop,
                                           Prompter& prompter, const Texts& texts)
    : window_(window), config_(config), desktop_(desktop), prompter_(prompter), texts_(texts) {}

void DesktopSettingsPanel::warn(const char* text) { prompter_.message(text, kWarning); }

void DesktopSettingsPanel::enter() {
    if (m_bDesktopSettingsRead)
        return; // later showings keep what the page holds, even if the desktop changed meanwhile
    ReadDesktop();
    m_bDesktopSettingsRead = true;
}

void DesktopSettingsPanel::ReadDesktop() {
    DesktopBytes bytes = config_.record().desktop();
    const std::optional<bool> precision = desktop_.enhancePrecision();
    bytes.enhancePrecision = precision.value_or(false) ? 1 : 0;

    if (const std::optional<unsigned> speed = desktop_.pointerSpeed())
        bytes.pointerSpeedRow = static_cast<std::uint8_t>(desktop::StepOfSpeed(*speed));
    else
        warn("GETMOUSESPEED failed.");

    if (const std::optional<std::uint32_t> lines = desktop_.wheelScrollLines()) {
        const bool oneScreen = *lines == DesktopPointerSettings::kScrollOneScreen;
        bytes.scrollOneScreen = oneScreen ? 1 : 0;
        bytes.wheelLines = oneScreen ? 0 : desktop::WheelByteOfLines(*lines);
    } else {
        warn("GETWHEELSCROLLLINES failed.");
    }

    if (const std::optional<unsigned> time = desktop_.doubleClickTime(); time && *time != 0)
        bytes.doubleClickRow = static_cast<std::uint8_t>(desktop::StepOfDoubleClickTime(*time));
    else
        warn("GetDoubleClickTime failed.");
    config_.record().setDesktop(bytes);
}

void DesktopSettingsPanel::drawSlider(QPainter& canvas, int slider, int litSteps) {
    for (int step = 1; step <= desktop::kSteps; ++step) {
        const Region segment = Segment(slider, step);
        DrawSkinImage(&canvas, window_.Skin(), step <= litSteps ? "/slider-light.png" : "/slider-dark.png",
                      segment.left, segment.top);
    }
}

void DesktopSettingsPanel::drawBox(QPainter& canvas, const Region& box, bool ticked) {
    DrawSkinImage(&canvas, window_.Skin(), ticked ? "/PaneMakingTick.png" : "/Pane.png", box.left, box.top);
}

void DesktopSettingsPanel::draw(QPainter& canvas) {
    const QColor colour = window_.Skin().textColour();
    const QFont& font = window_.m_fontText;
    DrawSkinText(canvas, kSpeedLabel.rect(), texts_.mouseSpeed, font, colour, TextLayout::Centre);
    DrawSkinText(canvas, kScrollLabel.rect(), texts_.scrollSpeed, font, colour, TextLayout::Centre);
    DrawSkinText(canvas, kDoubleClickLabel.rect(), texts_.doubleClickSpeed, font, colour, TextLayout::Centre);
    for (const auto& [box, text] :
         {std::pair{kPrecisionBox, &texts_.enhancePrecision}, std::pair{kOneScreenBox, &texts_.scrollOneScreen}}) {
        const QRect label(box.right + kBoxLabelGap, box.top, kBoxLabelRight - box.right - kBoxLabelGap, box.height());
        DrawSkinText(canvas, label, *text, font, colour, TextLayout::LeftMiddle);
    }
    for (int slider = kSpeedSlider; slider <= kDoubleClickSlider; ++slider) {
        for (int step = 1; step <= desktop::kSteps; ++step) {
            const Region segment = Segment(slider, step);
            const QRect number(segment.left, segment.bottom + 10, segment.width(), 20);
            DrawSkinText(canvas, number, QString::number(step), font, colour, TextLayout::Centre);
        }
    }
    const DesktopBytes bytes = config_.record().desktop();
    drawSlider(canvas, kSpeedSlider, std::clamp<int>(bytes.pointerSpeedRow, 1, desktop::kSteps));
    drawSlider(canvas, kWheelSlider, desktop::StepOfWheelByte(bytes.wheelLines));
    drawSlider(canvas, kDoubleClickSlider, std::clamp<int>(bytes.doubleClickRow, 1, desktop::kSteps));
    drawBox(canvas, kPrecisionBox, bytes.enhancePrecision == 1);
    drawBox(canvas, kOneScreenBox, bytes.scrollOneScreen == 1);
    DrawSkinImage(&canvas, window_.Skin(), "/button-normal.png", kRestoreDefaults.left, kRestoreDefaults.top);
    DrawSkinText(canvas, kRestoreDefaults.rect(), texts_.restoreDefaults, font, colour, TextLayout::Centre);
}

HoverTracker::Item DesktopSettingsPanel::hoverItem(int id, int group) {
    return {id, kRestoreDefaults, group, [this](QPainter& canvas, bool over) {
                DrawSkinImage(&canvas, window_.Skin(), over ? "/button-over.png" : "/button-normal.png",
                              kRestoreDefaults.left, kRestoreDefaults.top);
                DrawSkinText(canvas, kRestoreDefaults.rect(), texts_.restoreDefaults, window_.m_fontText,
                             window_.Skin().textColour(), TextLayout::Centre);
            }};
}

bool DesktopSettingsPanel::click(QPoint p) {
    if (kPrecisionBox.contains(p)) {
        TogglePrecision();
        return true;
    }
    if (kOneScreenBox.contains(p)) {
        ToggleScrollOneScreen();
        return true;
    }
    if (kRestoreDefaults.contains(p)) {
        RestoreDesktopDefaults();
        return true;
    }
    for (int slider = kSpeedSlider; slider <= kDoubleClickSlider; ++slider) {
        const Region first = Segment(slider, 1);
        if (p.y() < first.top || p.y() >= first.bottom || p.x() < first.left)
            continue;
        const int step = (p.x() - first.left) / kSegmentWidth + 1;
        if (step <= desktop::kSteps) {
            SetSliderStep(slider, step);
            return true;
        }
    }
    return false;
}

void DesktopSettingsPanel::TogglePrecision() {
    DesktopBytes bytes = config_.record().desktop();
    bytes.enhancePrecision = bytes.enhancePrecision == 1 ? 0 : 1;
    config_.record().setDesktop(bytes);
    std::unique_ptr<CMemDC> dc = window_.OpenCanvas();
    if (QPainter* canvas = dc->painter())
        drawBox(*canvas, kPrecisionBox, bytes.enhancePrecision == 1);
}

void DesktopSettingsPanel::ToggleScrollOneScreen() {
    DesktopBytes bytes = config_.record().desktop();
    bytes.scrollOneScreen = bytes.scrollOneScreen == 1 ? 0 : 1;
    config_.record().setDesktop(bytes);
    std::unique_ptr<CMemDC> dc = window_.OpenCanvas();
    if (QPainter* canvas = dc->painter())
        drawBox(*canvas, kOneScreenBox, bytes.scrollOneScreen == 1);
}

void DesktopSettingsPanel::SetSliderStep(int slider, int step) {
    step = std::clamp(step, 1, desktop::kSteps);
    DesktopBytes bytes = config_.record().desktop();
    const auto value = static_cast<std::uint8_t>(step);
    (slider == kSpeedSlider       ? bytes.pointerSpeedRow
         : slider == kWheelSlider ? bytes.wheelLines
                                  : bytes.doubleClickRow) = value;
    config_.record().setDesktop(bytes);
    std::unique_ptr<CMemDC> dc = window_.OpenCanvas();
    if (QPainter* canvas = dc->painter())
        drawSlider(*canvas, slider, step);
}

void DesktopSettingsPanel::setDesktop(bool precision, unsigned speed, std::uint32_t wheel, unsigned doubleClickMs) {
    if (!desktop_.setEnhancePrecision(precision))
        warn("SETMOUSE failed.");
    if (!desktop_.setPointerSpeed(speed))
        warn("SETMOUSESPEED failed.");
    if (!desktop_.setWheelScrollLines(wheel))
        warn("SETWHEELSCROLLLINES failed.");
    if (!desktop_.setDoubleClickTime(doubleClickMs))
        warn("SPI_SETDOUBLECLICKTIME failed.");
}

void DesktopSettingsPanel::ApplyDesktopSettings() {
    const DesktopBytes bytes = config_.record().desktop();
    const std::uint32_t wheel =
        bytes.scrollOneScreen != 0 ? DesktopPointerSettings::kScrollOneScreen : bytes.wheelLines;
    setDesktop(bytes.enhancePrecision == 1, desktop::SpeedOfStep(bytes.pointerSpeedRow), wheel,
               desktop::DoubleClickTimeOfStep(bytes.doubleClickRow));
}

void DesktopSettingsPanel::RestoreDesktopDefaults() {
    setDesktop(false, desktop::kDefaultSpeed, desktop::kDefaultWheelLines, desktop::kDefaultDoubleClickMs);
    DesktopBytes bytes = config_.record().desktop();
    bytes.enhancePrecision = 0;
    bytes.scrollOneScreen = 0;
    bytes.pointerSpeedRow = desktop::kDefaultSpeedStep;
    bytes.wheelLines = desktop::kDefaultWheelStep;
    bytes.doubleClickRow = desktop::kDefaultDoubleClickStep;
    config_.record().setDesktop(bytes);
    std::unique_ptr<CMemDC> dc = window_.OpenCanvas();
    if (QPainter* canvas = dc->painter()) {
        drawBox(*canvas, kPrecisionBox, false);
        drawBox(*canvas, kOneScreenBox, false);
        drawSlider(*canvas, kSpeedSlider, desktop::kDefaultSpeedStep);
        drawSlider(*canvas, kWheelSlider, desktop::kDefaultWheelStep);
        drawSlider(*canvas, kDoubleClickSlider, desktop::kDefaultDoubleClickStep);
    }
}

} // namespace vexo
