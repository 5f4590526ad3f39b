// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "config/utf_text.h"

namespace vexo {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

// A value or name never carries a line break into the file: only what stands before it is kept.
std::string_view firstLine(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

std::optional<std::string_view> sectionHeader(std::string_view text) {
    const std::string_view t = trim(text);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    const std::string_view inner = t.substr(1);
    return trim(inner.substr(0, inner.find(']')));
}

// Key name of a "key=value" line; comments and lines without '=' have none.
std::optional<std::string_view> keyName(std::string_view text) {
    const std::string_view t = trim(text);
    if (t.empty() || t.front() == ';' || t.front() == '#') {
        return std::nullopt;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return trim(t.substr(0, eq));
}

// A byte that text starts with: a visible ASCII character, a blank or a line break.
bool textByte(char c) { return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F); }

std::string cutAtNul(std::string s) {
    if (const auto nul = s.find('\0'); nul != std::string::npos) {
        s.resize(nul);
    }
    return s;
}

std::string unitsToBytes(std::u16string_view units) {
    std::string out;
    out.reserve(units.size() * 2);
    for (char16_t u : units) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

// Text of an INI file starts with a visible character or a blank; a NUL beside it is the other
// half of a UTF-16 unit. Two units must show it: one NUL alone (a UTF-8 file that starts with
// one) is no sign of UTF-16.
bool looksLikeUtf16WithoutMark(std::string_view view) {
    const auto unit = [&](std::size_t at) {
        if (view.size() < at + 2)
            return true; // a file too short to show a second unit
        return (textByte(view[at]) && view[at + 1] == '\0') || (view[at] == '\0' && textByte(view[at + 1]));
    };
    if (view.size() < 2 || !unit(0))
        return false;
    // Both units in the same order: text then NUL (little-endian) or NUL then text (big-endian).
    return view.size() < 4 || ((view[1] == '\0') == (view[3] == '\0') && unit(2));
}

} // namespace

std::string_view UnquotedValue(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

IniDocument IniDocument::parse(std::string bytes) {
    IniDocument doc;
    const std::string_view view(bytes);
    std::size_t bom = 0;
    if (view.starts_with(kUtf16Bom)) {
        doc.encoding_ = Encoding::Utf16Le;
        bom = kUtf16Bom.size();
    } else if (view.starts_with(kUtf8Bom)) {
        doc.encoding_ = Encoding::Utf8Bom;
        bom = kUtf8Bom.size();
    } else if (view.starts_with(kUtf16BeBom) || looksLikeUtf16WithoutMark(view)) {
        doc.encoding_ = Encoding::Unsupported;
    }
    doc.bom_ = bytes.substr(0, bom);
    // The bytes move in; dropping the mark shifts them in place, without a second copy.
    doc.body_ = std::move(bytes);
    doc.body_.erase(0, bom);
    if (doc.encoding_ != Encoding::Unsupported) {
        Span first;
        if (doc.lineAt(0, first)) {
            for (std::size_t pos = 0; doc.lineAt(pos, first); pos = first.next) {
                if (first.next > first.end) {
                    doc.newline_ = doc.body_.substr(first.end, first.next - first.end);
                    break;
                }
            }
        }
    }
    return doc;
}

std::string IniDocument::encodingProblem() const {
    if (encoding_ != Encoding::Unsupported) {
        return {};
    }
    const bool bom = std::string_view(body_).starts_with(kUtf16BeBom);
    const bool bigEndian = bom || body_.front() == '\0';
    return std::string("is in UTF-16") + (bigEndian ? " big-endian" : "") + (bom ? "" : " without a byte-order mark") +
        ", which this program cannot keep: it is neither read nor written";
}

std::string IniDocument::serialise() const { return bom_ + body_; }

std::size_t IniDocument::textEnd() const {
    return encoding_ == Encoding::Utf16Le ? body_.size() & ~std::size_t{1} : body_.size();
}

char16_t IniDocument::unitAt(std::size_t offset) const {
    if (encoding_ != Encoding::Utf16Le) {
        return static_cast<char16_t>(static_cast<std::uint8_t>(body_[offset]));
    }
    return static_cast<char16_t>(static_cast<std::uint8_t>(body_[offset]) |
                                 (static_cast<std::uint8_t>(body_[offset + 1]) << 8));
}

bool IniDocument::lineAt(std::size_t pos, Span& line) const {
    const std::size_t end = textEnd();
    if (encoding_ == Encoding::Unsupported || pos >= end) {
        return false;
    }
    const std::size_t step = unit();
    std::size_t i = pos;
    if (step == 1) {
        const char* data = body_.data();
        while (i < end && data[i] != '\n' && data[i] != '\r') {
            ++i;
        }
    } else {
        while (i < end && unitAt(i) != u'\n' && unitAt(i) != u'\r') {
            i += step;
        }
    }
    line.start = pos;
    line.end = i;
    line.next = i;
    if (i < end) {
        line.next = i + step;
        if (unitAt(i) == u'\r' && i + step < end && unitAt(i + step) == u'\n') {
            line.next += step;
        }
    }
    return true;
}

bool IniDocument::mayBeHeader(const Span& line) const {
    for (std::size_t i = line.start; i < line.end; i += unit()) {
        const char16_t c = unitAt(i);
        if (c != u' ' && c != u'\t') {
            return c == u'[';
        }
    }
    return false;
}

std::string IniDocument::textOf(const Span& line) const {
    const std::string_view raw = std::string_view(body_).substr(line.start, line.end - line.start);
    if (encoding_ != Encoding::Utf16Le) {
        return cutAtNul(utf::sanitize(raw));
    }
    std::u16string units;
    units.reserve(raw.size() / 2);
    for (std::size_t i = line.start; i < line.end; i += 2) {
        units += unitAt(i);
    }
    return cutAtNul(utf::toUtf8(units));
}

std::size_t IniDocument::findUnit(char16_t c, std::size_t from, std::size_t to) const {
    const char low = static_cast<char>(c & 0xFF);
    while (from < to) {
        const void* hit = std::memchr(body_.data() + from, low, to - from);
        if (hit == nullptr) {
            return std::string::npos;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - body_.data());
        if (unit() == 1) {
            return at;
        }
        if (at % 2 == 0 && at + 1 < to && unitAt(at) == c) {
            return at;
        }
        from = at + 1;
    }
    return std::string::npos;
}

bool IniDocument::nextLineWith(char16_t c, std::size_t pos, std::size_t to, Span& line) const {
    const std::size_t hit = findUnit(c, pos, to);
    if (hit == std::string::npos) {
        return false;
    }
    // Back to the start of the hit's line, never before pos, which is a line start: every byte is
    // looked at a bounded number of times however the lines are made.
    std::size_t start = hit;
    while (start > pos && unitAt(start - unit()) != u'\n' && unitAt(start - unit()) != u'\r') {
        start -= unit();
    }
    return lineAt(start, line);
}

bool IniDocument::headerNamed(const Span& line, std::string_view name) const {
    if (encoding_ != Encoding::Utf16Le) {
        // Most headers differ from an ASCII name within its length: told apart on the raw bytes,
        // a file of millions of sections costs a few byte comparisons per header. Bytes that are
        // not ASCII there read as characters that are not either, so they never match it.
        if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            const char* data = body_.data();
            std::size_t at = line.start;
            while (at < line.end && data[at] != '[') {
                ++at;
            }
            ++at;
            while (at < line.end && (data[at] == ' ' || data[at] == '\t')) {
                ++at;
            }
            if (at > line.end || line.end - at < name.size()) {
                return false;
            }
            for (std::size_t i = 0; i < name.size(); ++i) {
                if (fold(data[at + i]) != fold(name[i])) {
                    return false;
                }
            }
        }
        // Plain ASCII, the usual case, is compared on the bytes themselves: a file of millions of
        // sections then costs no copy per header. Anything else goes through textOf's rules.
        const std::string_view raw = std::string_view(body_).substr(line.start, line.end - line.start);
        if (std::all_of(raw.begin(), raw.end(), [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; })) {
            const auto header = sectionHeader(raw);
            return header && sameName(*header, name);
        }
    }
    const std::string text = textOf(line);
    const auto header = sectionHeader(text);
    return header && sameName(*header, name);
}

bool IniDocument::nextHeader(std::size_t& pos, Span& line) const {
    if (encoding_ != Encoding::Utf16Le) {
        // One pass over the bytes, a line at a time: in a file of millions of tiny sections nearly
        // every line has a '[', so searching for it and walking back would touch each line twice.
        if (encoding_ == Encoding::Unsupported) {
            return false;
        }
        const std::size_t end = textEnd();
        const char* data = body_.data();
        for (std::size_t start = pos; start < end;) {
            std::size_t i = start;
            while (i < end && (data[i] == ' ' || data[i] == '\t')) {
                ++i;
            }
            const bool header = i < end && data[i] == '[';
            while (i < end && data[i] != '\n' && data[i] != '\r') {
                ++i;
            }
            std::size_t next = i;
            if (i < end) {
                next = i + 1 + (data[i] == '\r' && i + 1 < end && data[i + 1] == '\n' ? 1 : 0);
            }
            if (header) {
                line = {start, i, next};
                pos = next;
                return true;
            }
            start = next;
        }
        pos = end;
        return false;
    }
    // Only lines with a '[' can be headers; memchr finds them without walking the others.
    while (nextLineWith(u'[', pos, textEnd(), line)) {
        pos = line.next;
        if (mayBeHeader(line)) {
            return true;
        }
    }
    pos = textEnd();
    return false;
}

std::optional<IniDocument::Span> IniDocument::findSection(std::string_view name) const {
    // A read and the save that follows look for the same few sections (the labels' and the
    // skin's): in a file of millions of sections each is searched for once. Every edit forgets
    // the answers.
    constexpr std::size_t kRemembered = 8;
    for (const auto& [remembered, where] : found_) {
        if (sameName(remembered, name)) {
            return where;
        }
    }
    std::optional<Span> found;
    Span line;
    for (std::size_t pos = 0; nextHeader(pos, line);) {
        if (headerNamed(line, name)) {
            found = line;
            break;
        }
    }
    if (found_.size() == kRemembered) {
        found_.erase(found_.begin());
    }
    found_.emplace_back(std::string(name), found);
    return found;
}

std::size_t IniDocument::sectionEnd(const Span& header) const {
    Span line;
    // A line whose first non-blank character is '[' is a header, whatever follows.
    std::size_t pos = header.next;
    return nextHeader(pos, line) ? line.start : textEnd();
}

std::optional<IniDocument::Span> IniDocument::findKey(const Span& header, std::string_view key) const {
    const std::size_t end = sectionEnd(header);
    Span line;
    for (std::size_t pos = header.next; nextLineWith(u'=', pos, end, line); pos = line.next) {
        const std::string text = textOf(line);
        if (const auto name = keyName(text); name && sameName(*name, key)) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const auto header = findSection(section);
    if (!header) {
        return std::nullopt;
    }
    const auto line = findKey(*header, key);
    if (!line) {
        return std::nullopt;
    }
    const std::string text = textOf(*line);
    return std::string(trim(std::string_view(text).substr(text.find('=') + 1)));
}

std::vector<std::string> IniDocument::sectionNames(std::size_t limitUnits, std::size_t maxNameUnits) const {
    std::vector<std::string> names;
    std::size_t units = 0;
    Span line;
    for (std::size_t pos = 0; units < limitUnits && nextLineWith(u'[', pos, textEnd(), line); pos = line.next) {
        if (!mayBeHeader(line)) {
            continue;
        }
        const std::string text = textOf(line);
        if (const auto header = sectionHeader(text)) {
            const std::size_t nameUnits = utf::utf16Length(*header);
            if (nameUnits > maxNameUnits)
                continue;
            units += nameUnits + 1;
            names.emplace_back(*header);
        }
    }
    return names;
}

std::size_t IniDocument::sectionCount() const {
    std::size_t count = 0;
    Span line;
    for (std::size_t pos = 0; nextHeader(pos, line);) {
        ++count;
    }
    return count;
}

std::vector<std::pair<std::string, std::string>> IniDocument::sectionEntries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const auto header = findSection(section);
    if (!header) {
        return entries;
    }
    const std::size_t end = sectionEnd(*header);
    Span line;
    for (std::size_t pos = header->next; nextLineWith(u'=', pos, end, line); pos = line.next) {
        const std::string text = textOf(line);
        if (const auto name = keyName(text)) {
            const std::string_view t(text);
            entries.emplace_back(std::string(*name), std::string(trim(t.substr(t.find('=') + 1))));
        }
    }
    return entries;
}

std::string IniDocument::newline() const {
    if (!newline_.empty()) {
        return newline_;
    }
    // A file without any line break yet gets the Windows form, which every reader accepts.
    return encoding_ == Encoding::Utf16Le ? unitsToBytes(u"\r\n") : std::string("\r\n");
}

std::string IniDocument::encodeLine(std::string_view utf8) const {
    const std::string text = utf::sanitize(utf8);
    return encoding_ == Encoding::Utf16Le ? unitsToBytes(utf::toUtf16(text)) : text;
}

void IniDocument::insertLines(std::size_t at, std::string_view utf8Lines) {
    // Each line in the file's encoding and with the file's line break.
    std::string bytes;
    for (std::size_t from = 0; from <= utf8Lines.size();) {
        const std::size_t to = std::min(utf8Lines.find('\n', from), utf8Lines.size());
        bytes += encodeLine(utf8Lines.substr(from, to - from)) + newline();
        from = to + 1;
    }
    // The line before the new one must end in a line break, or the two would merge.
    if (at > 0) {
        const std::size_t step = unit();
        const char16_t before = unitAt(at - step);
        if (before != u'\n' && before != u'\r') {
            bytes.insert(0, newline());
        }
    }
    found_.clear();
    body_.insert(at, bytes);
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    return setAll(section, {{std::string(key), std::string(value)}});
}

bool IniDocument::setAll(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries) {
    if (encoding_ == Encoding::Unsupported || entries.empty()) {
        return false; // nothing of it can be found, and nothing added would be in its encoding
    }
    section = firstLine(section);
    // The section is looked up once for all keys: its header stays where it is while lines after
    // it change, and the keys it lacks go in together, so a huge file is walked and moved once.
    auto header = findSection(section);
    bool changed = false;
    std::vector<std::string> missingKeys;
    std::vector<std::string> missing;
    for (const auto& [fullKey, fullValue] : entries) {
        const std::string_view key = firstLine(fullKey);
        const std::string_view value = firstLine(fullValue);
        const std::string entry = std::string(key) + "=" + std::string(value);
        const auto line = header ? findKey(*header, key) : std::nullopt;
        if (!line) {
            // A key given twice is added once, with its last value, as two sets in a row would.
            const auto same = std::find_if(missingKeys.begin(), missingKeys.end(),
                                           [&](const std::string& m) { return sameName(m, trim(key)); });
            if (same != missingKeys.end()) {
                missing[static_cast<std::size_t>(same - missingKeys.begin())] = entry;
            } else {
                missingKeys.emplace_back(trim(key));
                missing.push_back(entry);
            }
            continue;
        }
        const std::string text = textOf(*line);
        const std::size_t eq = text.find('=');
        // A value that reads back as the one given leaves its line byte for byte as it is: bytes
        // that are no valid UTF-8, a NUL or quotes the reader drops are not the user's edit.
        const std::string_view stored = trim(std::string_view(text).substr(eq + 1));
        if (stored == value || UnquotedValue(stored) == value) {
            continue;
        }
        // The stored spelling of the key name stays; only the value changes.
        const std::string storedKey(trim(std::string_view(text).substr(0, eq)));
        found_.clear();
        body_.replace(line->start, line->end - line->start, encodeLine(storedKey + "=" + std::string(value)));
        changed = true;
    }
    if (missing.empty()) {
        return changed;
    }
    if (!header) {
        std::string block = "[" + std::string(section) + "]";
        for (const std::string& entry : missing) {
            block += "\n" + entry;
        }
        insertLines(textEnd(), block);
        return true;
    }
    std::string block;
    for (const std::string& entry : missing) {
        block += (block.empty() ? "" : "\n") + entry;
    }
    // After the last non-blank line of the section, so blank lines separating it from the next
    // section stay where they are. Walked backwards from the section's end, so a section padded with
    // millions of empty lines costs one pass over them.
    std::size_t at = header->next;
    for (std::size_t i = sectionEnd(*header); i > header->next;) {
        i -= unit();
        const char16_t c = unitAt(i);
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            continue;
        }
        std::size_t start = i;
        while (start > header->next && unitAt(start - unit()) != u'\n' && unitAt(start - unit()) != u'\r') {
            start -= unit();
        }
        Span line;
        lineAt(start, line);
        at = line.next;
        break;
    }
    insertLines(at, block);
    return true;
}

bool IniDocument::removeSection(std::string_view section) {
    const auto header = findSection(firstLine(section));
    if (!header) {
        return false;
    }
    found_.clear();
    body_.erase(header->start, sectionEnd(*header) - header->start);
    return true;
}

} // namespace vexo
