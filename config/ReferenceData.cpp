#include "config/ReferenceData.h"

#include "config/PlatformList.h"
#include "model/DataField.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"

#include <stdexcept>

namespace quorvel {

std::vector<std::string> ReferenceData::LoadPlatforms(PlatformList& platforms)
{
    return platforms.Load(G_PlatformsFile);
}

void ReferenceData::SavePlatforms(const PlatformList& platforms) { platforms.Save(G_PlatformsFile); }

std::vector<std::string> ReferenceData::Manufacturers(std::string_view platform, EmptyEntries empty)
{
    const auto file = PlatformList::PlatformFile(platform);
    if (!file)
        return {};
    return IniFile::Load(*file).ReadIndexedList("Mfg", "Mfg", empty == EmptyEntries::Keep);
}

void ReferenceData::SaveManufacturers(std::string_view platform, const std::vector<std::string>& names)
{
    IniFile ini = IniFile::Load(WritablePlatformFile(platform));
    ini.WriteIndexedList("Mfg", "Mfg", names);
    ini.Save();
}

std::string ReferenceData::SystemId(std::string_view platform)
{
    const auto file = PlatformList::PlatformFile(platform);
    return file ? IniFile::Load(*file).ReadString("SystemID", "SystemID", "") : std::string();
}

void ReferenceData::SaveSystemId(std::string_view platform, std::string_view id)
{
    IniFile ini = IniFile::Load(WritablePlatformFile(platform));
    ini.SetValue("SystemID", "SystemID", id);
    ini.Save();
}

Path ReferenceData::WritablePlatformFile(std::string_view platform)
{
    const auto file = PlatformList::PlatformFile(platform);
    if (!file)
        throw std::runtime_error("The Platform Name " + std::string(platform) + " can not be used as a file name.");
    return *file;
}

Path ReferenceData::GeneralFile() { return JoinPath(G_ConfigFiles, "General.ini"); }

std::vector<std::string> ReferenceData::LookupTables()
{
    return IniFile::LoadReadable(GeneralFile()).ReadIndexedList("Lookup", "Lookup");
}

std::string ReferenceData::LookupSection(std::string_view table) { return RemoveAllOccurrences(table, " "); }

std::vector<std::string> ReferenceData::LookupValues(std::string_view section, EmptyEntries empty)
{
    if (section.empty())
        return {};
    return IniFile::LoadReadable(GeneralFile()).ReadIndexedList(section, section, empty == EmptyEntries::Keep);
}

void ReferenceData::SaveLookupValues(std::string_view section, const std::vector<std::string>& values)
{
    IniFile ini = IniFile::Load(GeneralFile());
    ini.WriteIndexedList(section, section, values);
    ini.Save();
}

std::optional<Path> ReferenceData::FieldLookupFile(const std::string& fileKey, const std::string& platform,
                                                   const std::string& listType)
{
    return ResolveLookupFile(fileKey, G_ConfigFiles, platform, listType);
}

std::vector<std::string> ReferenceData::FieldLookupValues(const Path& file, std::string_view section,
                                                          EmptyEntries empty)
{
    if (file.empty() || section.empty())
        return {};
    return IniFile::Load(file).ReadIndexedList(section, section, empty == EmptyEntries::Keep);
}

}  // namespace quorvel
