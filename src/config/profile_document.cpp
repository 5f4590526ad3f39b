// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/profile_document.h"

#include <algorithm>
#include <set>

#include "config/json_value.h"

namespace vexo {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Texts go back into INI lines: a line break or NUL would split or cut them there.
bool IniSafe(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos; }

JsonValue Texts(const IniSettings::Labels& labels) {
    JsonValue array = JsonValue::MakeArray();
    for (const std::string& label : labels)
        array.items().emplace_back(label);
    return array;
}

class Reader {
public:
    std::vector<std::string> errors;

    void error(const std::string& field, const std::string& why) { errors.push_back(field + ": " + why); }

    // The members of object at field, with every member not in known reported.
    const JsonValue* object(const JsonValue* value, const std::string& field,
                            std::initializer_list<std::string_view> known) {
        if (value == nullptr) {
            error(field, "missing");
            return nullptr;
        }
        if (value->kind() != JsonValue::Kind::Object) {
            error(field, "must be an object");
            return nullptr;
        }
        for (const auto& [name, member] : value->members())
            if (std::find(known.begin(), known.end(), name) == known.end())
                error(field.empty() ? name : field + "." + name, "unknown field (written by a newer version?)");
        return value;
    }

    std::optional<std::string> text(const JsonValue* value, const std::string& field) {
        if (value == nullptr) {
            error(field, "missing");
            return std::nullopt;
        }
        if (value->kind() != JsonValue::Kind::String) {
            error(field, "must be a string");
            return std::nullopt;
        }
        if (!IniSafe(value->string())) {
            error(field, "must not contain line breaks or NUL");
            return std::nullopt;
        }
        return value->string();
    }

    const std::vector<JsonValue>* array(const JsonValue* value, const std::string& field, std::size_t min,
                                        std::size_t max) {
        if (value == nullptr) {
            error(field, "missing");
            return nullptr;
        }
        if (value->kind() != JsonValue::Kind::Array) {
            error(field, "must be an array");
            return nullptr;
        }
        if (value->items().size() < min || value->items().size() > max) {
            error(field,
                  min == max ? "must have " + std::to_string(min) + " entries"
                             : "must have " + std::to_string(min) + " to " + std::to_string(max) + " entries");
            return nullptr;
        }
        return &value->items();
    }

    void labels(const JsonValue* value, const std::string& field, IniSettings::Labels& out) {
        if (const auto* items = array(value, field, IniSettings::kLabels, IniSettings::kLabels))
            for (std::size_t i = 0; i < items->size(); ++i)
                if (auto t = text(&(*items)[i], field + "[" + std::to_string(i) + "]"))
                    out[i] = *t;
    }
};

} // namespace

std::string ProfileDocument::Write(const ProfileContent& c) {
    std::string hex;
    hex.reserve(2 * ConfigRecord::kSize);
    for (std::uint8_t byte : c.record.bytes()) {
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0xF];
    }
    JsonValue macros = JsonValue::MakeArray();
    for (const ProfileMacro& m : c.macros) {
        JsonValue lines = JsonValue::MakeArray();
        for (const std::string& line : m.lines)
            lines.items().emplace_back(line);
        macros.items().push_back(JsonValue::MakeObject(
            {{"name", JsonValue(m.name)}, {"loopTimes", JsonValue(m.loopTimes)}, {"lines", std::move(lines)}}));
    }
    const JsonValue document = JsonValue::MakeObject({
        {"format", JsonValue(std::string(kFormat))},
        {"version", JsonValue(kVersion)},
        {"firstRunFlag", JsonValue(static_cast<int>(c.firstRunFlag))},
        {"record", JsonValue(hex)},
        {"language", JsonValue(c.language)},
        {"skin", JsonValue(c.skin)},
        {"labels", JsonValue::MakeObject({{"a", Texts(c.labelsA)}, {"b", Texts(c.labelsB)}})},
        {"macros", std::move(macros)},
    });
    return document.Format();
}

