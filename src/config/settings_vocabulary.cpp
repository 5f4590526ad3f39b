// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/settings_vocabulary.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "config/button_functions.h"
#include "config/button_setting.h"
#include "config/dpi_table.h"
#include "config/ui_texts.h"
#include "config/utf_text.h"
#include "config/setting_text.h"

namespace vexo {
namespace {

using setting_text::IndexOf;
using setting_text::Join;
using setting_text::Number;

struct Error {
    std::string text;
};

// Report rates in Hz and the interval bytes the record keeps for them.
constexpr std::array<std::pair<unsigned, std::uint8_t>, 4> kRates{{{125, 8}, {250, 4}, {500, 2}, {1000, 1}}};
constexpr std::array<std::string_view, 4> kLightingModes{"off", "standard", "respiration", "neon"};
constexpr std::array<std::string_view, 2> kNeonEffects{"flash", "fixed"};
constexpr std::array<unsigned, 10> kBrightness{5, 15, 25, 35, 45, 55, 65, 75, 85, 100};
constexpr int kSliderSteps = 11;
// A label or skin name longer than this (in UTF-16 units) would be cut by the readers of str.ini.
constexpr std::size_t kMaxText = 1023;

std::string Hex(Rgb c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (std::uint8_t v : {c.red, c.green, c.blue}) {
        text += kDigits[v >> 4];
        text += kDigits[v & 0xF];
    }
    return text;
}

std::optional<Rgb> ParseColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    std::array<std::uint8_t, 3> parts{};
    for (std::size_t i = 0; i < 3; ++i) {
        unsigned value = 0;
        const char* first = text.data() + 1 + 2 * i;
        const auto [end, ec] = std::from_chars(first, first + 2, value, 16);
        if (ec != std::errc() || end != first + 2)
            return std::nullopt;
        parts[i] = static_cast<std::uint8_t>(value);
    }
    return Rgb{parts[0], parts[1], parts[2]};
}

// Text str.ini keeps and reads back as given: well-formed UTF-8 (a malformed byte would come back
// as U+FFFD), within the readers' length, on one line.
bool PlainText(std::string_view text) {
    return utf::sanitize(text) == text && utf::utf16Length(text) <= kMaxText &&
        std::none_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// "<prefix>.<n>[.<rest>]" with n in 1..count: the index n - 1 and the rest (empty when absent).
std::optional<std::pair<std::size_t, std::string_view>> Indexed(std::string_view name, std::string_view prefix,
                                                                std::size_t count) {
    if (name.substr(0, prefix.size() + 1) != std::string(prefix) + ".")
        return std::nullopt;
    name.remove_prefix(prefix.size() + 1);
    const std::size_t dot = name.find('.');
    const auto n = Number(name.substr(0, dot));
    if (!n || *n < 1 || *n > count || name.substr(0, dot).front() == '0')
        return std::nullopt;
    return std::pair{*n - 1, dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1)};
}

std::optional<KeyMode> ModeOf(std::string_view text) {
    if (text == "a")
        return KeyMode::A;
    if (text == "b")
        return KeyMode::B;
    return std::nullopt;
}

// --- other settings --------------------------------------------------------------------------

std::string YesNo(bool on) { return on ? "yes" : "no"; }

std::optional<bool> ParseYesNo(std::string_view v) {
    if (v == "yes")
        return true;
    if (v == "no")
        return false;
    return std::nullopt;
}

std::string Seconds(unsigned halves) { return std::to_string(halves / 2) + (halves % 2 ? ".5s" : "s"); }

// The parameter list of a lighting mode as the page lists it.
std::vector<std::string> LightingEntries(std::uint8_t mode) {
    std::vector<std::string> entries;
    if (mode == lighting_mode::Standard)
        for (unsigned percent : kBrightness)
            entries.push_back(std::to_string(percent) + "%");
    else if (mode == lighting_mode::Respiration)
        for (unsigned seconds = 8; seconds >= 4; --seconds)
            entries.push_back(std::to_string(seconds) + "s");
    else
        for (unsigned halves = 1; halves <= 30; ++halves)
            entries.push_back(Seconds(halves));
    return entries;
}

std::string JoinAll(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::vector<std::string> DpiChoices(const SettingsState& s) {
    std::vector<std::string> values;
    if (s.sensorType)
        for (const DpiRow& row : DpiList(*s.sensorType))
            values.push_back(std::to_string(row.value));
    return values;
}

std::optional<std::uint8_t> LightingModeOfName(std::string_view rest) {
    const auto index = IndexOf(kLightingModes, rest);
    return index && *index > 0 ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*index)) : std::nullopt;
}

} // namespace

