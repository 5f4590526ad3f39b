// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/ui_texts.h"

namespace vexo {
namespace {

// Texts exactly as shown, Chinese punctuation and trailing blanks included.
const std::array<TextRow, kTextSlots> kTable{{
    {"m_strBasicSettings", &UiTexts::m_strBasicSettings, {"基本设置", "基本設置", "Basic Settings"}},
    {"m_strAdvancedSettings", &UiTexts::m_strAdvancedSettings, {"高级设置", "高級設置", "Advanced Settings"}},
    {"m_strColorSetting", &UiTexts::m_strColorSetting, {"颜色设置", "顏色設置", "Color Setting"}},
    {"m_strOk", &UiTexts::m_strOk, {"确定", "確定", "OK"}},
    {"m_strApply", &UiTexts::m_strApply, {"应用", "應用", "Apply"}},
    {"m_strCancel", &UiTexts::m_strCancel, {"取消", "取消", "Cancel"}},
    {"m_strLeftClick", &UiTexts::m_strLeftClick, {"左键", "左鍵", "Left Click"}},
    {"m_strRightClick", &UiTexts::m_strRightClick, {"右键", "右鍵", "Right Click"}},
    {"m_strMidClick", &UiTexts::m_strMidClick, {"中键", "中鍵", "Mid Click"}},
    {"m_strForward", &UiTexts::m_strForward, {"前进方向键", "前進方向鍵", "Forward"}},
    {"m_strBackward", &UiTexts::m_strBackward, {"后退方向键", "後退方向鍵", "Backward"}},
    {"m_strTripleClick", &UiTexts::m_strTripleClick, {"三连发", "三連發", "Triple-click"}},
    {"m_strDpiSwitch", &UiTexts::m_strDpiSwitch, {"DPI切换", "DPI切換", "DPI Switch"}},
    {"m_strReportRateSwitch", &UiTexts::m_strReportRateSwitch, {"报告率切换", "報告率切換", "Report Rate Switch"}},
    {"m_strShift", &UiTexts::m_strShift, {"Shift", "Shift", "Shift"}},
    {"m_strRgbOnOff", &UiTexts::m_strRgbOnOff, {"RGB打开/关闭", "RGB打開/關閉", "RGB On/Off"}},
    {"m_strWindows", &UiTexts::m_strWindows, {"Windows", "Windows", "Windows"}},
    {"m_strMultimedia", &UiTexts::m_strMultimedia, {"多媒体", "多媒體", "Multimedia"}},
    {"m_strFireKey", &UiTexts::m_strFireKey, {"火力键", "火力鍵", "Fire Key"}},
    {"m_strSingleKey", &UiTexts::m_strSingleKey, {"单键", "單鍵", "Single Key"}},
    {"m_strComboKey", &UiTexts::m_strComboKey, {"组合键", "複合鍵", "Combo Key"}},
    {"m_strMacroKey", &UiTexts::m_strMacroKey, {"宏", "巨集", "Macro Key"}},
    {"m_strKeyOff", &UiTexts::m_strKeyOff, {"按键关闭", "按鍵關閉", "Key Off"}},
    {"m_strLeftKeyRequired", &UiTexts::m_strLeftKeyRequired, {"左键功能必须选择！", "左鍵功能必須選擇！", "Left key must be selected!"}},
    {"m_strKeyDefault", &UiTexts::m_strKeyDefault, {"按键恢复", "按鍵恢復", "Default"}},
    {"m_strKeyConfig1", &UiTexts::m_strKeyConfig1, {"按键配置1", "按鍵配置1", "Key Configuration 1"}},
    {"m_strKeyConfig2", &UiTexts::m_strKeyConfig2, {"按键配置2", "按鍵配置2", "Key Configuration 2"}},
    {"m_strKeyConfig3", &UiTexts::m_strKeyConfig3, {"按键配置3", "按鍵配置3", "Key Configuration 3"}},
    {"m_strKeyConfig4", &UiTexts::m_strKeyConfig4, {"按键配置4", "按鍵配置4", "Key Configuration 4"}},
    {"m_strKeySetting", &UiTexts::m_strKeySetting, {"按键设置", "按鍵設置", "Key Setting"}},
    {"m_strReportRateSetting", &UiTexts::m_strReportRateSetting, {"报告率设置", "報告率設置", "Report Rate Setting"}},
    {"m_strDpiSetting", &UiTexts::m_strDpiSetting, {"DPI设置", "DPI設置", "DPI Setting"}},
    {"m_strAuxLedSetting", &UiTexts::m_strAuxLedSetting, {"辅灯设置", "輔燈設置", "Auxiliary LED Setting"}},
    {"m_strAsRespirationLed", &UiTexts::m_strAsRespirationLed, {"设为呼吸灯", "設為呼吸燈", "As Respiration LED"}},
    {"m_strAsHeartBeatLed", &UiTexts::m_strAsHeartBeatLed, {"设为心跳灯", "設為心跳燈", "As Heart Beat LED"}},
    {"m_strAsKeyGroupLed", &UiTexts::m_strAsKeyGroupLed, {"设为按键组切换灯", "設為按鍵群組切換燈", "As Key Group Switch LED"}},
    {"m_strRgbEffectHeading", &UiTexts::m_strRgbEffectHeading, {"RGB显示特效", "RGB顯示特效", "RGB Effect"}},
    {"m_strMode", &UiTexts::m_strMode, {"模式", "模式", "Mode"}},
    {"m_strParameter", &UiTexts::m_strParameter, {"参数", "參數", "Parameter"}},
    {"m_strSpeed", &UiTexts::m_strSpeed, {"速度:请调整灯光显示速度", "速度", "Speed"}},
    {"m_strBrightness", &UiTexts::m_strBrightness, {"亮度:请调整灯光显示亮度", "亮度", "Brightness"}},
    {"m_strEffect", &UiTexts::m_strEffect, {"效果", "效果", "Effect"}},
    {"m_strLoopColorSetting", &UiTexts::m_strLoopColorSetting, {"循环颜色设置", "迴圈顏色設置", "Loop Color Setting"}},
    {"m_strDpiColorLedSetting", &UiTexts::m_strDpiColorLedSetting, {"DPI单色灯设置", "DPI單色燈設置", "DPI Self-Color LED Setting "}},
    {"m_strModeOff", &UiTexts::m_strModeOff, {"关闭模式", "關閉模式", "Off"}},
    {"m_strModeStandard", &UiTexts::m_strModeStandard, {"标准模式", "標準模式", "Standard"}},
    {"m_strModeRespiration", &UiTexts::m_strModeRespiration, {"呼吸模式", "呼吸模式", "Respiration"}},
    {"m_strModeNeon", &UiTexts::m_strModeNeon, {"霓虹模式", "霓虹模式", "Neon"}},
    {"m_strNoDisplay", &UiTexts::m_strNoDisplay, {"关闭", "關閉", "Non-Disolay"}},
    {"m_strRgbEffect", &UiTexts::m_strRgbEffect, {"RGB效果", "RGB效果", "RGB Effect"}},
    {"m_strRgbFlash", &UiTexts::m_strRgbFlash, {"RGB闪烁", "RGB閃爍", "RGB Flash"}},
    {"m_strRgbFixedOn", &UiTexts::m_strRgbFixedOn, {"RGB常亮", "RGB常亮", "RGB Fixed On"}},
    {"m_strSelfColorLed", &UiTexts::m_strSelfColorLed, {"单色LED", "單色LED", "Self-Color LED"}},
    {"m_strLoopColor", &UiTexts::m_strLoopColor, {"循环色", "迴圈色", "Loop Color"}},
    {"m_strDpiColor", &UiTexts::m_strDpiColor, {"DPI颜色", "DPI顏色", "DPI Color"}},
    {"m_strFixedColor", &UiTexts::m_strFixedColor, {"单色", "單色", "Fixed Color"}},
    {"m_strWebAddress", &UiTexts::m_strWebAddress, {"www.vexo-gaming.example", "www.vexo-gaming.example", "www.vexo-gaming.example"}},
    {"m_strRate1000", &UiTexts::m_strRate1000, {"报告率切换到1000HZ", "報告率切換到1000HZ", "Switch report rate into 1000HZ"}},
    {"m_strRate500", &UiTexts::m_strRate500, {"报告率切换到500HZ", "報告率切換到500HZ", "Switch report rate into 500HZ"}},
    {"m_strRate250", &UiTexts::m_strRate250, {"报告率切换到250HZ", "報告率切換到250HZ", "Switch report rate into 250HZ"}},
    {"m_strRate125", &UiTexts::m_strRate125, {"报告率切换到125HZ", "報告率切換到125HZ", "Switch report rate into 125HZ"}},
    {"m_strDpiStage1", &UiTexts::m_strDpiStage1, {"DPI切换到第一段", "DPI切換到第一段", "Switch DPI into the first stage "}},
    {"m_strDpiStage2", &UiTexts::m_strDpiStage2, {"DPI切换到第二段", "DPI切換到第二段", "Switch DPI into the second stage "}},
    {"m_strDpiStage3", &UiTexts::m_strDpiStage3, {"DPI切换到第三段", "DPI切換到第三段", "Switch DPI into the third stage "}},
    {"m_strDpiStage4", &UiTexts::m_strDpiStage4, {"DPI切换到第四段", "DPI切換到第四段", "Switch DPI into the fourth stage "}},
    {"m_strDpiStage5", &UiTexts::m_strDpiStage5, {"DPI切换到第五段", "DPI切換到第五段", "Switch DPI into the fifth stage "}},
    {"m_strDpiStage6", &UiTexts::m_strDpiStage6, {"DPI切换到第六段", "DPI切換到第六段", "Switch DPI into the sixth stage "}},
    {"m_strDpiStage7", &UiTexts::m_strDpiStage7, {"DPI切换到第七段", "DPI切換到第七段", "Switch DPI into the seventh stage "}},
    {"m_strDpiStage8", &UiTexts::m_strDpiStage8, {"DPI切换到第八段", "DPI切換到第八段", "Switch DPI into the eighth stage "}},
    {"m_strKeyGroup1", &UiTexts::m_strKeyGroup1, {"切换到按键组1", "切換到按鍵群組1", "Switch to key matrix 1"}},
    {"m_strKeyGroup2", &UiTexts::m_strKeyGroup2, {"切换到按键组2", "切換到按鍵群組2", "Switch to key matrix 2"}},
    {"m_strKeyGroup3", &UiTexts::m_strKeyGroup3, {"切换到按键组3", "切換到按鍵群組3", "Switch to key matrix 3"}},
    {"m_strKeyGroup4", &UiTexts::m_strKeyGroup4, {"切换到按键组4", "切換到按鍵群組4", "Switch to key matrix 4"}},
    {"m_strSwitchToMacro", &UiTexts::m_strSwitchToMacro, {"切换到宏", "切換到巨集", "Switch to macro key"}},
    {"m_strExit", &UiTexts::m_strExit, {"退出", "退出", "Exit"}},
    {"m_strNoMouse", &UiTexts::m_strNoMouse, {"系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！", "The system did not detect the gaming mouse!"}},
    {"m_strMouseFound", &UiTexts::m_strMouseFound, {"系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。", "The system detect the gaming mouse."}},
    {"m_strMouseAbsent", &UiTexts::m_strMouseAbsent, {"未连接游戏鼠标，插入鼠标后即可进行设置。", "未連接遊戲滑鼠，插入滑鼠後即可進行設置。", "No gaming mouse is connected. Plug the mouse in to change its settings."}},
    {"m_strMouseSpeed", &UiTexts::m_strMouseSpeed, {"鼠标移动速度", "滑鼠移動速度", "Mouse Speed"}},
    {"m_strScrollSpeed", &UiTexts::m_strScrollSpeed, {"鼠标滚动速度", "滑鼠滾動速度", "Scrolling Speed"}},
    {"m_strDoubleClickSpeed", &UiTexts::m_strDoubleClickSpeed, {"鼠标双击速度", "滑鼠雙擊速度", "Double-Click Speed"}},
    {"m_strMacroSetting", &UiTexts::m_strMacroSetting, {"宏设置", "巨集設置", "Macro Setting"}},
    {"m_strSelectMacro", &UiTexts::m_strSelectMacro, {"选择宏", "選擇巨集", "Select Macro"}},
    {"m_strKeySequence", &UiTexts::m_strKeySequence, {"按键序列", "按鍵序列", "Key Press Sequence"}},
    {"m_strRecordOption", &UiTexts::m_strRecordOption, {"录制选项", "錄製選項", "Record Option"}},
    {"m_strEnhancePrecision", &UiTexts::m_strEnhancePrecision, {"提高指针准确度", "提高指針準確度", "Enhance Pointer Precision"}},
    {"m_strScrollOneScreen", &UiTexts::m_strScrollOneScreen, {"一次滚动一个屏幕", "一次滾動一個螢幕", "Scroll One Screen"}},
    {"m_strRestoreDefaults", &UiTexts::m_strRestoreDefaults, {"恢复默认", "恢復默認", "Default"}},
    {"m_strMacroName", &UiTexts::m_strMacroName, {"宏名称", "巨集名稱", "Macro Name"}},
    {"m_strStartRecording", &UiTexts::m_strStartRecording, {"开始录制", "開始錄製", "Start Recording"}},
    {"m_strStopRecording", &UiTexts::m_strStopRecording, {"停止录制", "停止錄製", "Stop Recording"}},
    {"m_strRecordOnlyKeys", &UiTexts::m_strRecordOnlyKeys, {"只录制键盘事件", "只錄製鍵盤事件", "Record Mouse Event"}},
    {"m_strLoopTimes", &UiTexts::m_strLoopTimes, {"循环次数", "迴圈次數", "Loop Times"}},
    {"m_strInsertMouseEvent", &UiTexts::m_strInsertMouseEvent, {"插入一个鼠标事件", "插入一個滑鼠事件", "Insert A Mouse Event"}},
    {"m_strNew", &UiTexts::m_strNew, {"新建", "新建", "New"}},
    {"m_strDelete", &UiTexts::m_strDelete, {"删除", "刪除", "Delete"}},
    {"m_strConfirm", &UiTexts::m_strConfirm, {"确认", "確認", "Confirm"}},
    {"m_strMacroNameBlank", &UiTexts::m_strMacroNameBlank, {"宏名称为空", "巨集名稱為空", "Macro name is blank"}},
    {"m_strMacroNameExists", &UiTexts::m_strMacroNameExists, {"宏名称已经存在", "巨集名稱已經存在", "Macro name already exists"}},
    {"m_strStopHint", &UiTexts::m_strStopHint, {"按Ctrl+Break可以停止录制", "按Ctrl+Break可以停止錄製", "Press Ctrl+Break key to stop recording"}},
    {"m_strNotRecording", &UiTexts::m_strNotRecording, {"没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！", "It doesn’t start recording, unnecessary to press Stop key!"}},
    {"m_strSettingSection", &UiTexts::m_strSettingSection, {"Setting-CHS", "Setting-CHT", "Setting-EN"}},
}};

} // namespace

Language LanguageOf(std::string_view code) {
    if (code == "CHS") {
        return Language::SimplifiedChinese;
    }
    if (code == "CHT") {
        return Language::TraditionalChinese;
    }
    return Language::English;
}

std::span<const TextRow, kTextSlots> TextTable() { return kTable; }

UiTexts SelectTexts(std::string_view languageCode) {
    const auto column = static_cast<std::size_t>(LanguageOf(languageCode));
    UiTexts texts;
    for (const TextRow& row : kTable) {
        texts.*row.slot = row.text[column];
    }
    return texts;
}

} // namespace vexo
