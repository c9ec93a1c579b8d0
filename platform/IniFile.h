#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

// An INI file read whole into memory, with the behaviour of the Windows private-profile functions:
// section and key names compared without case, the first matching section and key win, names and
// values trimmed, one pair of enclosing quotes removed on read. Writes keep every other line, comment
// and the order; Save replaces the file atomically. Text is Windows-1252 bytes.
class IniFile {
public:
    IniFile() = default;

    // A missing or unreadable file gives an empty INI; never throws. The file name is looked up
    // ignoring case, so a later Save keeps the spelling of the file that exists.
    static IniFile Load(const quorvel::Path& path);
    // The same, but a file that exists and cannot be read throws FileReadError ("Unable to read ..."),
    // for readers that must not take it as empty.
    static IniFile LoadReadable(const quorvel::Path& path);
    // The same from bytes already in memory (no file is touched until Save).
    static IniFile Parse(const quorvel::Path& path, std::string_view content);

    const quorvel::Path& Path() const { return path_; }

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, or hexadecimal after "0x"/"0X" when the text is longer than two characters;
    // anything else (empty, "12abc", out of range) gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    bool HasSection(std::string_view section) const;
    // File order, each name once in its first spelling.
    std::vector<std::string> SectionNames() const;
    // Key/value pairs of the first section of that name, file order, values as read.
    std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section) const;
    // Values of prefix0 .. prefix(Count-1) in index order, visiting only the keys present (a huge Count
    // costs nothing); empty values are skipped unless keepEmpty.
    std::vector<std::string> ReadIndexedList(std::string_view section, std::string_view prefix,
                                             bool keepEmpty = false) const;

    // Throws std::invalid_argument for a section or key name the file format cannot hold.
    // CR and LF in the value become blanks.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);
    // Rewrites the section as "Count" followed by prefix0, prefix1, ...
    void WriteIndexedList(std::string_view section, std::string_view prefix, const std::vector<std::string>& values);
    // The section's lines become exactly these pairs, in its old place when it exists (later sections
    // of the same name are removed), else at the end.
    void ReplaceSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& pairs);

    // The whole content as written: CR LF line ends.
    std::string ToString() const;
    // Atomic replace of the file; throws FileWriteError (a read-only file too), and FileReadError for a
    // file that exists but could not be read (its other lines would be lost).
    void Save() const;

    // The index of an indexed key ("Name7" for prefix "Name", case ignored): plain decimal digits, as
    // the keys are written; nothing for any other key.
    static std::optional<int64_t> KeyIndex(std::string_view key, std::string_view prefix);
    // A value by the rule of ReadInteger; Def for anything else.
    static int ToInteger(std::string_view text, int def);

    // Whether a name can be written as a section or key name.
    static bool IsValidSectionName(std::string_view name);
    static bool IsValidKeyName(std::string_view name);
    // A section name the file can hold for Name: Name itself when it can be written, otherwise Name
    // with "]", "=", CR and LF written as "%" and two hexadecimal digits.
    static std::string HoldableSectionName(std::string_view name);

private:
    enum class Kind { Other, Section, Pair };
    struct Line {
        Kind kind = Kind::Other;
        std::string text;   // the line as it stands in the file
        std::string name;   // trimmed section or key name
        std::string value;  // trimmed value, quotes still on
    };

    // Index of the first header of the section, or npos.
    size_t FindSection(std::string_view section) const;
    // One past the last line of the section that starts at header index h.
    size_t SectionEnd(size_t h) const;
    void CheckNames(std::string_view section, std::string_view key) const;

    quorvel::Path path_;
    std::vector<Line> lines_;
    bool unreadable_ = false;  // the file exists but Load could not read it
};

}  // namespace quorvel
