#include "config/ManufacturerVerifier.h"

#include "model/BaseCustomListClass.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <unordered_map>

namespace quorvel {

namespace {

const char kSection[] = "Mfg";

// Position of the Mfg field in the list's items, or -1 for a kind without it.
int32_t MfgIndex(const TBaseCustomListClass& list) { return list.CreateItem()->IndexOfField("Mfg"); }

}  // namespace

ManufacturerVerifier::PlatformProblem ManufacturerVerifier::CheckPlatform(std::string_view platform)
{
    if (platform.empty())
        return PlatformProblem::NoPlatform;
    return IsSafeName(platform) ? PlatformProblem::None : PlatformProblem::UnsafeName;
}

std::string ManufacturerVerifier::ProblemMessage(PlatformProblem problem, std::string_view platform)
{
    switch (problem) {
    case PlatformProblem::NoPlatform:
        return "This list has no platform, so its manufacturers cannot be verified.";
    case PlatformProblem::UnsafeName:
        return "The platform \"" + std::string(platform) +
            "\" cannot be the name of a file, so its manufacturers cannot be verified.";
    case PlatformProblem::None:
        break;
    }
    return std::string();
}

ManufacturerVerifier::ManufacturerVerifier(std::string_view platform)
    : file_(ResolveTextFileNoCase(G_ConfigFiles, std::string(platform) + ".ini"))
{
    Load();
}

void ManufacturerVerifier::Load()
{
    const IniFile ini = IniFile::Load(file_);
    const int count = ini.ReadInteger(kSection, "Count", 0);
    if (count <= 0)
        return;
    // Empty entries are names too; a Count above the keys present stands for empty ones.
    for (auto& maker : ini.ReadIndexedList(kSection, kSection, true)) {
        folded_.insert(Cp1252::ToUpper(maker));
        known_.push_back(std::move(maker));
    }
    if (known_.size() < static_cast<size_t>(count))
        folded_.insert(std::string());
}

bool ManufacturerVerifier::IsKnown(std::string_view maker) const { return folded_.count(Cp1252::ToUpper(maker)) > 0; }

std::vector<std::string> ManufacturerVerifier::Unlisted(const TBaseCustomListClass& list) const
{
    std::vector<std::string> unlisted;
    const int32_t mfg = MfgIndex(list);
    if (mfg < 0)
        return unlisted;
    std::unordered_set<std::string> seen;
    for (const auto& item : list.Items()) {
        std::string maker = item->DisplayTextAt(mfg);
        std::string folded = Cp1252::ToUpper(maker);
        if (folded_.count(folded) == 0 && seen.insert(std::move(folded)).second)
            unlisted.push_back(std::move(maker));
    }
    return unlisted;
}

size_t ManufacturerVerifier::BuildFromList(const TBaseCustomListClass& list)
{
    const int32_t mfg = MfgIndex(list);
    if (mfg < 0)
        return 0;
    std::vector<std::string> makers;
    std::unordered_set<std::string> seen;
    for (const auto& item : list.Items()) {
        std::string maker = item->DisplayTextAt(mfg);
        if (seen.insert(Cp1252::ToUpper(maker)).second)
            makers.push_back(std::move(maker));
    }
    if (makers.empty())
        return 0;
    IniFile ini = IniFile::Load(file_);
    ini.SetValue(kSection, "Count", std::to_string(makers.size()));
    for (size_t i = 0; i < makers.size(); ++i)
        ini.SetValue(kSection, kSection + std::to_string(i), makers[i]);
    ini.Save();
    known_ = makers;
    folded_ = std::move(seen);
    return makers.size();
}

void ManufacturerVerifier::SaveMakers(const std::vector<std::string>& makers)
{
    IniFile ini = IniFile::Load(file_);
    ini.WriteIndexedList(kSection, kSection, makers);
    ini.Save();
    known_ = makers;
    folded_.clear();
    for (const auto& maker : makers)
        folded_.insert(Cp1252::ToUpper(maker));
}

size_t ManufacturerVerifier::ApplyMappings(TBaseCustomListClass& list,
                                           const std::vector<std::pair<std::string, std::string>>& mappings)
{
    const int32_t mfg = MfgIndex(list);
    if (mfg < 0)
        return 0;
    std::unordered_map<std::string, size_t> byOld;  // old value -> position of its mapping
    for (size_t i = 0; i < mappings.size(); ++i) {
        if (!mappings[i].second.empty())
            byOld.emplace(mappings[i].first, i);
    }
    size_t changed = 0;
    for (const auto& item : list.Items()) {
        const std::string old = item->DisplayTextAt(mfg);
        const std::string* value = &old;
        size_t after = 0;  // a later mapping may still apply to the value just given
        for (auto it = byOld.find(*value); it != byOld.end() && it->second >= after; it = byOld.find(*value)) {
            value = &mappings[it->second].second;
            after = it->second + 1;
        }
        if (value != &old) {
            item->SetValueAt(mfg, *value);
            ++changed;
        }
    }
    return changed;
}

}  // namespace quorvel
