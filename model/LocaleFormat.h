#pragma once

#include <ctime>
#include <string>

#include "model/FieldValue.h"

namespace quorvel {

// How numbers, money and dates are shown to the user. The UI fills the current instance from the
// system at start-up; files never depend on it.
struct LocaleFormat {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    std::string CurrencySymbol = "$";
    int CurrencyDecimals = 2;
    bool SymbolBeforeAmount = true;
    bool SpaceBetweenSymbolAndAmount = false;
    bool NegativeInParentheses = false;  // "($1.00)" instead of "-$1.00"
    // Letters d, M and y stand for day, month and year (the year always with four digits);
    // "dd" and "MM" pad to two digits; anything else is copied.
    std::string ShortDateFormat = "M/d/yyyy";

    std::string FormatMoney(Currency amount) const;
    // The same appended to Out.
    void AppendMoney(std::string& out, Currency amount) const;
    std::string FormatShortDate(int year, int month, int day) const;

    static const LocaleFormat& Current();
    static void SetCurrent(const LocaleFormat& format);
};

// Today's date in the current short date format. Formatted once a day, not once per call.
std::string TodayText();

// Where TodayText takes the time from: the system clock unless set (a test fixes the day so that
// no result depends on when it runs). Nullptr restores the system clock.
using TodayClock = std::time_t (*)();
void SetTodayClock(TodayClock clock);

}  // namespace quorvel