std::vector<std::string> SettingsVocabulary::Names() {
    std::vector<std::string> names{"mode"};
    for (std::size_t b = 1; b <= kEditableButtons; ++b)
        for (const char* m : {"a", "b"})
            names.push_back("button." + std::to_string(b) + "." + m);
    for (std::size_t b = 1; b <= IniSettings::kLabels; ++b)
        for (const char* m : {"a", "b"})
            names.push_back("label." + std::to_string(b) + "." + m);
    names.push_back("report-rate");
    for (std::size_t d = 1; d <= ConfigRecord::kDpiStages; ++d)
        for (const char* suffix : {"", ".enabled", ".colour"})
            names.push_back("dpi." + std::to_string(d) + suffix);
    for (const char* n : {"lighting.mode", "lighting.standard", "lighting.respiration", "lighting.neon",
                          "lighting.neon.effect", "pointer.precision", "pointer.scroll-screen", "pointer.speed",
                          "pointer.wheel", "pointer.double-click", "skin", "language"})
        names.emplace_back(n);
    return names;
}

std::string SettingsVocabulary::NamesHelp() {
    return "button.N.a, button.N.b (N 1-8), label.N.a, label.N.b (N 1-12), mode, report-rate, dpi.N, dpi.N.enabled, "
           "dpi.N.colour (N 1-8), lighting.mode, lighting.standard, lighting.respiration, lighting.neon, "
           "lighting.neon.effect, pointer.precision, pointer.scroll-screen, pointer.speed, pointer.wheel, "
           "pointer.double-click, skin, language";
}

std::optional<std::string> SettingsVocabulary::Get(const SettingsState& s, std::string_view name) {
    const ConfigRecord& r = s.record;
    if (const auto button = Indexed(name, "button", kEditableButtons)) {
        if (const auto mode = ModeOf(button->second))
            return FormatButtonSetting(s, *mode, button->first);
        return std::nullopt;
    }
    if (const auto label = Indexed(name, "label", IniSettings::kLabels)) {
        if (const auto mode = ModeOf(label->second))
            return (*mode == KeyMode::A ? s.labelsA : s.labelsB)[label->first];
        return std::nullopt;
    }
    if (const auto dpi = Indexed(name, "dpi", ConfigRecord::kDpiStages)) {
        const std::size_t stage = dpi->first;
        if (dpi->second.empty()) {
            const std::uint8_t row = r.dpiValues()[stage];
            const auto value = s.sensorType ? DpiValue(*s.sensorType, row) : std::nullopt;
            return value ? std::to_string(*value) : "row-" + std::to_string(row);
        }
        if (dpi->second == "enabled")
            return YesNo(r.stageEnabled(stage));
        if (dpi->second == "colour")
            return Hex(r.dpiColour(stage));
        return std::nullopt;
    }
    if (name == "mode")
        return r.editedMode() == KeyMode::A ? "a" : "b";
    if (name == "report-rate") {
        for (const auto& [hz, interval] : kRates)
            if (interval == r.reportRate())
                return std::to_string(hz);
        return "interval-" + std::to_string(r.reportRate());
    }
    if (name == "lighting.mode")
        return r.lightingMode() < kLightingModes.size() ? std::string(kLightingModes[r.lightingMode()])
                                                        : "code-" + std::to_string(r.lightingMode());
    if (name.substr(0, 9) == "lighting.") {
        if (name == "lighting.neon.effect") {
            const std::uint8_t effect = r.lightingParameter2(lighting_mode::Neon);
            return effect == 2 || effect == 3 ? std::string(kNeonEffects[effect - 2])
                                              : "code-" + std::to_string(effect);
        }
        const auto mode = LightingModeOfName(name.substr(9));
        if (!mode)
            return std::nullopt;
        const auto entries = LightingEntries(*mode);
        const std::uint8_t row = r.lightingParameter1(*mode);
        return row < entries.size() ? entries[row] : "row-" + std::to_string(row);
    }
    const DesktopBytes d = r.desktop();
    if (name == "pointer.precision")
        return YesNo(d.enhancePrecision == 1);
    if (name == "pointer.scroll-screen")
        return YesNo(d.scrollOneScreen == 1);
    if (name == "pointer.speed")
        return std::to_string(d.pointerSpeedRow);
    if (name == "pointer.wheel")
        return std::to_string(d.wheelLines);
    if (name == "pointer.double-click")
        return std::to_string(d.doubleClickRow);
    if (name == "skin")
        return s.skin;
    if (name == "language") {
        switch (LanguageOf(s.language)) {
        case Language::SimplifiedChinese: return "chs";
        case Language::TraditionalChinese: return "cht";
        case Language::English: break;
        }
        return "en";
    }
    return std::nullopt;
}

