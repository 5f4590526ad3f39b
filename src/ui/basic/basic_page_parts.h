// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPainter>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

namespace vexo {

class CMainDialog;
class ConfigRecord;
class FunctionDispatch;
class IniSettings;
class Prompter;
struct UiTexts;

// What the basic settings page works with. Everything must outlive the page.
struct BasicPageParts {
    CMainDialog& window; // owner of the page's controls and of the back buffer
    ConfigRecord& record; // the edited configuration
    IniSettings& settings; // the button labels of both modes
    const UiTexts& texts; // the interface texts of the current language
    FunctionDispatch& dispatch; // what a pick in a button's function list does
    Prompter& prompter; // the page's one refusal
    // The mouse's sensor type as read at the first showing; it chooses the DPI list.
    std::function<std::uint8_t()> sensorType;
};

// A UTF-8 text of the core as a Qt string.
inline QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace vexo