ProfileDocument::ReadResult ProfileDocument::Read(std::string_view text) {
    ReadResult result;
    std::string parseError;
    const auto json = JsonValue::Parse(text, parseError);
    if (!json) {
        result.errors.push_back("not a valid JSON document: " + parseError);
        return result;
    }
    Reader r;
    ProfileContent c;
    const JsonValue* root =
        r.object(&*json, "", {"format", "version", "firstRunFlag", "record", "language", "skin", "labels", "macros"});
    if (root == nullptr) {
        result.errors = {"the document must be a JSON object"};
        return result;
    }
    if (const auto format = r.text(root->find("format"), "format"); format && *format != kFormat)
        r.error("format", "must be \"" + std::string(kFormat) + "\"");
    const JsonValue* version = root->find("version");
    if (version == nullptr || version->kind() != JsonValue::Kind::Number)
        r.error("version", "missing or not a number");
    else if (version->number() != kVersion)
        r.error("version",
                "version " + std::to_string(version->number()) + " is not known here (this program reads " +
                    std::to_string(kVersion) + ")");
    const JsonValue* flag = root->find("firstRunFlag");
    if (flag == nullptr || flag->kind() != JsonValue::Kind::Number || flag->number() < 0 || flag->number() > 255)
        r.error("firstRunFlag", "must be a number from 0 to 255");
    else
        c.firstRunFlag = static_cast<std::uint8_t>(flag->number());
    if (const auto hex = r.text(root->find("record"), "record")) {
        const bool digits = hex->find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
        if (hex->size() != 2 * ConfigRecord::kSize || !digits) {
            r.error("record", "must be " + std::to_string(2 * ConfigRecord::kSize) + " hex digits");
        } else {
            const auto nibble = [](char d) {
                return static_cast<std::uint8_t>(d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10);
            };
            for (std::size_t i = 0; i < ConfigRecord::kSize; ++i)
                c.record.bytes()[i] = static_cast<std::uint8_t>(nibble((*hex)[2 * i]) << 4 | nibble((*hex)[2 * i + 1]));
        }
    }
    if (auto language = r.text(root->find("language"), "language"))
        c.language = *language;
    if (auto skin = r.text(root->find("skin"), "skin"))
        c.skin = *skin;
    if (const JsonValue* labels = r.object(root->find("labels"), "labels", {"a", "b"})) {
        r.labels(labels->find("a"), "labels.a", c.labelsA);
        r.labels(labels->find("b"), "labels.b", c.labelsB);
    }
    if (const auto* macros = r.array(root->find("macros"), "macros", 0, kMaxMacros)) {
        std::set<std::string> names;
        for (std::size_t i = 0; i < macros->size(); ++i) {
            const std::string field = "macros[" + std::to_string(i) + "]";
            const JsonValue* m = r.object(&(*macros)[i], field, {"name", "loopTimes", "lines"});
            if (m == nullptr)
                continue;
            ProfileMacro macro;
            if (auto name = r.text(m->find("name"), field + ".name")) {
                macro.name = *name;
                if (!names.insert(*name).second)
                    r.error(field + ".name", "\"" + *name + "\" is given twice");
            }
            if (auto loop = r.text(m->find("loopTimes"), field + ".loopTimes"))
                macro.loopTimes = *loop;
            if (const auto* lines = r.array(m->find("lines"), field + ".lines", 0, kMaxLines))
                for (std::size_t k = 0; k < lines->size(); ++k)
                    if (auto line = r.text(&(*lines)[k], field + ".lines[" + std::to_string(k) + "]"))
                        macro.lines.push_back(*line);
            c.macros.push_back(std::move(macro));
        }
    }
    result.errors = std::move(r.errors);
    if (result.errors.empty())
        result.content = std::move(c);
    return result;
}

} // namespace vexo
