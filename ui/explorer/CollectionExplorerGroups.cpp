#include "ui/explorer/CollectionExplorerGroups.h"

#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/qt/PathText.h"
#include "platform/qt/Services.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr const char* kSection = "GROUP";
constexpr const char* kPrefix = "Group";

std::vector<std::string>::iterator FindEntry(std::vector<std::string>& entries, const Path& fileName)
{
    const std::string wanted = Cp1252::ToUpper(fileName.Bytes());
    return std::find_if(entries.begin(), entries.end(),
                        [&](const std::string& entry) { return Cp1252::ToUpper(entry) == wanted; });
}

}  // namespace

std::vector<std::string> ReadGroupFile(const Path& groupFileName)
{
    return IniFile::LoadReadable(groupFileName).ReadIndexedList(kSection, kPrefix);
}

void WriteGroupFile(const Path& groupFileName, const std::vector<std::string>& entries)
{
    IniFile ini = IniFile::Load(groupFileName);
    ini.WriteIndexedList(kSection, kPrefix, entries);
    ini.Save();
}

bool AddFileToGroup(const Path& groupFileName, const Path& fileName)
{
    std::vector<std::string> entries = ReadGroupFile(groupFileName);
    if (FindEntry(entries, fileName) != entries.end()) {
        Messages().Error("The list " + PathToQString(fileName) + " is already in this group.");
        return false;
    }
    entries.push_back(fileName.Bytes());
    WriteGroupFile(groupFileName, entries);
    return true;
}

bool RemoveFileFromGroup(const Path& groupFileName, const Path& fileName)
{
    std::vector<std::string> entries = ReadGroupFile(groupFileName);
    const auto found = FindEntry(entries, fileName);
    if (found == entries.end())
        return false;
    entries.erase(found);
    WriteGroupFile(groupFileName, entries);
    return true;
}

std::string GroupNameFromAnswer(const std::string& answer)
{
    std::string name;
    for (const char c : answer)
        if (c != '.' && c != '\\' && c != '/')
            name += c;
    return IsSafeName(name) ? name : std::string();
}

}  // namespace quorvel
