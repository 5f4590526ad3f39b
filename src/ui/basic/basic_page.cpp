// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/basic/basic_page.h"

#include <QListWidget>

#include "config/button_functions.h"
#include "config/config_record.h"
#include "config/ini_settings.h"
#include "config/key_entry.h"
#include "config/ui_texts.h"
#include "platform/prompter.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/frame_regions.h"
#include "ui/basic/function_dispatch.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_context.h"
#include "ui/skin/skin_drawing.h"

namespace vexo {

namespace {
constexpr std::array<std::uint8_t, 4> kRateCodes{8, 4, 2, 1};
constexpr std::array<const char*, 4> kRateCaptions{"125", "250", "500", "1000"};
constexpr int kKeyDefaultHoverId = frame::kFirstPageId;
constexpr int kFirstBoxHoverId = frame::kFirstPageId + 1;
constexpr int kKeyDefaultGroup = frame::kFirstPageGroup;
constexpr int kFunctionBoxGroup = frame::kFirstPageGroup + 1;
// What the DPI rows and the lighting section draw on the back buffer (their fields are controls).
constexpr Region kDpiRowsArea{506, 322, 564, 568};
constexpr Region kLightingArea{696, 275, 851, 405};

QRegion AllFunctionBoxes() {
    QRegion boxes;
    for (int k = 0; k < BasicPage::kButtons; ++k)
        boxes += basic::FunctionBox(k).rect();
    return boxes;
}
} // namespace

BasicPage::BasicPage(const BasicPageParts& parts)
    : parts_(parts), sideList_(
                         &parts.window, DropDownList::Layout{basic::kSideListId, Region{}, QRect(), false},
                         [] {
                             QStringList entries;
                             for (std::uint8_t sub = dpi_function::Up; sub <= dpi_function::Shift; ++sub)
                                 entries << Utf8(DpiSubFunctionText(sub));
                             return entries;
                         },
                         [this](int row) { chooseSubFunction(row); }),
      dpiRows_(parts), lighting_(parts) {
    for (int k = 0; k < kButtons; ++k) {
        functionLists_[k] = std::make_unique<DropDownList>(
            &parts.window,
            DropDownList::Layout{basic::kFunctionListId + k, basic::FunctionBox(k), basic::FunctionList(k).rect(),
                                 true},
            [this] {
                QStringList entries;
                for (std::size_t row = 0; row < kFunctionRows; ++row)
                    entries << Utf8(FunctionRowText(parts_.texts, row));
                return entries;
            },
            [this, k](int row) { chooseFunction(k, row); });
        // DPI Switch is completed in its side list.
        functionLists_[k]->setChoosable([](int row) { return row != function_code::DpiSwitch; });
        functionLists_[k]->setHovered([this, k](int row, QRect item) { hoverFunctionEntry(k, row, item); });
        // The function the button has in the mode being edited.
        functionLists_[k]->setCurrent(
            [this, k] { return int(parts_.record.functionCode(parts_.record.editedMode(), std::size_t(k))); });
    }
}

BasicPage::~BasicPage() { tearDown(); }

int BasicPage::RateSegmentOf(std::uint8_t code) {
    for (int segment = 0; segment < 3; ++segment)
        if (kRateCodes[segment] == code)
            return segment;
    return 3;
}

std::string& BasicPage::label(KeyMode mode, int k) {
    return (mode == KeyMode::A ? parts_.settings.m_strButtonLabelA : parts_.settings.m_strButtonLabelB)[k];
}

void BasicPage::build() {
    for (auto& list : functionLists_)
        list->setFont(parts_.window.m_fontText);
    sideList_.setFont(parts_.window.m_fontText);
    dpiRows_.build();
    lighting_.build();
}

void BasicPage::drawFunctionBox(QPainter& canvas, int k, bool over) {
    const Region box = basic::FunctionBox(k);
    DrawSkinImageArea(&canvas, parts_.window.Skin(), "/BasicSet2.png", box.rect());
    DrawSkinImage(&canvas, parts_.window.Skin(), over ? "/DropdownBox-over.png" : "/DropdownBox-normal.png", box.left,
                  box.top);
    const QColor text = parts_.window.Skin().textColour();
    DrawSkinText(canvas, basic::FunctionNumber(k).rect(), QString::number(k + 1), parts_.window.m_fontText, text,
                 TextLayout::LeftMiddle);
    DrawSkinText(canvas, basic::FunctionLabel(k).rect(), Utf8(label(parts_.record.editedMode(), k)),
                 parts_.window.m_fontText, text, TextLayout::LeftMiddle);
}

void BasicPage::drawModeButtons(QPainter& canvas) {
    const bool modeA = parts_.record.editedMode() == KeyMode::A;
    const QColor text = parts_.window.Skin().textColour();
    for (const auto& [region, caption, current] :
         {std::tuple{basic::kModeA, "Mode A", modeA}, std::tuple{basic::kModeB, "Mode B", !modeA}}) {
        DrawSkinImageArea(&canvas, parts_.window.Skin(), "/BasicSet2.png", region.rect());
        DrawSkinImage(&canvas, parts_.window.Skin(), current ? "/button-over.png" : "/button-normal.png", region.left,
                      region.top);
        DrawSkinText(canvas, region.rect(), caption, parts_.window.m_fontText, text, TextLayout::Centre);
    }
}

void BasicPage::drawKeyDefault(QPainter& canvas, bool over) {
    const Region& region = basic::kKeyDefault;
    DrawSkinImageArea(&canvas, parts_.window.Skin(), "/BasicSet2.png", region.rect());
    DrawSkinImage(&canvas, parts_.window.Skin(), over ? "/button-over.png" : "/button-normal.png", region.left,
                  region.top);
    DrawSkinText(canvas, region.rect(), Utf8(parts_.texts.m_strKeyDefault), parts_.window.m_fontText,
                 parts_.window.Skin().textColour(), TextLayout::Centre);
}

void BasicPage::drawRateSegment(QPainter& canvas, int segment, bool light) {
    const Region& region = basic::kRateSegments[segment];
    DrawSkinImageArea(&canvas, parts_.window.Skin(), "/BasicSet2.png", region.rect());
    DrawSkinImage(&canvas, parts_.window.Skin(), light ? "/slider-RP-light.png" : "/slider-RP-dark.png", region.left,
                  region.top);
}

void BasicPage::draw(QPainter& canvas) {
    // A hover that ends redraws the page clipped to one region: what lies outside costs nothing.
    const auto visible = [&canvas](const Region& region) {
        return !canvas.hasClipping() || canvas.clipBoundingRect().intersects(QRectF(region.rect()));
    };
    const QFont& font = parts_.window.m_fontText;
    const QColor text = parts_.window.Skin().textColour();
    if (visible(basic::kKeyDefault))
        drawKeyDefault(canvas, false);
    for (int k = 0; k < kButtons; ++k)
        if (visible(basic::FunctionBox(k)))
            drawFunctionBox(canvas, k, false);
    const int selected = RateSegmentOf(parts_.record.reportRate());
    for (int segment = 0; segment < 4; ++segment) {
        const Region& region = basic::kRateSegments[segment];
        if (visible(region))
            drawRateSegment(canvas, segment, segment == selected);
        if (visible(basic::RateCaption(region)))
            DrawSkinText(canvas, basic::RateCaption(region).rect(), kRateCaptions[segment], font, text,
                         TextLayout::TopCentre);
    }
    if (visible(kLightingArea))
        lighting_.draw(canvas);
    for (const auto& [region, caption] : {std::pair{basic::kKeySettingHeading, &UiTexts::m_strKeySetting},
                                          std::pair{basic::kReportRateHeading, &UiTexts::m_strReportRateSetting},
                                          std::pair{basic::kDpiHeading, &UiTexts::m_strDpiSetting}})
        if (visible(region))
            DrawSkinText(canvas, region.rect(), Utf8(parts_.texts.*caption), font, text, TextLayout::Centre);
    if (visible(basic::kModeA) || visible(basic::kModeB))
        drawModeButtons(canvas);
    if (visible(kDpiRowsArea))
        dpiRows_.draw(canvas);
}

void BasicPage::tearDown() {
    sideList_.close();
    for (auto& list : functionLists_)
        list->close();
    dpiRows_.tearDown();
    lighting_.tearDown();
}

std::vector<HoverTracker::Item> BasicPage::hoverItems() {
    std::vector<HoverTracker::Item> items;
    items.push_back({kKeyDefaultHoverId, basic::kKeyDefault, kKeyDefaultGroup,
                     [this](QPainter& canvas, bool over) { drawKeyDefault(canvas, over); }});
    for (int k = 0; k < kButtons; ++k)
        items.push_back({kFirstBoxHoverId + k, basic::FunctionBox(k), kFunctionBoxGroup,
                         [this, k](QPainter& canvas, bool over) { drawFunctionBox(canvas, k, over); }});
    return items;
}

QRegion BasicPage::backgroundParts() const {
    // The mode buttons, report-rate segments and DPI ticks are drawn again on their background.
    QRegion parts = QRegion(basic::kModeA.rect()) + basic::kModeB.rect();
    for (const Region& segment : basic::kRateSegments)
        parts += segment.rect();
    for (int k = 0; k < DpiRows::kRows; ++k)
        parts += basic::DpiTick(k).rect();
    return parts;
}

std::vector<DropDownList*> BasicPage::dropDowns() {
    std::vector<DropDownList*> lists;
    for (auto& list : functionLists_)
        lists.push_back(list.get());
    lists.push_back(&dpiRows_.valueList());
    for (DropDownList* list : lighting_.dropDowns())
        lists.push_back(list);
    return lists;
}

bool BasicPage::click(QPoint p) {
    // Any click on the page itself ends the DPI Switch side list.
    sideList_.close();
    bool taken = false;
    for (int k = 0; k < kButtons; ++k) {
        if (basic::FunctionBox(k).contains(p)) {
            clickFunctionBox(k);
            taken = true;
        }
    }
    // The two mode buttons share a column; a click there is tested against both, in this order.
    if (basic::kModeA.contains(p)) {
        selectMode(0);
        taken = true;
    }
    if (basic::kModeB.contains(p)) {
        selectMode(1);
        taken = true;
    }
    if (basic::kKeyDefault.contains(p)) {
        restoreKeyDefaults();
        taken = true;
    }
    for (int segment = 0; segment < 4; ++segment) {
        if (basic::kRateSegments[segment].contains(p)) {
            selectRate(segment);
            taken = true;
        }
    }
    taken = dpiRows_.click(p) || taken;
    taken = lighting_.click(p) || taken;
    return taken;
}

bool BasicPage::leftButtonRuleRefuses(int k) const {
    // The only button that clicks left cannot be given another function: the user would have no
    // left button left. Another button must take the left click first.
    const KeyMode mode = parts_.record.editedMode();
    if (parts_.record.functionCode(mode, k) != function_code::LeftClick)
        return false;
    for (std::size_t b = 0; b < ConfigRecord::kButtons; ++b)
        if (b != static_cast<std::size_t>(k) && parts_.record.functionCode(mode, b) == function_code::LeftClick)
            return false;
    return true;
}

void BasicPage::clickFunctionBox(int k) {
    DropDownList& list = *functionLists_[k];
    if (list.isOpen()) {
        list.close();
        return;
    }
    for (int other = 0; other < kButtons; ++other)
        if (other != k)
            functionLists_[other]->close();
    if (leftButtonRuleRefuses(k)) {
        parts_.prompter.message(parts_.texts.m_strLeftKeyRequired, "Warning");
        return;
    }
    list.open();
}

void BasicPage::chooseFunction(int k, int row) {
    sideList_.close();
    const KeyMode mode = parts_.record.editedMode();
    const KeyMode other = mode == KeyMode::A ? KeyMode::B : KeyMode::A;
    parts_.dispatch.AssignButtonFunction(row, static_cast<std::size_t>(k), mode, label(mode, k), label(other, k));
    parts_.window.Redraw([&](QPainter& canvas) { drawFunctionBox(canvas, k, false); }, basic::FunctionBox(k).rect());
}

void BasicPage::hoverFunctionEntry(int k, int row, QRect item) {
    if (row != function_code::DpiSwitch) {
        sideList_.close();
        return;
    }
    if (sideList_.isOpen())
        return;
    // Beside the entry: from the entry's right edge, level with its top.
    (void)k;
    sideList_.setListRect(QRect(item.x() + item.width(), item.y(), basic::kSideListWidth, basic::kSideListHeight));
    sideList_.open();
}

void BasicPage::chooseSubFunction(int row) {
    int k = 0;
    while (k < kButtons && !functionLists_[k]->isOpen())
        ++k;
    if (k == kButtons || row < 0 || row > 3)
        return;
    const KeyMode mode = parts_.record.editedMode();
    const auto sub = static_cast<std::uint8_t>(row + 1);
    functionLists_[k]->close();
    AssignDpiFunction(parts_.record, mode, static_cast<std::size_t>(k), sub, label(mode, k));
    parts_.window.Redraw([&](QPainter& canvas) { drawFunctionBox(canvas, k, false); }, basic::FunctionBox(k).rect());
}

void BasicPage::selectMode(std::uint8_t mode) {
    parts_.record.setModeSelector(mode);
    parts_.window.Redraw(
        [&](QPainter& canvas) {
            drawModeButtons(canvas);
            for (int k = 0; k < kButtons; ++k)
                drawFunctionBox(canvas, k, false);
        },
        AllFunctionBoxes() + basic::kModeA.rect() + basic::kModeB.rect());
}

void BasicPage::restoreKeyDefaults() {
    RestoreKeyDefaults(parts_.record);
    const UiTexts& t = parts_.texts;
    for (IniSettings::Labels* labels : {&parts_.settings.m_strButtonLabelA, &parts_.settings.m_strButtonLabelB}) {
        *labels = {t.m_strLeftClick, t.m_strRightClick, t.m_strMidClick, t.m_strForward,
                   t.m_strBackward,  "DPI +",           "DPI -",         t.m_strSingleKey + "-V",
                   t.m_strKeyOff,    (*labels)[9],      (*labels)[10],   (*labels)[11]};
    }
    parts_.window.Redraw(
        [&](QPainter& canvas) {
            for (int k = 0; k < kButtons; ++k)
                drawFunctionBox(canvas, k, false);
        },
        AllFunctionBoxes());
}

void BasicPage::selectRate(int segment) {
    const int previous = RateSegmentOf(parts_.record.reportRate());
    if (previous == segment && parts_.record.reportRate() == kRateCodes[segment])
        return;
    parts_.record.setReportRate(kRateCodes[segment]);
    parts_.window.Redraw(
        [&](QPainter& canvas) {
            drawRateSegment(canvas, previous, false);
            drawRateSegment(canvas, segment, true);
        },
        QRegion(basic::kRateSegments[previous].rect()) + basic::kRateSegments[segment].rect());
}

} // namespace vexo
