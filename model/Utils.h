#pragma once

#include "platform/SafeFile.h"
#include "platform/Text.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Process-wide configuration; one thread, set once and read everywhere.
extern Path G_ConfigFile;     // program folder + "Quorvel.ini"
extern Path G_ConfigFiles;    // configuration folder, ending with "/"
extern Path G_PlatformsFile;  // G_ConfigFiles + "Platforms.ini"

// The INI write routines raise FileWriteError ("Unable to write to " + file name).

// Sets G_ConfigFile and marks the first run. ProgramDir ends with "/".
// Throws FileWriteError when the program folder cannot be written.
void InitConfigFile(const Path& programDir);

std::string ReadIniString(const Path& fileName, const std::string& section, const std::string& key,
                          const std::string& defaultValue);
int ReadIniInteger(const Path& fileName, const std::string& section, const std::string& key, int defaultValue);
bool ReadIniBool(const Path& fileName, const std::string& section, const std::string& key, bool defaultValue);
void WriteIniString(const Path& fileName, const std::string& section, const std::string& key,
                    const std::string& value);
void WriteIniInteger(const Path& fileName, const std::string& section, const std::string& key, int value);
void WriteIniBool(const Path& fileName, const std::string& section, const std::string& key, bool value);
void EraseIniSection(const Path& fileName, const std::string& section);

// Comma-separated lines. A field that opens with a double quote runs to the next double quote.
std::string GetCSVField(std::string_view line, int index, char separator = ',');
int CountCSVFields(std::string_view line, char separator = ',');
// Every field of a line in one pass, by the same rules (what readers of many lines use).
std::vector<std::string> SplitCSVLine(std::string_view line, char separator = ',');
// The same into a caller's vector of views into Line (no allocation once the vector has grown).
void SplitCSVLine(std::string_view line, std::vector<std::string_view>& fields, char separator = ',');

// Calls visit(field) for every field of Line in order, as views into Line; stops early when visit
// returns false.
template <typename Visit> void ForEachCSVField(std::string_view line, char separator, Visit&& visit)
{
    size_t pos = 0;
    const size_t n = line.size();
    if (n == 0)
        return;
    for (;;) {
        size_t next;  // where the separator ending this field would be searched from
        std::string_view field;
        if (pos < n && line[pos] == '"') {
            const size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                // An unclosed quote runs to the end of the line and leaves no further fields.
                visit(line.substr(pos + 1));
                return;
            }
            field = line.substr(pos + 1, close - pos - 1);
            next = close + 1;
        } else {
            field = line.substr(pos, line.find(separator, pos) - pos);
            next = pos + field.size();
        }
        if (!visit(field))
            return;
        const size_t sep = line.find(separator, next);
        if (sep == std::string_view::npos)
            return;
        pos = sep + 1;
    }
}

// ForEachCSVField for commas in one scan of the line, telling visit(field, percent) also whether the
// field holds a "%" (an escape to decode).
template <typename Visit> void ForEachListField(std::string_view line, Visit&& visit)
{
    const size_t n = line.size();
    if (n == 0)
        return;
    size_t pos = 0;
    for (;;) {
        bool percent = false;
        if (pos < n && line[pos] == '"') {
            size_t close = pos + 1;
            while ((close = FindEither(line, close, '"', '%')) < n && line[close] == '%') {
                percent = true;
                ++close;
            }
            if (close == n) {
                // An unclosed quote runs to the end of the line and leaves no further fields.
                visit(line.substr(pos + 1), percent);
                return;
            }
            if (!visit(line.substr(pos + 1, close - pos - 1), percent))
                return;
            // A comma usually follows the closing quote at once.
            const size_t sep = close + 1 < n && line[close + 1] == ',' ? close + 1 : line.find(',', close + 1);
            if (sep == std::string_view::npos)
                return;
            pos = sep + 1;
        } else {
            size_t sep = pos;
            while ((sep = FindEither(line, sep, ',', '%')) < n && line[sep] == '%') {
                percent = true;
                ++sep;
            }
            if (!visit(line.substr(pos, sep - pos), percent) || sep == n)
                return;
            pos = sep + 1;
        }
    }
}

std::string RemoveAllOccurrences(std::string_view s, std::string_view sub);
// What loose title matching ignores: blanks and ASCII punctuation (codes 32-47, 58-64, 91-96,
// 123-127). Digits, letters, control characters and codes from 128 on stay.
constexpr bool IsLoosePunctuation(unsigned char c)
{
    return (c >= 32 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 127);
}
// The text without the characters IsLoosePunctuation names.
std::string StripNonAlphaNumeric(std::string_view s);
std::string EncodeNonAlphaNumeric(std::string_view s);
std::string BoolToYesNo(bool b);

}  // namespace quorvel
