// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vexo {

// The three interface languages. The code read from str.ini selects simplified Chinese only when
// it is exactly "CHS" and traditional Chinese only when it is exactly "CHT" (case-sensitive, the
// whole text); every other code, the empty one included, selects English.
enum class Language { SimplifiedChinese = 0, TraditionalChinese = 1, English = 2 };

Language LanguageOf(std::string_view code);

// Every text the main window shows, one slot per text, filled once in the current language, and
// the str.ini section that keeps this language's button labels. Texts are UTF-8.
struct UiTexts {
    std::string m_strBasicSettings;
    std::string m_strAdvancedSettings;
    std::string m_strColorSetting;
    std::string m_strOk;
    std::string m_strApply;
    std::string m_strCancel;
    std::string m_strLeftClick;
    std::string m_strRightClick;
    std::string m_strMidClick;
    std::string m_strForward;
    std::string m_strBackward;
    std::string m_strTripleClick;
    std::string m_strDpiSwitch;
    std::string m_strReportRateSwitch;
    std::string m_strShift;
    std::string m_strRgbOnOff;
    std::string m_strWindows;
    std::string m_strMultimedia;
    std::string m_strFireKey;
    std::string m_strSingleKey;
    std::string m_strComboKey;
    std::string m_strMacroKey;
    std::string m_strKeyOff;
    std::string m_strLeftKeyRequired;
    std::string m_strKeyDefault;
    std::string m_strKeyConfig1;
    std::string m_strKeyConfig2;
    std::string m_strKeyConfig3;
    std::string m_strKeyConfig4;
    std::string m_strKeySetting;
    std::string m_strReportRateSetting;
    std::string m_strDpiSetting;
    std::string m_strAuxLedSetting;
    std::string m_strAsRespirationLed;
    std::string m_strAsHeartBeatLed;
    std::string m_strAsKeyGroupLed;
    std::string m_strRgbEffectHeading;
    std::string m_strMode;
    std::string m_strParameter;
    std::string m_strSpeed;
    std::string m_strBrightness;
    std::string m_strEffect;
    std::string m_strLoopColorSetting;
    std::string m_strDpiColorLedSetting;
    std::string m_strModeOff;
    std::string m_strModeStandard;
    std::string m_strModeRespiration;
    std::string m_strModeNeon;
    std::string m_strNoDisplay;
    std::string m_strRgbEffect;
    std::string m_strRgbFlash;
    std::string m_strRgbFixedOn;
    std::string m_strSelfColorLed;
    std::string m_strLoopColor;
    std::string m_strDpiColor;
    std::string m_strFixedColor;
    std::string m_strWebAddress;
    std::string m_strRate1000;
    std::string m_strRate500;
    std::string m_strRate250;
    std::string m_strRate125;
    std::string m_strDpiStage1;
    std::string m_strDpiStage2;
    std::string m_strDpiStage3;
    std::string m_strDpiStage4;
    std::string m_strDpiStage5;
    std::string m_strDpiStage6;
    std::string m_strDpiStage7;
    std::string m_strDpiStage8;
    std::string m_strKeyGroup1;
    std::string m_strKeyGroup2;
    std::string m_strKeyGroup3;
    std::string m_strKeyGroup4;
    std::string m_strSwitchToMacro;
    std::string m_strExit;
    std::string m_strNoMouse;
    std::string m_strMouseFound;
    std::string m_strMouseAbsent;
    std::string m_strProfileLoaded; // followed by the profile's name
    std::string m_strProfileNotLoaded; // followed by the reason
    std::string m_strMouseSpeed;
    std::string m_strScrollSpeed;
    std::string m_strDoubleClickSpeed;
    std::string m_strMacroSetting;
    std::string m_strSelectMacro;
    std::string m_strKeySequence;
    std::string m_strRecordOption;
    std::string m_strEnhancePrecision;
    std::string m_strScrollOneScreen;
    std::string m_strRestoreDefaults;
    std::string m_strMacroName;
    std::string m_strStartRecording;
    std::string m_strStopRecording;
    std::string m_strRecordOnlyKeys;
    std::string m_strLoopTimes;
    std::string m_strInsertMouseEvent;
    std::string m_strNew;
    std::string m_strDelete;
    std::string m_strConfirm;
    std::string m_strMacroNameBlank;
    std::string m_strMacroNameExists;
    std::string m_strStopHint;
    std::string m_strNotRecording;
    std::string m_strSettingSection;
};

// One slot of the table: its name, where it lives in UiTexts and its text in each language
// (indexed by Language).
struct TextRow {
    const char* name;
    std::string UiTexts::*slot;
    std::array<const char*, 3> text;
};

inline constexpr std::size_t kTextSlots = 104;

// All slots in the order they are filled.
std::span<const TextRow, kTextSlots> TextTable();

// The slots filled with the texts of the language the code selects.
UiTexts SelectTexts(std::string_view languageCode);

} // namespace vexo
