// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/json_value.h"
#include "config/utf_text.h"

#include <charconv>
#include <set>

namespace vexo {
namespace {

class Parser {
public:
    Parser(std::string_view text, std::string& error) : text_(text), error_(error) {}

    std::optional<JsonValue> document() {
        auto value = parseValue(0);
        if (!value)
            return std::nullopt;
        skipBlanks();
        if (pos_ != text_.size())
            return fail("text after the value");
        return value;
    }

private:
    std::nullopt_t fail(const std::string& why) {
        if (error_.empty()) {
            std::size_t line = 1, column = 1;
            for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i, ++column)
                if (text_[i] == '\n') {
                    ++line;
                    column = 0;
                }
            error_ = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + why;
        }
        return std::nullopt;
    }

    void skipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    std::optional<JsonValue> parseValue(std::size_t depth) {
        if (depth > JsonValue::kMaxDepth)
            return fail("nested deeper than " + std::to_string(JsonValue::kMaxDepth) + " levels");
        skipBlanks();
        if (pos_ >= text_.size())
            return fail("a value is missing");
        const char c = text_[pos_];
        if (c == '{')
            return parseObject(depth);
        if (c == '[')
            return parseArray(depth);
        if (c == '"') {
            auto s = parseString();
            return s ? std::optional<JsonValue>(JsonValue(std::move(*s))) : std::nullopt;
        }
        if (literal("true"))
            return JsonValue(true);
        if (literal("false"))
            return JsonValue(false);
        if (literal("null"))
            return JsonValue();
        if (c == '-' || (c >= '0' && c <= '9'))
            return parseNumber();
        return fail(std::string("unexpected character '") + c + "'");
    }

    std::optional<JsonValue> parseNumber() {
        const std::size_t start = pos_;
        if (text_[pos_] == '-')
            ++pos_;
        if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9')
            return fail("a number needs digits");
        if (text_[pos_] == '0' && pos_ + 1 < text_.size() && text_[pos_ + 1] >= '0' && text_[pos_ + 1] <= '9')
            return fail("a number must not start with 0");
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E'))
            return fail("only whole numbers are used");
        std::int64_t value = 0;
        const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, value);
        if (ec != std::errc() || end != text_.data() + pos_)
            return fail("number out of range");
        return JsonValue(value);
    }

