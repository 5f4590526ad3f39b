// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "macro/macro_section.h"

#include <algorithm>
#include <optional>

namespace vexo {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The index of a key written as ItemKey writes it ("item12", already lower case); other spellings
// ("item012", "item+1") are different keys and hold no line.
std::optional<std::size_t> LineIndexOf(std::string_view lowerKey) {
    constexpr std::string_view kPrefix = "item";
    if (!lowerKey.starts_with(kPrefix))
        return std::nullopt;
    const std::string_view digits = lowerKey.substr(kPrefix.size());
    // Eighteen digits keep the value far from overflow; no real line index comes near that.
    if (digits.empty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    std::size_t index = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        index = index * 10 + static_cast<std::size_t>(c - '0');
    }
    return index;
}

} // namespace

std::string ItemKey(std::size_t index) { return "Item" + std::to_string(index); }

MacroSection::MacroSection(const ProfileIni& store, std::string_view name) {
    for (auto& [key, value] : store.readSection(name)) {
        std::string lower = Lower(key);
        if (const auto index = LineIndexOf(lower))
            lineBound_ = std::max(lineBound_, *index + 1);
        // Quoted values ("A   Up" written by hand) read without their quotes, as every value of the
        // store's files does.
        values_.try_emplace(std::move(lower), std::string(UnquotedValue(value))); // the first of equal keys wins
    }
}

std::string MacroSection::value(std::string_view key) const {
    const auto it = values_.find(Lower(key));
    return it == values_.end() ? std::string() : it->second;
}

std::string MacroSection::line(std::size_t index) const { return value(ItemKey(index)); }

} // namespace vexo
