// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/button_setting.h"

#include <algorithm>
#include <array>

#include "config/button_functions.h"
#include "config/button_parameters.h"
#include "config/setting_text.h"
#include "config/ui_texts.h"
#include "keys/key_name_table.h"
#include "keys/picker_lists.h"

namespace vexo {
namespace {

using setting_text::IndexOf;
using setting_text::Join;
using setting_text::Number;

// Names of the function rows that take no parameters, by function code; empty for the others.
constexpr std::array<std::string_view, kFunctionRows> kPlainNames{"left-click",
                                                                  "right-click",
                                                                  "middle-click",
                                                                  "forward",
                                                                  "backward",
                                                                  "triple-click",
                                                                  "",
                                                                  "rgb-on-off",
                                                                  "",
                                                                  "",
                                                                  "",
                                                                  "",
                                                                  "",
                                                                  "",
                                                                  "shift",
                                                                  "key-off"};
constexpr std::array<std::string_view, 4> kDpiNames{"up", "down", "loop", "shift"};
constexpr std::array<std::string_view, 3> kRepeatNames{"counted", "until-any-key", "until-released"};

std::string_view Localized(const LocalizedText& text, Language language) {
    switch (language) {
    case Language::SimplifiedChinese: return text.simplifiedChinese;
    case Language::TraditionalChinese: return text.traditionalChinese;
    case Language::English: break;
    }
    return text.english;
}

std::string KeyName(KeyCode code) {
    for (const KeyNameRow& row : KeyNameTable())
        if (row.code == code && code != 0)
            return std::string(row.name);
    return "code-" + std::to_string(code);
}

std::string ModifierName(std::uint8_t bits) {
    static constexpr std::array<std::string_view, 8> kModifiers{"Left Ctrl",  "Left Shift",  "Left Alt",  "Left Win",
                                                                "Right Ctrl", "Right Shift", "Right Alt", "Right Win"};
    for (std::string_view name : kModifiers)
        if (ModifierNameToBits(name) == bits)
            return std::string(name);
    return "modifiers-" + std::to_string(bits);
}

} // namespace

std::string FormatButtonSetting(const SettingsState& s, KeyMode mode, std::size_t b) {
    const ConfigRecord& r = s.record;
    const auto field = [&](ButtonArray a) { return r.buttons(mode, a)[b]; };
    const std::uint8_t code = r.functionCode(mode, b);
    namespace fc = function_code;
    switch (code) {
    case fc::DpiSwitch: {
        const std::uint8_t sub = r.dpiSubFunctions(mode)[b];
        return "dpi:" + (sub >= 1 && sub <= 4 ? std::string(kDpiNames[sub - 1]) : "code-" + std::to_string(sub));
    }
    case fc::Windows: {
        const int row = field(ButtonArray::WinFuncIndex);
        return "windows:" +
            (row < kWindowsFunctionRowCount ? std::string(WindowsFunctionTexts()[row].english)
                                            : "row-" + std::to_string(row));
    }
    case fc::Multimedia: {
        const int row = field(ButtonArray::MediaIndex);
        return "multimedia:" +
            (row < kMediaRowCount ? std::string(MediaTexts()[row].english) : "row-" + std::to_string(row));
    }
    case fc::FireKey: {
        const int row = field(ButtonArray::FireKeyIndex);
        const std::string key = row < kFireKeyRowCount ? std::string(FireKeyText(row)) : "row-" + std::to_string(row);
        return "fire-key:" + key + "/" + std::to_string(field(ButtonArray::FireSpeed)) + "/" +
            std::to_string(field(ButtonArray::FireTimes));
    }
    case fc::SingleKey: return "single-key:" + KeyName(field(ButtonArray::SingleKeyCode));
    case fc::ComboKey: {
        std::string text;
        const auto join = [&text](const std::string& part) { text += (text.empty() ? "" : "+") + part; };
        if (field(ButtonArray::ComboModifiers) != 0)
            join(ModifierName(field(ButtonArray::ComboModifiers)));
        for (ButtonArray key : {ButtonArray::ComboKey1, ButtonArray::ComboKey2})
            if (field(key) != 0)
                join(KeyName(field(key)));
        return "combo-key:" + text;
    }
    case fc::MacroKey: {
        const std::size_t slot = field(ButtonArray::MacroSlot);
        const std::uint8_t repeat = field(ButtonArray::MacroRepeatMode);
        return "macro:" + (slot < s.macroNames.size() ? s.macroNames[slot] : "slot-" + std::to_string(slot)) + "/" +
            (repeat < 3 ? std::string(kRepeatNames[repeat]) : "code-" + std::to_string(repeat));
    }
    default: return code < kFunctionRows ? std::string(kPlainNames[code]) : "code-" + std::to_string(code);
    }
}

const char* const kButtonSettingValues =
    "left-click, right-click, middle-click, forward, backward, triple-click, rgb-on-off, key-off, shift, "
    "dpi:up|down|loop|shift, windows:NAME, multimedia:NAME, fire-key:KEY/SPEED(5-255)/TIMES(0-255), "
    "single-key:KEY, combo-key:[MODIFIER+]KEY[+KEY], macro:NAME[/counted|until-any-key|until-released]";

namespace {

template <std::size_t N>
std::optional<int> ListRow(std::span<const LocalizedText, N> texts, std::string_view value) {
    for (std::size_t i = 0; i < N; ++i)
        if (texts[i].english == value)
            return static_cast<int>(i);
    return std::nullopt;
}

template <std::size_t N>
std::string ListNames(std::span<const LocalizedText, N> texts) {
    std::string text;
    for (const LocalizedText& t : texts)
        text += (text.empty() ? "" : ", ") + std::string(t.english);
    return text;
}

// A combination "[MODIFIER+]KEY[+KEY]" where names may themselves hold '+' ("Num +"): every way of
// cutting at '+' is tried and the first whose parts are all known names wins.
std::optional<ComboPick> ParseCombination(std::string_view text) {
    std::vector<std::size_t> plus;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '+')
            plus.push_back(i);
    const auto isKey = [](std::string_view n) { return KeyNameToCode(n) != 0; };
    const auto isModifier = [](std::string_view n) { return ModifierNameToBits(n) != 0; };
    const auto pieces = [&](std::vector<std::size_t> cuts) {
        std::vector<std::string_view> parts;
        std::size_t from = 0;
        for (std::size_t cut : cuts) {
            parts.push_back(text.substr(from, cut - from));
            from = cut + 1;
        }
        parts.push_back(text.substr(from));
        return parts;
    };
    std::vector<std::vector<std::size_t>> options{{}};
    for (std::size_t i = 0; i < plus.size(); ++i) {
        options.push_back({plus[i]});
        for (std::size_t j = i + 1; j < plus.size(); ++j)
            options.push_back({plus[i], plus[j]});
    }
    for (const auto& cuts : options) {
        const auto p = pieces(cuts);
        if (p.size() == 1 && isModifier(p[0]))
            return ComboPick{std::string(p[0]), {}, {}};
        if (p.size() == 1 && isKey(p[0]))
            return ComboPick{{}, std::string(p[0]), {}};
        if (p.size() == 2 && isModifier(p[0]) && isKey(p[1]))
            return ComboPick{std::string(p[0]), std::string(p[1]), {}};
        if (p.size() == 2 && isKey(p[0]) && isKey(p[1]))
            return ComboPick{{}, std::string(p[0]), std::string(p[1])};
        if (p.size() == 3 && isModifier(p[0]) && isKey(p[1]) && isKey(p[2]))
            return ComboPick{std::string(p[0]), std::string(p[1]), std::string(p[2])};
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> AssignButtonSetting(SettingsState& s, KeyMode mode, std::size_t b, std::string_view value) {
    const UiTexts texts = SelectTexts(s.language);
    const Language language = LanguageOf(s.language);
    IniSettings::Labels& own = mode == KeyMode::A ? s.labelsA : s.labelsB;
    IniSettings::Labels& other = mode == KeyMode::A ? s.labelsB : s.labelsA;
    const ButtonLabels labels{own[b], other[b]};
    const std::size_t colon = value.find(':');
    const std::string_view kind = value.substr(0, colon);
    const std::string_view arg = colon == std::string_view::npos ? std::string_view{} : value.substr(colon + 1);
    const auto bad = [](const std::string& why) { return std::optional<std::string>(why); };

    if (colon == std::string_view::npos) {
        const auto row = IndexOf(kPlainNames, value);
        if (!row)
            return bad("unknown function '" + std::string(value) + "'; allowed: " + kButtonSettingValues);
        if (*row == function_code::Shift) {
            if (!AssignShift(s.record, mode, b, texts, labels))
                return bad("another button of this mode already is shift (one per mode)");
            return std::nullopt;
        }
        AssignPlainFunction(s.record, mode, b, static_cast<std::uint8_t>(*row), texts, labels);
        return std::nullopt;
    }
    if (kind == "dpi") {
        const auto sub = IndexOf(kDpiNames, arg);
        if (!sub)
            return bad("dpi takes one of " + Join(kDpiNames) + ", not '" + std::string(arg) + "'");
        AssignDpiFunction(s.record, mode, b, static_cast<std::uint8_t>(*sub + 1), own[b]);
        return std::nullopt;
    }
    if (kind == "windows" || kind == "multimedia") {
        const bool windows = kind == "windows";
        const auto row = windows ? ListRow(WindowsFunctionTexts(), arg) : ListRow(MediaTexts(), arg);
        if (!row)
            return bad(std::string(kind) +
                       " takes one of: " + (windows ? ListNames(WindowsFunctionTexts()) : ListNames(MediaTexts())));
        const std::string shown(Localized((windows ? WindowsFunctionTexts()[*row] : MediaTexts()[*row]), language));
        if (windows)
            AssignWindowsFunction(s.record, mode, b, ListPick{*row, shown}, labels);
        else
            AssignMultimedia(s.record, mode, b, ListPick{*row, shown}, texts, labels);
        return std::nullopt;
    }
    if (kind == "fire-key") {
        const std::size_t second = arg.rfind('/');
        const std::size_t first = second == std::string_view::npos || second == 0 ? second : arg.rfind('/', second - 1);
        const std::string_view key = first == std::string_view::npos ? std::string_view{} : arg.substr(0, first);
        std::optional<int> row;
        for (int i = 0; i < kFireKeyRowCount && first != std::string_view::npos; ++i)
            if (FireKeyText(i) == key)
                row = i;
        const auto speed =
            first == std::string_view::npos ? std::nullopt : Number(arg.substr(first + 1, second - first - 1));
        const auto times = second == std::string_view::npos ? std::nullopt : Number(arg.substr(second + 1));
        if (!row || !speed || !times || *speed < 5 || *speed > 255 || *times > 255) {
            std::string keys;
            for (int i = 0; i < kFireKeyRowCount; ++i)
                keys += (i ? ", " : "") + std::string(FireKeyText(i));
            return bad("fire-key takes KEY/SPEED/TIMES with SPEED 5-255 and TIMES 0-255 (0 repeats until released); "
                       "keys: " +
                       keys);
        }
        AssignFireKey(
            s.record, mode, b,
            FireKeyPick{*row, std::string(key), static_cast<std::uint8_t>(*speed), static_cast<std::uint8_t>(*times)},
            texts, labels);
        return std::nullopt;
    }
    if (kind == "single-key") {
        if (KeyNameToCode(arg) == 0)
            return bad("single-key takes a key name as the key table spells it (\"A\", \"F5\", \"Left Ctrl\", "
                       "\"Num +\"), not '" +
                       std::string(arg) + "'");
        AssignSingleKey(s.record, mode, b, std::string(arg), texts, labels);
        return std::nullopt;
    }
    if (kind == "combo-key") {
        const auto pick = ParseCombination(arg);
        if (!pick)
            return bad("combo-key takes [MODIFIER+]KEY[+KEY]; modifiers: Left Ctrl, Left Shift, Left Alt, Left Win, "
                       "Right Ctrl, Right Shift, Right Alt, Right Win; keys as the key table spells them");
        AssignComboKey(s.record, mode, b, *pick, texts, labels);
        return std::nullopt;
    }
    if (kind == "macro") {
        const std::size_t slash = arg.rfind('/');
        std::string_view name = arg;
        std::size_t repeat = 0;
        if (slash != std::string_view::npos) {
            if (const auto r = IndexOf(kRepeatNames, arg.substr(slash + 1))) {
                name = arg.substr(0, slash);
                repeat = *r;
            }
        }
        const auto at = std::find(s.macroNames.begin(), s.macroNames.end(), name);
        if (at == s.macroNames.end() || at - s.macroNames.begin() > 255) {
            std::string names;
            for (const std::string& n : s.macroNames)
                names += (names.empty() ? "" : ", ") + n;
            return bad("macro takes NAME[/" + Join(kRepeatNames) +
                       "] with a macro of record.ini: " + (names.empty() ? "(there are none)" : names));
        }
        AssignMacroKey(
            s.record, mode, b,
            MacroPick{static_cast<int>(at - s.macroNames.begin()), static_cast<int>(repeat) + 1, std::string(name)},
            texts, labels);
        return std::nullopt;
    }
    return bad("unknown function '" + std::string(value) + "'; allowed: " + kButtonSettingValues);
}

} // namespace vexo