    bool hex4(unsigned& value) {
        if (pos_ + 4 > text_.size())
            return false;
        const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, value, 16);
        if (ec != std::errc() || end != text_.data() + pos_ + 4)
            return false;
        pos_ += 4;
        return true;
    }

    // Length of the well-formed UTF-8 sequence at pos_, 0 when it is not one.
    std::size_t utf8Length() const {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text_[pos_ + i]); };
        const unsigned char b0 = byte(0);
        std::size_t n = b0 >= 0xF0 && b0 <= 0xF4 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC2 && b0 < 0xE0 ? 2 : 0;
        if (n == 0 || pos_ + n > text_.size())
            return 0;
        for (std::size_t i = 1; i < n; ++i)
            if ((byte(i) & 0xC0) != 0x80)
                return 0;
        if ((b0 == 0xE0 && byte(1) < 0xA0) || (b0 == 0xED && byte(1) >= 0xA0) || (b0 == 0xF0 && byte(1) < 0x90) ||
            (b0 == 0xF4 && byte(1) >= 0x90))
            return 0; // overlong, surrogate or beyond U+10FFFF
        return n;
    }

    std::optional<std::string> parseString() {
        ++pos_; // the opening quote
        std::string out;
        while (true) {
            if (pos_ >= text_.size())
                return fail("a string is not closed");
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c < 0x20)
                return fail("a control character inside a string must be escaped");
            if (c == '\\') {
                ++pos_;
                if (pos_ >= text_.size())
                    return fail("a string is not closed");
                const char e = text_[pos_++];
                switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    unsigned cp = 0;
                    if (!hex4(cp))
                        return fail("\\u needs four hex digits");
                    if (cp >= 0xDC00 && cp <= 0xDFFF)
                        return fail("a lone low surrogate");
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        unsigned low = 0;
                        if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                            return fail("a high surrogate without its low surrogate");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    utf::appendUtf8(out, cp);
                    break;
                }
                default: --pos_; return fail(std::string("unknown escape \\") + e);
                }
                continue;
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
                ++pos_;
                continue;
            }
            const std::size_t n = utf8Length();
            if (n == 0)
                return fail("text that is not UTF-8");
            out.append(text_.substr(pos_, n));
            pos_ += n;
        }
    }

    std::optional<JsonValue> parseArray(std::size_t depth) {
        ++pos_;
        JsonValue array = JsonValue::MakeArray();
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return array;
        }
        while (true) {
            auto item = parseValue(depth + 1);
            if (!item)
                return std::nullopt;
            array.items().push_back(std::move(*item));
            skipBlanks();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == ']') {
                ++pos_;
                return array;
            }
            return fail("',' or ']' expected");
        }
    }

    std::optional<JsonValue> parseObject(std::size_t depth) {
        ++pos_;
        JsonValue::Members members;
        std::set<std::string> keys;
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return JsonValue::MakeObject();
        }
        while (true) {
            skipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                return fail("a member name (a string) expected");
            auto key = parseString();
            if (!key)
                return std::nullopt;
            if (!keys.insert(*key).second)
                return fail("member \"" + *key + "\" given twice");
            skipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != ':')
                return fail("':' expected");
            ++pos_;
            auto value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            members.emplace_back(std::move(*key), std::move(*value));
            skipBlanks();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '}') {
                ++pos_;
                return JsonValue::MakeObject(std::move(members));
            }
            return fail("',' or '}' expected");
        }
    }

    std::string_view text_;
    std::string& error_;
    std::size_t pos_ = 0;
};

void FormatString(std::string& out, const std::string& s) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

} // namespace

JsonValue JsonValue::MakeArray(std::vector<JsonValue> items) {
    JsonValue v;
    v.kind_ = Kind::Array;
    v.items_ = std::move(items);
    return v;
}

JsonValue JsonValue::MakeObject(Members members) {
    JsonValue v;
    v.kind_ = Kind::Object;
    v.members_ = std::move(members);
    return v;
}

const JsonValue* JsonValue::find(std::string_view key) const {
    for (const auto& [name, value] : members_)
        if (name == key)
            return &value;
    return nullptr;
}

std::optional<JsonValue> JsonValue::Parse(std::string_view text, std::string& error) {
    error.clear();
    if (text.size() > kMaxText) {
        error = "the document is larger than " + std::to_string(kMaxText) + " bytes";
        return std::nullopt;
    }
    return Parser(text, error).document();
}

std::string JsonValue::Format() const {
    std::string out;
    formatTo(out, 0);
    out += '\n';
    return out;
}

void JsonValue::formatTo(std::string& out, std::size_t indent) const {
    const std::string inner(2 * (indent + 1), ' ');
    switch (kind_) {
    case Kind::Null: out += "null"; return;
    case Kind::Bool: out += bool_ ? "true" : "false"; return;
    case Kind::Number: out += std::to_string(number_); return;
    case Kind::String: FormatString(out, string_); return;
    case Kind::Array:
        if (items_.empty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (std::size_t i = 0; i < items_.size(); ++i) {
            out += inner;
            items_[i].formatTo(out, indent + 1);
            out += i + 1 < items_.size() ? ",\n" : "\n";
        }
        out += std::string(2 * indent, ' ') + "]";
        return;
    case Kind::Object:
        if (members_.empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (std::size_t i = 0; i < members_.size(); ++i) {
            out += inner;
            FormatString(out, members_[i].first);
            out += ": ";
            members_[i].second.formatTo(out, indent + 1);
            out += i + 1 < members_.size() ? ",\n" : "\n";
        }
        out += std::string(2 * indent, ' ') + "}";
        return;
    }
}

} // namespace vexo
