#include "config/PlatformList.h"

#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace quorvel {

void SortNoCase(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return Cp1252::CompareNoCase(a, b) < 0; });
}

std::vector<std::string> PlatformList::Load(const Path& platformsFile)
{
    std::vector<std::string> refused;
    std::vector<std::string> names;
    for (auto& name : IniFile::LoadReadable(platformsFile).ReadIndexedList("Platforms", "PlatForm")) {
        if (IsValidPlatformName(name))
            names.push_back(std::move(name));
        else
            refused.push_back(std::move(name));
    }
    SetNames(std::move(names));
    changed_ = false;
    return refused;
}

void PlatformList::Save(const Path& platformsFile) const
{
    if (!changed_)
        return;
    IniFile ini = IniFile::Load(platformsFile);
    ini.WriteIndexedList("Platforms", "PlatForm", names_);
    ini.Save();
    changed_ = false;
}

int PlatformList::IndexOf(std::string_view name) const
{
    for (size_t i = 0; i < names_.size(); ++i) {
        if (Cp1252::EqualsNoCase(names_[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

bool PlatformList::Contains(std::string_view name) const { return IndexOf(name) >= 0; }

void PlatformList::SetNames(std::vector<std::string> names)
{
    SortNoCase(names);
    if (names != names_)
        changed_ = true;
    names_ = std::move(names);
}

bool PlatformList::HasRefusedCharacter(std::string_view name)
{
    return name.find_first_of(RefusedCharacters) != std::string_view::npos;
}

bool PlatformList::IsValidPlatformName(std::string_view name) { return !HasRefusedCharacter(name) && IsSafeName(name); }

std::optional<Path> PlatformList::PlatformFile(std::string_view name)
{
    if (!IsValidPlatformName(name))
        return std::nullopt;
    return ResolveTextFileNoCase(G_ConfigFiles, std::string(name) + ".ini");
}

}  // namespace quorvel
