// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexo {

// A value enclosed in a pair of double or single quotation marks without them, as the platform's
// profile functions read it; any other value as it is.
std::string_view UnquotedValue(std::string_view value);

// The content of one INI file in memory, with the Windows private-profile rules for lookups and
// edits. The file's bytes are kept as they were read and nothing else per line, so memory stays
// close to the file's size however many lines it has; lookups walk the bytes, and serialise()
// reproduces an unedited file byte for byte while an edit changes only the lines it concerns.
class IniDocument {
public:
    // Unsupported: UTF-16 big-endian, or UTF-16 without a byte-order mark. Such a file reads as empty
    // and must not be written back: an added line could not be in its encoding.
    enum class Encoding { Utf8, Utf8Bom, Utf16Le, Unsupported };

    // Any bytes are accepted: a leading FF FE selects UTF-16LE, EF BB BF UTF-8 with BOM, FE FF or a
    // NUL among the first two bytes an unsupported UTF-16, anything else is read as UTF-8,
    // malformed sequences showing as U+FFFD in the texts returned.
    static IniDocument parse(std::string bytes);
    static IniDocument parse(std::string_view bytes) { return parse(std::string(bytes)); }
    static IniDocument parse(const char* bytes) { return parse(std::string(bytes)); }
    std::string serialise() const;
    // The same bytes as two parts (the byte-order mark, then the rest), without copying them.
    std::pair<std::string_view, std::string_view> serialisedParts() const { return {bom_, body_}; }

    Encoding encoding() const { return encoding_; }
    // Why the file cannot be kept ("is in UTF-16 big-endian ..."), empty when it can.
    std::string encodingProblem() const;

    // Trimmed value of the first matching key of the first matching section, names compared
    // without regard to ASCII letter case; nullopt when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Every section header's name in file order (duplicates included), stopping once the names
    // (each counted with one terminator) reach limitUnits UTF-16 units: a reader that uses only the
    // first few never holds millions of names. A name longer than maxNameUnits is left out and
    // counts nothing.
    std::vector<std::string> sectionNames(std::size_t limitUnits = SIZE_MAX, std::size_t maxNameUnits = SIZE_MAX) const;
    // How many section headers the file has, without keeping their names.
    std::size_t sectionCount() const;

    // Every key line of the first matching section as (key, trimmed value), in file order,
    // duplicates included; empty when the section is missing. One pass over the file, for readers
    // that need many keys of one section.
    std::vector<std::pair<std::string, std::string>> sectionEntries(std::string_view section) const;

    // Sets the value, appending the key at the end of its section or the section at the end of
    // the file when missing. Names and value are cut at their first line break. Returns whether the
    // document changed (false when the stored value already reads back as the one given).
    bool set(std::string_view section, std::string_view key, std::string_view value);
    // The same for several keys of one section, with one search of the section and one insertion
    // of the keys it lacks. A value equal to the stored one leaves its line exactly as it is.
    // Returns whether any line changed or was added.
    bool setAll(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);

    // Removes the first matching section (header and every line up to the next header).
    // Returns false when there was none.
    bool removeSection(std::string_view section);

private:
    // One line of body_: content [start, end), line break [end, next).
    struct Span {
        std::size_t start = 0;
        std::size_t end = 0;
        std::size_t next = 0;
    };

    std::size_t unit() const { return encoding_ == Encoding::Utf16Le ? 2 : 1; }
    // End of the text: an odd last byte of a UTF-16 file is no character and stays behind it.
    std::size_t textEnd() const;
    char16_t unitAt(std::size_t offset) const;
    // The line starting at pos; false at the end of the text.
    bool lineAt(std::size_t pos, Span& line) const;
    // A cheap test on the bytes that every header passes, so most lines cost no copy.
    bool mayBeHeader(const Span& line) const;
    // The content as well-formed UTF-8, cut at a NUL character.
    std::string textOf(const Span& line) const;

    // Offset of the first unit c in [from, to), npos when there is none.
    std::size_t findUnit(char16_t c, std::size_t from, std::size_t to) const;
    // The first line at or after pos (a line start) that holds the unit c before `to`.
    bool nextLineWith(char16_t c, std::size_t pos, std::size_t to, Span& line) const;
    // The first line at or after pos (a line start) that mayBeHeader; pos then is the line after it.
    bool nextHeader(std::size_t& pos, Span& line) const;

    std::optional<Span> findSection(std::string_view name) const;
    // Offset of the first line after the section whose header is `header`: the next header or the end.
    std::size_t sectionEnd(const Span& header) const;
    std::optional<Span> findKey(const Span& header, std::string_view key) const;
    std::string encodeLine(std::string_view utf8) const;
    std::string newline() const;
    // Inserts whole lines (given separated by '\n'; each gets the file's line break) at offset `at`,
    // a line start or the text end.
    void insertLines(std::size_t at, std::string_view utf8Lines);
    // The header line's section name is `name` (compared without regard to ASCII letter case).
    bool headerNamed(const Span& line, std::string_view name) const;

    Encoding encoding_ = Encoding::Utf8;
    std::string bom_; // the byte-order mark as read, written back in front
    std::string body_; // everything after the byte-order mark, as stored
    std::string newline_; // raw bytes of the first line break seen; used for added lines
    // The last few sections looked for and where their headers were (nullopt: missing), newest
    // last; emptied by every edit.
    mutable std::vector<std::pair<std::string, std::optional<Span>>> found_;
};

} // namespace vexo
