// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/basic/lighting_section.h"

#include <QLabel>

#include "config/config_record.h"
#include "config/ui_texts.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_context.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/static_controls.h"

namespace vexo {

namespace {
bool IsLightingMode(std::uint8_t mode) { return mode >= lighting_mode::Standard && mode <= lighting_mode::Neon; }

QString Entry(const QStringList& entries, std::size_t index) {
    return index < static_cast<std::size_t>(entries.size()) ? entries[static_cast<qsizetype>(index)] : QString();
}

// Where the parameter list opens: its height follows the number of entries of the mode.
QRect ParameterListRect(std::uint8_t mode) {
    if (mode == lighting_mode::Standard)
        return basic::kParameterListStandard.rect();
    if (mode == lighting_mode::Respiration)
        return basic::kParameterListRespiration.rect();
    return basic::kParameterListNeon.rect();
}
} // namespace

LightingSection::LightingSection(const BasicPageParts& parts)
    : parts_(parts),
      modeList_(
          &parts.window, DropDownList::Layout{basic::kModeListId, basic::kModeBox, basic::kModeList.rect(), true},
          [this] {
              return QStringList{Utf8(parts_.texts.m_strModeStandard), Utf8(parts_.texts.m_strModeRespiration),
                                 Utf8(parts_.texts.m_strModeNeon)};
          },
          [this](int row) { chooseMode(row); }),
      // The parameter list closes on any click outside its box (a click on the list never reaches
      // the page).
      parameterList_(
          &parts.window,
          DropDownList::Layout{basic::kParameterListId, basic::kParameterBox, basic::kParameterListNeon.rect(), true},
          [this] { return ParameterEntries(parts_.record.lightingMode()); }, [this](int row) { chooseParameter(row); }),
      effectList_(
          &parts.window, DropDownList::Layout{basic::kEffectListId, basic::kEffectBox, basic::kEffectList.rect(), true},
          [this] {
              return QStringList{Utf8(parts_.texts.m_strRgbFlash), Utf8(parts_.texts.m_strRgbFixedOn)};
          },
          [this](int row) { chooseEffect(row); }) {
    // Each list opens on the value in use (mode codes and effects count from 1 and 2).
    modeList_.setCurrent([this] {
        const std::uint8_t mode = parts_.record.lightingMode();
        return IsLightingMode(mode) ? mode - 1 : -1;
    });
    parameterList_.setCurrent([this] {
        const std::uint8_t mode = parts_.record.lightingMode();
        return IsLightingMode(mode) ? int(parts_.record.lightingParameter1(mode)) : -1;
    });
    effectList_.setCurrent([this] { return int(parts_.record.lightingParameter2(lighting_mode::Neon)) - 2; });
}

LightingSection::~LightingSection() { tearDown(); }

QStringList LightingSection::ParameterEntries(std::uint8_t mode) {
    QStringList entries;
    if (mode == lighting_mode::Standard) {
        for (int percent : {5, 15, 25, 35, 45, 55, 65, 75, 85, 100})
            entries << QString("%1%").arg(percent);
    } else if (mode == lighting_mode::Respiration) {
        for (int seconds = 8; seconds >= 4; --seconds)
            entries << QString("%1S").arg(seconds);
    } else {
        // Half-second steps from 0.5 s to 15 s; whole seconds without a fraction.
        for (int halves = 1; halves <= 30; ++halves)
            entries << (halves % 2 == 0 ? QString("%1S").arg(halves / 2) : QString("%1.5S").arg(halves / 2));
    }
    return entries;
}

QString LightingSection::modeText() const {
    switch (parts_.record.lightingMode()) {
    case lighting_mode::None: return Utf8(parts_.texts.m_strModeOff);
    case lighting_mode::Standard: return Utf8(parts_.texts.m_strModeStandard);
    case lighting_mode::Respiration: return Utf8(parts_.texts.m_strModeRespiration);
    case lighting_mode::Neon: return Utf8(parts_.texts.m_strModeNeon);
    default: return {};
    }
}

QString LightingSection::parameterText() const {
    const std::uint8_t mode = parts_.record.lightingMode();
    if (!IsLightingMode(mode))
        return {};
    return Entry(ParameterEntries(mode), parts_.record.lightingParameter1(mode));
}

QString LightingSection::effectName(std::uint8_t code) const {
    const UiTexts& t = parts_.texts;
    switch (code) {
    case 0: return Utf8(t.m_strNoDisplay);
    case 1: return Utf8(t.m_strRgbEffect);
    case 2: return Utf8(t.m_strRgbFlash);
    case 3: return Utf8(t.m_strRgbFixedOn);
    case 4: return Utf8(t.m_strSelfColorLed);
    default: return {};
    }
}

QString LightingSection::effectText(std::uint8_t mode) const {
    return IsLightingMode(mode) ? effectName(parts_.record.lightingParameter2(mode)) : QString();
}

void LightingSection::build() {
    for (DropDownList* list : dropDowns())
        list->setFont(parts_.window.m_fontText);
    const QColor text = parts_.window.Skin().textColour();
    const QFont& font = parts_.window.m_fontText;
    // The parameter and effect fields exist in every mode (empty when the stored mode has none),
    // so that choosing a mode later shows its values at once.
    if (!modeField_)
        modeField_ = CreateStaticField(&parts_.window, basic::kModeFieldId, basic::kModeField, font, text);
    if (!parameterField_)
        parameterField_ =
            CreateStaticField(&parts_.window, basic::kParameterFieldId, basic::kParameterField, font, text);
    if (!effectField_)
        effectField_ = CreateStaticField(&parts_.window, basic::kEffectFieldId, basic::kEffectField, font, text);
    SetStaticText(modeField_, modeText());
    SetStaticText(parameterField_, parameterText());
    SetStaticText(effectField_, effectText(parts_.record.lightingMode()));
}

void LightingSection::draw(QPainter& canvas) {
    const QColor text = parts_.window.Skin().textColour();
    const QFont& font = parts_.window.m_fontText;
    DrawSkinImage(&canvas, parts_.window.Skin(), "/dropdownbox.png", basic::kModeBox.left, basic::kModeBox.top);
    DrawSkinImage(&canvas, parts_.window.Skin(), "/dropdownbox.png", basic::kParameterBox.left,
                  basic::kParameterBox.top);
    DrawSkinText(canvas, basic::kLightingHeading.rect(), Utf8(parts_.texts.m_strRgbEffectHeading), font, text,
                 TextLayout::Centre);
    DrawSkinText(canvas, basic::kModeLabel.rect(), Utf8(parts_.texts.m_strMode), font, text, TextLayout::RightMiddle);
    DrawSkinText(canvas, basic::kParameterLabel.rect(), Utf8(parts_.texts.m_strParameter), font, text,
                 TextLayout::RightMiddle);
    DrawSkinText(canvas, basic::kEffectLabel.rect(), Utf8(parts_.texts.m_strEffect), font, text,
                 TextLayout::RightMiddle);
}

void LightingSection::tearDown() {
    for (DropDownList* list : dropDowns())
        list->close();
    delete modeField_.data();
    delete parameterField_.data();
    delete effectField_.data();
}

bool LightingSection::click(QPoint p) {
    bool taken = false;
    if (basic::kModeBox.contains(p)) {
        modeList_.clickBox();
        taken = true;
    }
    if (basic::kParameterBox.contains(p)) {
        if (!parameterList_.isOpen())
            parameterList_.setListRect(ParameterListRect(parts_.record.lightingMode()));
        parameterList_.clickBox();
        taken = true;
    }
    if (basic::kEffectBox.contains(p)) {
        clickEffect();
        taken = true;
    }
    return taken;
}

void LightingSection::clickEffect() {
    if (effectList_.isOpen()) {
        effectList_.close();
        return;
    }
    const std::uint8_t mode = parts_.record.lightingMode();
    if (mode == lighting_mode::Neon)
        effectList_.open();
    else if (mode == lighting_mode::Standard || mode == lighting_mode::Respiration)
        // These modes have one effect only; there is nothing to choose.
        SetStaticText(effectField_, Utf8(parts_.texts.m_strRgbEffect));
}

void LightingSection::chooseMode(int row) {
    const auto mode = static_cast<std::uint8_t>(row + 1);
    if (!IsLightingMode(mode))
        return;
    parts_.record.setLightingMode(mode);
    SetStaticText(modeField_, modeText());
    SetStaticText(parameterField_, parameterText());
    SetStaticText(effectField_, mode == lighting_mode::Neon ? effectText(mode) : Utf8(parts_.texts.m_strRgbEffect));
}

void LightingSection::chooseParameter(int row) {
    const std::uint8_t mode = parts_.record.lightingMode();
    if (IsLightingMode(mode))
        parts_.record.setLightingParameter1(mode, static_cast<std::uint8_t>(row));
    SetStaticText(parameterField_, Entry(ParameterEntries(mode), static_cast<std::size_t>(row)));
}

void LightingSection::chooseEffect(int row) {
    const auto effect = static_cast<std::uint8_t>(row + 2);
    parts_.record.setLightingParameter2(lighting_mode::Neon, effect);
    SetStaticText(effectField_, effectName(effect));
}

} // namespace vexo