std::optional<SettingAssignment> SettingsVocabulary::ParseAssignment(std::string_view text) {
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return std::nullopt;
    return SettingAssignment{std::string(text.substr(0, eq)), std::string(text.substr(eq + 1))};
}

namespace {

std::optional<Error> SetOne(SettingsState& s, std::string_view name, std::string_view v) {
    ConfigRecord& r = s.record;
    const auto must = [&](const std::string& allowed) {
        return Error{"takes " + allowed + ", not '" + std::string(v) + "'"};
    };
    if (const auto button = Indexed(name, "button", kEditableButtons)) {
        if (const auto mode = ModeOf(button->second)) {
            if (auto error = AssignButtonSetting(s, *mode, button->first, v))
                return Error{*error};
            return std::nullopt;
        }
    } else if (const auto label = Indexed(name, "label", IniSettings::kLabels)) {
        if (const auto mode = ModeOf(label->second)) {
            if (!PlainText(v))
                return must("UTF-8 text of at most 1023 characters without control characters");
            (*mode == KeyMode::A ? s.labelsA : s.labelsB)[label->first] = std::string(v);
            return std::nullopt;
        }
    } else if (const auto dpi = Indexed(name, "dpi", ConfigRecord::kDpiStages)) {
        const std::size_t stage = dpi->first;
        if (dpi->second.empty()) {
            const std::size_t rows = s.sensorType ? DpiList(*s.sensorType).size() : 0;
            if (v.substr(0, 4) == "row-") {
                const auto row = Number(v.substr(4));
                const std::size_t limit = s.sensorType ? rows : 256;
                if (!row || *row >= limit)
                    return must("row-R with R below " + std::to_string(limit));
                r.dpiValues()[stage] = static_cast<std::uint8_t>(*row);
                return std::nullopt;
            }
            const auto value = Number(v);
            for (std::size_t row = 0; value && row < rows && row < 256; ++row)
                if (DpiValue(*s.sensorType, row) == *value) {
                    r.dpiValues()[stage] = static_cast<std::uint8_t>(row);
                    return std::nullopt;
                }
            if (!s.sensorType)
                return must("row-R (the row of the sensor's DPI list) while the sensor type is unknown; "
                            "give --sensor N or connect the mouse to use DPI values");
            return must("one of " + JoinAll(DpiChoices(s)) + " or row-R");
        }
        if (dpi->second == "enabled") {
            const auto on = ParseYesNo(v);
            if (!on)
                return must("yes or no");
            r.dpiEnabled()[stage] = *on ? 1 : 0;
            return std::nullopt;
        }
        if (dpi->second == "colour") {
            const auto colour = ParseColour(v);
            if (!colour)
                return must("a colour #rrggbb");
            r.setDpiColour(stage, *colour);
            return std::nullopt;
        }
    } else if (name == "mode") {
        const auto mode = ModeOf(v);
        if (!mode)
            return must("a or b");
        r.setModeSelector(*mode == KeyMode::A ? 0 : 1);
        return std::nullopt;
    } else if (name == "report-rate") {
        for (const auto& [hz, interval] : kRates)
            if (Number(v) == hz) {
                r.setReportRate(interval);
                return std::nullopt;
            }
        return must("one of 125, 250, 500, 1000");
    } else if (name == "lighting.mode") {
        const auto mode = LightingModeOfName(v);
        if (!mode)
            return must("one of standard, respiration, neon");
        r.setLightingMode(*mode);
        return std::nullopt;
    } else if (name == "lighting.neon.effect") {
        const auto effect = IndexOf(kNeonEffects, v);
        if (!effect)
            return must("flash or fixed");
        r.setLightingParameter2(lighting_mode::Neon, static_cast<std::uint8_t>(*effect + 2));
        return std::nullopt;
    } else if (name.substr(0, 9) == "lighting.") {
        if (const auto mode = LightingModeOfName(name.substr(9))) {
            const auto entries = LightingEntries(*mode);
            const auto at = std::find(entries.begin(), entries.end(), v);
            if (at == entries.end())
                return must("one of " + JoinAll(entries));
            r.setLightingParameter1(*mode, static_cast<std::uint8_t>(at - entries.begin()));
            return std::nullopt;
        }
    } else if (name == "pointer.precision" || name == "pointer.scroll-screen") {
        const auto on = ParseYesNo(v);
        if (!on)
            return must("yes or no");
        DesktopBytes d = r.desktop();
        (name == "pointer.precision" ? d.enhancePrecision : d.scrollOneScreen) = *on ? 1 : 0;
        r.setDesktop(d);
        return std::nullopt;
    } else if (name == "pointer.speed" || name == "pointer.wheel" || name == "pointer.double-click") {
        const auto step = Number(v);
        if (!step || *step < 1 || *step > kSliderSteps)
            return must("a slider step from 1 to 11");
        DesktopBytes d = r.desktop();
        (name == "pointer.speed"       ? d.pointerSpeedRow
             : name == "pointer.wheel" ? d.wheelLines
                                       : d.doubleClickRow) = static_cast<std::uint8_t>(*step);
        r.setDesktop(d);
        return std::nullopt;
    } else if (name == "skin") {
        if (v.empty() || v.size() > 255 || !PlainText(v))
            return must("a skin name of 1-255 bytes of UTF-8 without control characters");
        s.skin = std::string(v);
        return std::nullopt;
    } else if (name == "language") {
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kCodes{
            {{"en", "EN"}, {"chs", "CHS"}, {"cht", "CHT"}}};
        for (const auto& [word, code] : kCodes)
            if (v == word) {
                s.language = std::string(code);
                return std::nullopt;
            }
        return must("one of en, chs, cht");
    }
    return Error{"unknown name; names are: " + SettingsVocabulary::NamesHelp()};
}

} // namespace

std::vector<std::string> SettingsVocabulary::Apply(SettingsState& state,
                                                   const std::vector<SettingAssignment>& assignments) {
    // Applied in order to a copy: the one-Shift-per-mode rule and labels depend on what came before.
    SettingsState next = state;
    std::vector<std::string> errors;
    for (const SettingAssignment& a : assignments)
        if (const auto error = SetOne(next, a.name, a.value))
            errors.push_back(a.name + ": " + error->text);
    if (errors.empty())
        state = std::move(next);
    return errors;
}

} // namespace vexo
