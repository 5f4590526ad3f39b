#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexo {

// The content of one INI file in memory, with the Windows private-profile rules for lookups and
// edits. Lines are kept as the bytes they were read as, so serialise() reproduces an unedited
// file byte for byte and an edit changes only the lines it concerns.
class IniDocument {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le };

    // Any bytes are accepted: a leading FF FE selects UTF-16LE, EF BB BF UTF-8 with BOM, anything
    // else is read as UTF-8, malformed sequences showing as U+FFFD in the texts returned.
    static IniDocument parse(std::string_view bytes);
    std::string serialise() const;

    Encoding encoding() const { return encoding_; }

    // Trimmed value of the first matching key of the first matching section, names compared
    // without regard to ASCII letter case; nullopt when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Every section header's name in file order (duplicates included).
    std::vector<std::string> sectionNames() const;

    // Every key line of the first matching section as (key, trimmed value), in file order,
    // duplicates included; empty when the section is missing. One pass over the file, for readers
    // that need many keys of one section.
    std::vector<std::pair<std::string, std::string>> sectionEntries(std::string_view section) const;

    // Sets the value, appending the key at the end of its section or the section at the end of
    // the file when missing. Names and value are cut at their first line break.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first matching section (header and every line up to the next header).
    // Returns false when there was none.
    bool removeSection(std::string_view section);

private:
    struct Line {
        std::string raw;   // content bytes as stored in the file, without the line break
        std::string eol;   // the line break bytes as stored, empty on a last line without one
        std::string text;  // content as well-formed UTF-8, cut at a NUL character
    };

    std::optional<std::size_t> findSection(std::string_view name) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, std::string_view key) const;
    Line makeLine(std::string_view utf8) const;
    std::string newline() const;
    void insertLine(std::size_t at, std::string_view utf8);

    Encoding encoding_ = Encoding::Utf8;
    std::vector<Line> lines_;
    std::string tail_;   // an odd last byte of a UTF-16 file, kept as it is
    std::string newline_; // raw bytes of the first line break seen; used for added lines
};

} // namespace vexo
