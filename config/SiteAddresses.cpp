#include "config/SiteAddresses.h"

#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"

namespace quorvel {

namespace {

struct SiteKey {
    const char* key;
    std::string SiteAddresses::*member;
    bool isSite;  // an address that page names are added to
};

constexpr SiteKey kKeys[] = {
    {"MakerSite", &SiteAddresses::MakerSite, true},       {"SupportMail", &SiteAddresses::SupportMail, false},
    {"Cartwell", &SiteAddresses::Cartwell, true},         {"GamersLedger", &SiteAddresses::GamersLedger, true},
    {"Snipercade", &SiteAddresses::Snipercade, true},     {"StarLadder", &SiteAddresses::StarLadder, true},
};

}  // namespace

SiteAddresses ReadSiteAddresses(const Path& file)
{
    SiteAddresses sites;
    if (file.empty())
        return sites;
    const IniFile ini = IniFile::LoadReadable(file);
    for (const auto& [key, member, isSite] : kKeys) {
        std::string value = ini.ReadString(kSitesSection, key, "");
        if (value.empty())
            continue;
        if (isSite && value.back() != '/')
            value += '/';
        sites.*member = std::move(value);
    }
    return sites;
}

SiteAddresses ConfiguredSiteAddresses()
{
    // Before the settings are loaded a bare file name would be looked for in the working folder.
    if (G_ConfigFiles.empty())
        return {};
    return ReadSiteAddresses(JoinPath(G_ConfigFiles, kSitesFileName));
}

void WriteMissingSiteAddresses(const Path& file)
{
    if (file.empty())
        throw FileWriteError(file);
    IniFile ini = IniFile::Load(file);
    const SiteAddresses defaults;
    bool added = false;
    for (const auto& [key, member, isSite] : kKeys) {
        if (!ini.Value(kSitesSection, key)) {
            ini.SetValue(kSitesSection, key, defaults.*member);
            added = true;
        }
    }
    if (added)
        ini.Save();
}

}  // namespace quorvel
