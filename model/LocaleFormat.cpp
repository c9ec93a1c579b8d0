#include "model/LocaleFormat.h"

#include <charconv>
#include <cstdlib>

namespace quorvel {

namespace {

LocaleFormat& CurrentFormat()
{
    static LocaleFormat format;
    return format;
}

// Bumped whenever the current format changes so that cached texts are formatted again.
unsigned& FormatGeneration()
{
    static unsigned generation = 0;
    return generation;
}

std::string Padded(int value, size_t width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

TodayClock& CurrentClock()
{
    static TodayClock clock = nullptr;
    return clock;
}

}  // namespace

void SetTodayClock(TodayClock clock)
{
    CurrentClock() = clock;
    ++FormatGeneration();
}

const LocaleFormat& LocaleFormat::Current() { return CurrentFormat(); }

void LocaleFormat::SetCurrent(const LocaleFormat& format)
{
    CurrentFormat() = format;
    ++FormatGeneration();
}

std::string LocaleFormat::FormatMoney(Currency amount) const
{
    std::string text;
    AppendMoney(text, amount);
    return text;
}

void LocaleFormat::AppendMoney(std::string& out, Currency amount) const
{
    const int decimals = CurrencyDecimals < 0 ? 0 : (CurrencyDecimals > 4 ? 4 : CurrencyDecimals);
    int64_t divisor = 1;
    for (int i = decimals; i < 4; ++i)
        divisor *= 10;
    // Magnitude in units of the shown decimals, rounded half away from zero.
    uint64_t magnitude =
        amount.Scaled < 0 ? 0 - static_cast<uint64_t>(amount.Scaled) : static_cast<uint64_t>(amount.Scaled);
    uint64_t rounded =
        magnitude / divisor + (magnitude % divisor >= static_cast<uint64_t>(divisor + 1) / 2 && divisor > 1 ? 1 : 0);
    uint64_t shownScale = 1;
    for (int i = 0; i < decimals; ++i)
        shownScale *= 10;
    const bool negative = rounded != 0 && amount.Scaled < 0;
    if (negative)
        out += NegativeInParentheses ? '(' : '-';
    if (SymbolBeforeAmount) {
        out += CurrencySymbol;
        if (SpaceBetweenSymbolAndAmount)
            out += ' ';
    }
    // Digits are written without a temporary text: money is shown in every cell of a report.
    char whole[24];
    const auto end = std::to_chars(whole, whole + sizeof whole, rounded / shownScale).ptr;
    const size_t digits = static_cast<size_t>(end - whole);
    for (size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0 && ThousandSeparator != '\0')
            out += ThousandSeparator;
        out += whole[i];
    }
    if (decimals > 0) {
        out += DecimalSeparator;
        char fraction[8];
        std::to_chars(fraction, fraction + sizeof fraction, rounded % shownScale + shownScale);
        out.append(fraction + 1, static_cast<size_t>(decimals));
    }
    if (!SymbolBeforeAmount) {
        if (SpaceBetweenSymbolAndAmount)
            out += ' ';
        out += CurrencySymbol;
    }
    if (negative && NegativeInParentheses)
        out += ')';
}

std::string LocaleFormat::FormatShortDate(int year, int month, int day) const
{
    std::string text;
    const std::string& f = ShortDateFormat;
    for (size_t i = 0; i < f.size();) {
        char c = f[i];
        size_t run = 1;
        while (i + run < f.size() && f[i + run] == c)
            ++run;
        if (c == 'd')
            text += Padded(day, run >= 2 ? 2 : 1);
        else if (c == 'M')
            text += Padded(month, run >= 2 ? 2 : 1);
        else if (c == 'y')
            text += Padded(year, 4);
        else
            text.append(run, c);
        i += run;
    }
    return text;
}

std::string TodayText()
{
    static std::string cached;
    static std::time_t validUntil = 0;
    static unsigned generation = 0;
    const std::time_t now = CurrentClock() ? CurrentClock()() : std::time(nullptr);
    if (now >= validUntil || generation != FormatGeneration() || cached.empty()) {
        std::tm local {};
        localtime_r(&now, &local);
        cached = CurrentFormat().FormatShortDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        std::tm midnight = local;
        midnight.tm_hour = 24;
        midnight.tm_min = 0;
        midnight.tm_sec = 0;
        midnight.tm_isdst = -1;
        validUntil = std::mktime(&midnight);
        generation = FormatGeneration();
    }
    return cached;
}

}  // namespace quorvel
