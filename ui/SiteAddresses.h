#pragma once

namespace quorvel {

// Home page of the collector site whose system identifiers the platforms carry.
inline constexpr char CartwellHomePage[] = "https://www.cartwell.example/";

}  // namespace quorvel
