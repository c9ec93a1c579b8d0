#pragma once

#include <string>

namespace quorvel {

// What the option dialogs of the list reports choose; the renderers take it as plain values.

// Which items a report lists by their Boxed value, with its display text.
enum TBoxedOption { boUnboxed = 0, boBoxed = 1, boBoth = 2 };
std::string BoxedOptionText(int option);
bool BoxedOptionIncludes(int option, bool boxed);

struct BinReportOptions {
    int CartsPerBin = 51;  // below 1 counts as 1
    int Boxed = 0;         // TBoxedOption
};

struct TradeReportOptions {
    int MinQuantity = 2;
    bool TradeBoxed = false;
    bool ShowActualQuantity = false;
};

}  // namespace quorvel
