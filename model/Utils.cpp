#include "model/Utils.h"

#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

namespace quorvel {

Path G_ConfigFile;
Path G_ConfigFiles;
Path G_PlatformsFile;

void InitConfigFile(const Path& programDir)
{
    G_ConfigFile = JoinPath(programDir, "Quorvel.ini");
    IniFile ini = IniFile::Load(G_ConfigFile);
    if (!ini.ReadBool("General", "FirstTime", true))
        return;
    // Both keys in one write: a crash between two writes would leave a fresh configuration that
    // looks old and would be migrated.
    ini.SetValue("General", "FirstTime", "0");
    ini.SetValue("General", "ConfigVersion", "CFG2.0");
    ini.Save();
}

std::string ReadIniString(const Path& fileName, const std::string& section, const std::string& key,
                          const std::string& defaultValue)
{
    return IniFile::Load(fileName).ReadString(section, key, defaultValue);
}

int ReadIniInteger(const Path& fileName, const std::string& section, const std::string& key, int defaultValue)
{
    return IniFile::Load(fileName).ReadInteger(section, key, defaultValue);
}

bool ReadIniBool(const Path& fileName, const std::string& section, const std::string& key, bool defaultValue)
{
    return IniFile::Load(fileName).ReadBool(section, key, defaultValue);
}

void WriteIniString(const Path& fileName, const std::string& section, const std::string& key,
                    const std::string& value)
{
    if (fileName.empty())
        throw FileWriteError(fileName);
    IniFile ini = IniFile::Load(fileName);
    ini.SetValue(section, key, value);
    ini.Save();
}

void WriteIniInteger(const Path& fileName, const std::string& section, const std::string& key, int value)
{
    WriteIniString(fileName, section, key, std::to_string(value));
}

void WriteIniBool(const Path& fileName, const std::string& section, const std::string& key, bool value)
{
    WriteIniString(fileName, section, key, value ? "1" : "0");
}

void EraseIniSection(const Path& fileName, const std::string& section)
{
    if (fileName.empty() || section.empty())
        return;
    IniFile ini = IniFile::Load(fileName);
    if (!ini.HasSection(section))
        return;  // nothing to remove: the file is not touched, nor created
    ini.EraseSection(section);
    ini.Save();
}

std::string GetCSVField(std::string_view line, int index, char separator)
{
    std::string result;
    if (index < 1)
        return result;
    int current = 0;
    ForEachCSVField(line, separator, [&](std::string_view field) {
        if (++current < index)
            return true;
        result.assign(field);
        return false;
    });
    return result;
}

int CountCSVFields(std::string_view line, char separator)
{
    int count = 0;
    ForEachCSVField(line, separator, [&](std::string_view) {
        ++count;
        return true;
    });
    return count;
}

std::vector<std::string> SplitCSVLine(std::string_view line, char separator)
{
    std::vector<std::string> fields;
    ForEachCSVField(line, separator, [&](std::string_view field) {
        fields.emplace_back(field);
        return true;
    });
    return fields;
}

void SplitCSVLine(std::string_view line, std::vector<std::string_view>& fields, char separator)
{
    fields.clear();
    ForEachCSVField(line, separator, [&](std::string_view field) {
        fields.push_back(field);
        return true;
    });
}

std::string RemoveAllOccurrences(std::string_view s, std::string_view sub)
{
    if (sub.empty())
        return std::string(s);
    // One left-to-right pass: the first complete match is always the leftmost occurrence, and a
    // match formed by a deletion is found as soon as its last character arrives.
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        out += c;
        if (out.size() >= sub.size() && std::string_view(out).substr(out.size() - sub.size()) == sub)
            out.resize(out.size() - sub.size());
    }
    return out;
}

std::string StripNonAlphaNumeric(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char ch : s)
        if (!IsLoosePunctuation(static_cast<unsigned char>(ch)))
            out += ch;
    return out;
}

std::string EncodeNonAlphaNumeric(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 48 && c <= 122) {
            out += ch;
        } else {
            out += '%';
            AppendHexByte(out, c);
        }
    }
    return out;
}

std::string BoolToYesNo(bool b) { return b ? "Yes" : "No"; }

}  // namespace quorvel
