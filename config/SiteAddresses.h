#pragma once

#include <string>

#include "platform/Path.h"

namespace quorvel {

// The maker's notice of rights, as the reports and the About window show it.
inline constexpr char PelmoraRightsNotice[] = "Copyright Pelmora. All rights reserved.";

// The outside addresses the program hands to the shell, each one value of section "Sites" in
// "Sites.ini" of the configuration folder, so that a collector or a packager sets them without a
// build. The defaults are placeholders that name no real address. The commands add the page names,
// queries and mail subjects themselves.
struct SiteAddresses {
    // The maker's site: its home page, the program's page there, the update check, the About window
    // and the footers of reports and charts.
    std::string MakerSite = "https://www.pelmora.example/";
    // The maker's support mailbox of the Help menu's mail links.
    std::string SupportMail = "support@pelmora.example";
    // The collector site whose system identifiers the platforms carry: the Web menu, its options page
    // and More Info.
    std::string Cartwell = "https://www.cartwell.example/";
    // The other sites of the Web menu.
    std::string GamersLedger = "https://www.gamersledger.example/";
    std::string Snipercade = "https://www.snipercade.example/";
    std::string StarLadder = "https://www.starladder.example/";
};

inline constexpr char kSitesFileName[] = "Sites.ini";
inline constexpr char kSitesSection[] = "Sites";

// The addresses in File. A key that is missing or empty keeps its default; a site's address that
// does not end with "/" gains one, since page names are added to it. A file that exists and cannot be
// read throws FileReadError.
SiteAddresses ReadSiteAddresses(const Path& file);
// Those of the configuration folder (G_ConfigFiles), read at each call so that an edit counts at
// once; the defaults while that folder is not known yet.
SiteAddresses ConfiguredSiteAddresses();
// Adds every key that File lacks with its default, in one write; values already there stay, and a
// file that lacks none is not touched. Throws FileWriteError.
void WriteMissingSiteAddresses(const Path& file);

}  // namespace quorvel
