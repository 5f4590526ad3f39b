// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexo {

// A JSON value for the profile documents: null, true/false, whole numbers, UTF-8 strings, arrays
// and objects whose members keep their order. Fractions and exponents are refused: no setting
// needs them, and refusing them keeps every value exact.
class JsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };
    using Members = std::vector<std::pair<std::string, JsonValue>>;

    // Limits of Parse: larger or deeper input is refused before it can exhaust memory or stack.
    static constexpr std::size_t kMaxText = 8 * 1024 * 1024;
    static constexpr std::size_t kMaxDepth = 32;

    JsonValue() = default;
    JsonValue(bool value) : kind_(Kind::Bool), bool_(value) {}
    JsonValue(std::int64_t value) : kind_(Kind::Number), number_(value) {}
    JsonValue(int value) : JsonValue(static_cast<std::int64_t>(value)) {}
    JsonValue(std::string value) : kind_(Kind::String), string_(std::move(value)) {}
    JsonValue(const char* value) : JsonValue(std::string(value)) {}
    static JsonValue MakeArray(std::vector<JsonValue> items = {});
    static JsonValue MakeObject(Members members = {});

    Kind kind() const { return kind_; }
    bool boolean() const { return bool_; }
    std::int64_t number() const { return number_; }
    const std::string& string() const { return string_; }
    const std::vector<JsonValue>& items() const { return items_; }
    std::vector<JsonValue>& items() { return items_; }
    const Members& members() const { return members_; }
    // The member of an object, or nullptr (also for a value that is no object).
    const JsonValue* find(std::string_view key) const;
    // Appends a member (objects only).
    void add(std::string key, JsonValue value) { members_.emplace_back(std::move(key), std::move(value)); }

    // Strict RFC 8259 text: one value, nothing but blanks around it, no duplicate keys, valid
    // UTF-8, escapes checked (a lone surrogate is refused). On failure returns nullopt and sets
    // error to the reason and where ("line 3, column 7: ...").
    static std::optional<JsonValue> Parse(std::string_view text, std::string& error);

    // The value as text, two-space indentation, members in order, ending with a newline; the same
    // value always gives the same text. Non-ASCII is written as UTF-8, control characters escaped.
    std::string Format() const;

private:
    void formatTo(std::string& out, std::size_t indent) const;

    Kind kind_ = Kind::Null;
    bool bool_ = false;
    std::int64_t number_ = 0;
    std::string string_;
    std::vector<JsonValue> items_;
    Members members_;
};

} // namespace vexo
