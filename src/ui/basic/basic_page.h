// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <array>
#include <memory>
#include <vector>

#include "config/config_record.h"
#include "ui/basic/basic_page_parts.h"
#include "ui/basic/dpi_rows.h"
#include "ui/skin/drop_down_list.h"
#include "ui/basic/lighting_section.h"
#include "ui/frame/page_content.h"

namespace vexo {

// The basic settings page: the function of each of the eight buttons in mode A or mode B, the
// key defaults, the report rate, the DPI rows and the lighting section. Every choice changes the
// edited record (and the button labels) and redraws what it changed; nothing reaches the mouse
// before OK or Apply.
class BasicPage final : public PageContent {
public:
    static constexpr int kButtons = 8;

    explicit BasicPage(const BasicPageParts& parts);
    ~BasicPage() override;

    void build() override;
    void draw(QPainter& canvas) override;
    void tearDown() override;
    bool click(QPoint p) override;
    std::vector<HoverTracker::Item> hoverItems() override;
    QRegion backgroundParts() const override;
    std::vector<DropDownList*> dropDowns() override;

    DropDownList& functionList(int k) { return *functionLists_[k]; }
    DropDownList& sideList() { return sideList_; }
    DpiRows& dpiRows() { return dpiRows_; }
    LightingSection& lighting() { return lighting_; }

    // The report-rate segment (0 125 Hz .. 3 1000 Hz) shown as selected for a stored code; any
    // code other than 8, 4 and 2 shows 1000 Hz.
    static int RateSegmentOf(std::uint8_t code);

private:
    void clickFunctionBox(int k);
    bool leftButtonRuleRefuses(int k) const;
    void chooseFunction(int k, int row);
    void hoverFunctionEntry(int k, int row, QRect item);
    void chooseSubFunction(int row);
    void selectMode(std::uint8_t mode);
    void restoreKeyDefaults();
    void selectRate(int segment);
    void drawFunctionBox(QPainter& canvas, int k, bool over);
    void drawModeButtons(QPainter& canvas);
    void drawKeyDefault(QPainter& canvas, bool over);
    void drawRateSegment(QPainter& canvas, int segment, bool light);
    std::string& label(KeyMode mode, int k);

    BasicPageParts parts_;
    std::array<std::unique_ptr<DropDownList>, kButtons> functionLists_;
    DropDownList sideList_;
    DpiRows dpiRows_;
    LightingSection lighting_;
};

} // namespace vexo
