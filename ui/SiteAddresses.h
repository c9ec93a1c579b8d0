#pragma once

namespace quorvel {

// Home page of the collector site whose system identifiers the platforms carry.
inline constexpr char CartwellHomePage[] = "https://www.cartwell.example/";

// The maker's site: the splash's link and the base of the update-check page.
inline constexpr char MakerHomePage[] = "https://www.pelmora.example/";

}  // namespace quorvel
