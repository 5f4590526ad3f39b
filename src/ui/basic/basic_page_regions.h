// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "ui/skin/region.h"

// The regions of the basic settings page and its lighting section, in client pixels. Skins draw
// their pictures for these positions.
namespace vexo::basic {

inline constexpr int kButtonRows = 8;
inline constexpr int kDpiRows = 8;

// Button function box k (0-7) and the list that opens under it.
constexpr Region FunctionBox(int k) { return {252, 186 + 23 * k, 463, 207 + 23 * k}; }
constexpr Region FunctionNumber(int k) { return {252, 186 + 23 * k, 272, 207 + 23 * k}; }
constexpr Region FunctionLabel(int k) { return {272, 186 + 23 * k, 463, 207 + 23 * k}; }
constexpr Region FunctionList(int k) { return {252, 208 + 23 * k, 463, 478 + 23 * k}; }
// The DPI Switch side list: its size; it opens beside the entry under the pointer.
inline constexpr int kSideListWidth = 66;
inline constexpr int kSideListHeight = 80;

inline constexpr Region kModeA{253, 518, 358, 539};
inline constexpr Region kModeB{357, 518, 462, 539};
inline constexpr Region kKeyDefault{307, 549, 412, 570};

// Report-rate segments 125, 250, 500 and 1000 Hz; each caption sits 10 pixels under its segment.
inline constexpr Region kRateSegments[4] = {
    {542, 204, 612, 215}, {614, 204, 684, 215}, {686, 204, 756, 215}, {758, 204, 828, 215}};
constexpr Region RateCaption(const Region& segment) {
    return {segment.left, segment.bottom + 10, segment.right, segment.bottom + 30};
}

// DPI row k (0-7): tick box, its number, colour swatch, value field (click region and control) and
// the value list that opens under the field.
constexpr Region DpiTick(int k) { return {526, 322 + 30 * k, 542, 338 + 30 * k}; }
constexpr Region DpiNumber(int k) { return {506, 322 + 30 * k, 516, 338 + 30 * k}; }
constexpr Region DpiSwatch(int k) { return {548, 322 + 30 * k, 564, 338 + 30 * k}; }
constexpr Region DpiValueBox(int k) { return {575, 323 + 30 * k, 659, 337 + 30 * k}; }
constexpr Region DpiValueField(int k) { return {575, 323 + 30 * k, 644, 337 + 30 * k}; }
constexpr Region DpiValueList(int k) { return {575, 338 + 30 * k, 659, 438 + 30 * k}; }

inline constexpr Region kKeySettingHeading{259, 160, 364, 181};
inline constexpr Region kReportRateHeading{504, 161, 609, 182};
inline constexpr Region kDpiHeading{504, 275, 609, 296};

// The lighting section.
inline constexpr Region kLightingHeading{704, 275, 809, 296};
inline constexpr Region kModeLabel{696, 329, 756, 344};
inline constexpr Region kModeBox{766, 329, 851, 344};
inline constexpr Region kModeField{767, 330, 835, 344};
inline constexpr Region kModeList{766, 347, 851, 407};
inline constexpr Region kParameterLabel{696, 359, 756, 374};
inline constexpr Region kParameterBox{766, 359, 851, 374};
inline constexpr Region kParameterField{767, 360, 835, 374};
// The parameter list's height depends on the mode shown.
inline constexpr Region kParameterListStandard{766, 377, 851, 547};
inline constexpr Region kParameterListRespiration{766, 377, 851, 467};
inline constexpr Region kParameterListNeon{766, 377, 851, 577};
inline constexpr Region kEffectLabel{697, 390, 757, 404};
inline constexpr Region kEffectBox{767, 390, 851, 404};
inline constexpr Region kEffectField{767, 390, 835, 404};
inline constexpr Region kEffectList{766, 407, 851, 447};

// Control identifiers (also the controls' object names).
inline constexpr int kFunctionListId = 41; // + k
inline constexpr int kSideListId = 37;
inline constexpr int kDpiValueListId = 63;
inline constexpr int kModeListId = 64;
inline constexpr int kParameterListId = 65;
inline constexpr int kEffectListId = 66;
inline constexpr int kDpiValueFieldId = 11; // + k
inline constexpr int kSwatchId = 71; // + k
inline constexpr int kModeFieldId = 90;
inline constexpr int kParameterFieldId = 91;
inline constexpr int kEffectFieldId = 92;

} // namespace vexo::basic
