#pragma once

namespace quorvel {

// Home page of the collector site whose system identifiers the platforms carry.
inline constexpr char CartwellHomePage[] = "https://www.cartwell.example/";

}  // namespace quorvel

namespace quorvel {

// The maker's site and its notice of rights, as the reports and the About window show them.
inline constexpr char PelmoraHomePage[] = "https://www.pelmora.example/";
inline constexpr char PelmoraRightsNotice[] = "Copyright Pelmora. All rights reserved.";

}  // namespace quorvel

namespace quorvel {

// The maker's support mailbox and the outside sites of the Web menu. Each is one value to set
// before shipping; the placeholders name no real address.
inline constexpr char SupportMailAddress[] = "support@pelmora.example";
inline constexpr char GamersLedgerHomePage[] = "https://www.gamersledger.example/";
inline constexpr char SnipercadeHomePage[] = "https://www.snipercade.example/";
inline constexpr char StarLadderHomePage[] = "https://www.starladder.example/";

}  // namespace quorvel
