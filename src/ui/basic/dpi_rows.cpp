// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/basic/dpi_rows.h"

#include <QColorDialog>
#include <QLabel>

#include "config/config_record.h"
#include "config/dpi_table.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_context.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/static_controls.h"

namespace vexo {

namespace {
QColor ColourOf(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }
} // namespace

DpiRows::DpiRows(const BasicPageParts& parts)
    : parts_(parts), valueList_(
                         &parts.window,
                         // The list closes at any click on the page, its own field's included: every click lies
                         // outside seven of the eight fields.
                         DropDownList::Layout{basic::kDpiValueListId, Region{}, basic::DpiValueList(0).rect(), true},
                         [this] {
                             QStringList entries;
                             for (const DpiRow& row : DpiList(parts_.sensorType()))
                                 entries << QString::number(row.value);
                             return entries;
                         },
                         [this](int row) { chooseValue(row); }) {
    valueList_.setCurrent([this] { return openStage_ < 0 ? -1 : int(parts_.record.dpiValues()[openStage_]); });
}

DpiRows::~DpiRows() { tearDown(); }

QString DpiRows::textOfIndex(std::size_t index) const {
    const std::optional<unsigned> value = DpiValue(parts_.sensorType(), index);
    return value ? QString::number(*value) : QString();
}

void DpiRows::build() {
    valueList_.setFont(parts_.window.m_fontText);
    const QColor text = parts_.window.Skin().textColour();
    for (int k = 0; k < kRows; ++k) {
        stageTexts_[k] = textOfIndex(parts_.record.dpiValues()[k]);
        if (!valueFields_[k])
            valueFields_[k] = CreateStaticField(&parts_.window, basic::kDpiValueFieldId + k, basic::DpiValueField(k),
                                                parts_.window.m_fontText, text);
        SetStaticText(valueFields_[k], stageTexts_[k]);
        if (!swatches_[k])
            swatches_[k] = CreateColourSwatch(&parts_.window, basic::kSwatchId + k, basic::DpiSwatch(k),
                                              ColourOf(parts_.record.dpiColour(k)));
    }
}

void DpiRows::drawTick(QPainter& canvas, int k) {
    const Region tick = basic::DpiTick(k);
    // The two pictures need not cover each other: the background comes back first.
    DrawSkinImageArea(&canvas, parts_.window.Skin(), "/BasicSet2.png", tick.rect());
    DrawSkinImage(&canvas, parts_.window.Skin(), parts_.record.stageEnabled(k) ? "/PaneMakingTick.png" : "/Pane.png",
                  tick.left, tick.top);
}

void DpiRows::draw(QPainter& canvas) {
    const QColor text = parts_.window.Skin().textColour();
    for (int k = 0; k < kRows; ++k) {
        DrawSkinText(canvas, basic::DpiNumber(k).rect(), QString::number(k + 1), parts_.window.m_fontText, text,
                     TextLayout::LeftMiddle);
        drawTick(canvas, k);
    }
}

void DpiRows::tearDown() {
    valueList_.close();
    openStage_ = -1;
    for (int k = 0; k < kRows; ++k) {
        delete valueFields_[k].data();
        delete swatches_[k].data();
    }
}

bool DpiRows::click(QPoint p) {
    bool taken = false;
    for (int k = 0; k < kRows; ++k) {
        if (basic::DpiTick(k).contains(p)) {
            clickTick(k);
            taken = true;
        }
    }
    for (int k = 0; k < kRows; ++k) {
        if (basic::DpiSwatch(k).contains(p)) {
            clickSwatch(k);
            taken = true;
        }
    }
    for (int k = 0; k < kRows; ++k) {
        if (basic::DpiValueBox(k).contains(p)) {
            clickValue(k);
            taken = true;
        }
    }
    return taken;
}

void DpiRows::clickTick(int k) {
    auto enabled = parts_.record.dpiEnabled();
    if (!parts_.record.stageEnabled(k)) {
        enabled[k] = 1;
    } else {
        int inUse = 0;
        for (int j = 0; j < kRows; ++j)
            inUse += parts_.record.stageEnabled(j) ? 1 : 0;
        // The mouse needs one stage to work with.
        if (inUse <= 1)
            return;
        enabled[k] = 0;
    }
    parts_.window.Redraw([&](QPainter& canvas) { drawTick(canvas, k); }, basic::DpiTick(k).rect());
}

void DpiRows::clickSwatch(int k) {
    if (!parts_.record.stageEnabled(k))
        return;
    // Opened on the stage's own colour, so that OK without a change keeps it (from black it would
    // turn the stage's light off).
    const QColor chosen = QColorDialog::getColor(ColourOf(parts_.record.dpiColour(k)), &parts_.window);
    if (!chosen.isValid())
        return;
    const Rgb rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                  static_cast<std::uint8_t>(chosen.blue())};
    parts_.record.setDpiColour(k, rgb);
    // The swatch may have gone with the page while the chooser was open.
    SetSwatchColour(swatches_[k], ColourOf(rgb));
}

void DpiRows::clickValue(int k) {
    openStage_ = k;
    if (valueList_.isOpen())
        return;
    valueList_.setListRect(basic::DpiValueList(k).rect());
    valueList_.open();
}

void DpiRows::chooseValue(int row) {
    const int k = openStage_;
    openStage_ = -1;
    if (k < 0 || k >= kRows)
        return;
    parts_.record.dpiValues()[k] = static_cast<std::uint8_t>(row);
    stageTexts_[k] = textOfIndex(static_cast<std::size_t>(row));
    SetStaticText(valueFields_[k], stageTexts_[k]);
}

} // namespace vexo
