#include "config/ini_document.h"

#include <algorithm>
#include <cstdint>

#include "config/utf_text.h"

namespace vexo {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";

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

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.starts_with(kUtf16Bom)) {
        doc.encoding_ = Encoding::Utf16Le;
        bytes.remove_prefix(kUtf16Bom.size());
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                           (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        }
        if (bytes.size() % 2 != 0) {
            doc.tail_ = std::string(bytes.substr(bytes.size() - 1));
        }
        std::size_t pos = 0;
        while (pos < units.size()) {
            std::size_t end = units.find_first_of(u"\r\n", pos);
            const std::u16string_view content =
                std::u16string_view(units).substr(pos, end == std::u16string::npos ? std::u16string::npos : end - pos);
            std::size_t eolLength = 0;
            if (end != std::u16string::npos) {
                eolLength = (units[end] == u'\r' && end + 1 < units.size() && units[end + 1] == u'\n') ? 2 : 1;
            }
            Line line{unitsToBytes(content), {}, cutAtNul(utf::toUtf8(content))};
            if (eolLength) {
                line.eol = unitsToBytes(std::u16string_view(units).substr(end, eolLength));
                if (doc.newline_.empty()) {
                    doc.newline_ = line.eol;
                }
            }
            doc.lines_.push_back(std::move(line));
            pos = end == std::u16string::npos ? units.size() : end + eolLength;
        }
        return doc;
    }
    if (bytes.starts_with(kUtf8Bom)) {
        doc.encoding_ = Encoding::Utf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    // One allocation for the line list instead of a growth (and a move of every line) per doubling.
    doc.lines_.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", pos);
        const std::string_view content = bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        std::size_t eolLength = 0;
        if (end != std::string_view::npos) {
            eolLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        }
        Line line{std::string(content), {}, cutAtNul(utf::sanitize(content))};
        if (eolLength) {
            line.eol = std::string(bytes.substr(end, eolLength));
            if (doc.newline_.empty()) {
                doc.newline_ = line.eol;
            }
        }
        doc.lines_.push_back(std::move(line));
        pos = end == std::string_view::npos ? bytes.size() : end + eolLength;
    }
    return doc;
}

std::string IniDocument::serialise() const {
    std::string out;
    if (encoding_ == Encoding::Utf16Le) {
        out += kUtf16Bom;
    } else if (encoding_ == Encoding::Utf8Bom) {
        out += kUtf8Bom;
    }
    for (const Line& line : lines_) {
        out += line.raw;
        out += line.eol;
    }
    out += tail_;
    return out;
}

std::optional<std::size_t> IniDocument::findSection(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto header = sectionHeader(lines_[i].text); header && sameName(*header, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !sectionHeader(lines_[i].text)) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniDocument::findKey(std::size_t header, std::string_view key) const {
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (const auto name = keyName(lines_[i].text); name && sameName(*name, key)) {
            return i;
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
    const std::string_view text = lines_[*line].text;
    return std::string(trim(text.substr(text.find('=') + 1)));
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (const auto header = sectionHeader(line.text)) {
            names.emplace_back(*header);
        }
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniDocument::sectionEntries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const auto header = findSection(section);
    if (!header) {
        return entries;
    }
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const std::string_view text = lines_[i].text;
        if (const auto name = keyName(text)) {
            entries.emplace_back(std::string(*name), std::string(trim(text.substr(text.find('=') + 1))));
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

IniDocument::Line IniDocument::makeLine(std::string_view utf8) const {
    std::string text = utf::sanitize(utf8);
    std::string raw = encoding_ == Encoding::Utf16Le ? unitsToBytes(utf::toUtf16(text)) : text;
    return Line{std::move(raw), newline(), std::move(text)};
}

void IniDocument::insertLine(std::size_t at, std::string_view utf8) {
    // The line before the new one must end in a line break, or the two would merge.
    if (at > 0 && lines_[at - 1].eol.empty()) {
        lines_[at - 1].eol = newline();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), makeLine(utf8));
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    section = firstLine(section);
    key = firstLine(key);
    value = firstLine(value);
    const std::string entry = std::string(key) + "=" + std::string(value);

    const auto header = findSection(section);
    if (!header) {
        insertLine(lines_.size(), "[" + std::string(section) + "]");
        insertLine(lines_.size(), entry);
        return;
    }
    if (const auto line = findKey(*header, key)) {
        // The stored spelling of the key name stays; only the value changes.
        const std::string_view text = lines_[*line].text;
        const std::string storedKey(trim(text.substr(0, text.find('='))));
        const std::string eol = lines_[*line].eol;
        lines_[*line] = makeLine(storedKey + "=" + std::string(value));
        lines_[*line].eol = eol;
        return;
    }
    // After the last non-blank line of the section, so blank lines separating it from the next
    // section stay where they are.
    std::size_t at = *header + 1;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (!trim(lines_[i].text).empty()) {
            at = i + 1;
        }
    }
    insertLine(at, entry);
}

bool IniDocument::removeSection(std::string_view section) {
    const auto header = findSection(firstLine(section));
    if (!header) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(*header)));
    return true;
}

} // namespace vexo
