#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Process-wide configuration; one thread, set once and read everywhere.
extern std::string G_ConfigFile;   // program folder + "Quorvel.ini"
extern std::string G_ConfigFiles;  // configuration folder, ending with "/"
extern std::string G_PlatformsFile;  // G_ConfigFiles + "Platforms.ini"
extern bool G_UseCdlLayouts;

// Raised by the INI write routines: "Unable to write to " + file name.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& fileName);
};

// Sets G_ConfigFile and marks the first run. ProgramDir ends with "/".
void InitConfigFile(const std::string& programDir);

std::string ReadIniString(const std::string& fileName, const std::string& section, const std::string& key,
                          const std::string& defaultValue);
int ReadIniInteger(const std::string& fileName, const std::string& section, const std::string& key,
                   int defaultValue);
bool ReadIniBool(const std::string& fileName, const std::string& section, const std::string& key,
                 bool defaultValue);
void WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value);
void WriteIniInteger(const std::string& fileName, const std::string& section, const std::string& key, int value);
void WriteIniBool(const std::string& fileName, const std::string& section, const std::string& key, bool value);
void EraseIniSection(const std::string& fileName, const std::string& section);

// Comma-separated lines. A field that opens with a double quote runs to the next double quote.
std::string GetCSVField(std::string_view line, int index, char separator = ',');
int CountCSVFields(std::string_view line, char separator = ',');
// Every field of a line in one pass, by the same rules (what readers of many lines use).
std::vector<std::string> SplitCSVLine(std::string_view line, char separator = ',');

std::string RemoveAllOccurrences(std::string_view s, std::string_view sub);
std::string StripNonAlphaNumeric(std::string_view s);
std::string EncodeNonAlphaNumeric(std::string_view s);
std::string BoolToYesNo(bool b);

}  // namespace quorvel
