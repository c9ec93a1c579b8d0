#include "model/FieldValue.h"

#include "platform/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/LocaleFormat.h"

namespace quorvel {

namespace {

enum class Status { Ok, Invalid, Overflow };

template <typename T> struct Converted {
    Status State = Status::Invalid;
    T Value {};
};

template <typename T> Converted<T> Ok(T v) { return {Status::Ok, v}; }

// A decimal number split into its parts: value = Digits x 10^Exponent.
struct DecimalText {
    bool Negative = false;
    std::string Digits;  // leading zeros removed; may be empty for zero
    int64_t Exponent = 0;
    bool Comma = false;  // its separator was ","
};

// Sign, digits, at most one "." or ",", digits, optional exponent; blanks around are allowed.
std::optional<DecimalText> ParseDecimal(std::string_view s)
{
    s = TrimBlanks(s);
    DecimalText d;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.Negative = s[i++] == '-';
    bool anyDigit = false, separator = false;
    int64_t fractionDigits = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!(d.Digits.empty() && c == '0'))
                d.Digits.push_back(c);
            if (separator)
                ++fractionDigits;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            d.Comma = c == ',';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negExp = s[i++] == '-';
        size_t start = i;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
            if (exponent < 100000)
                exponent = exponent * 10 + (s[i] - '0');
        }
        if (i == start)
            return std::nullopt;
        if (negExp)
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;
    // Zeros that trail in the fraction were kept in Digits; the exponent accounts for them.
    d.Exponent = exponent - fractionDigits;
    if (d.Digits.empty())
        d.Exponent = 0;
    return d;
}

// Most stored numbers are plain: an optional "-", at most 14 digits, and one to four more after one
// "." or ",". Sets Scaled to such a text's value times Currency::Scale, exactly (and Negative for a
// "-"); false for every other form, which ParseDecimal reads.
bool ReadPlainDecimal(std::string_view s, int64_t& scaled, bool& negative)
{
    negative = !s.empty() && s[0] == '-';
    size_t i = negative ? 1 : 0;
    const size_t start = i;
    int64_t v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (i - start == 14)
            return false;
        v = v * 10 + (s[i] - '0');
    }
    if (i == start)
        return false;
    int64_t scale = Currency::Scale;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        const size_t first = ++i;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9' && i - first < 4; ++i) {
            v = v * 10 + (s[i] - '0');
            scale /= 10;
        }
        if (i == first)
            return false;
    }
    if (i != s.size())
        return false;
    scaled = v * scale;
    return true;
}

Converted<int32_t> TextToInteger(std::string_view s)
{
    // Most stored whole numbers are a few plain digits.
    if (!s.empty() && s.size() <= 9) {
        size_t i = s[0] == '-' ? 1 : 0;
        int32_t v = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            v = v * 10 + (s[i] - '0');
        if (i == s.size() && s.size() > (s[0] == '-' ? 1u : 0u))
            return Ok(s[0] == '-' ? -v : v);
    }
    auto d = ParseDecimal(s);
    // "1,000" may mean a thousand: a whole number read as 1 would change the collector's data unseen.
    if (!d || d->Comma)
        return {};
    // A whole number may be written with zeros after the separator or with an exponent ("5.0", "1e3");
    // a fraction other than zero is no integer.
    std::string_view digits = d->Digits;
    int64_t exponent = d->Exponent;
    while (exponent < 0 && !digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
        ++exponent;
    }
    if (digits.empty())
        return Ok(0);
    if (exponent < 0)
        return {};
    if (static_cast<int64_t>(digits.size()) + exponent > 10)
        return {Status::Overflow, 0};
    int64_t v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    for (; exponent > 0; --exponent)
        v *= 10;
    if (d->Negative)
        v = -v;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return {Status::Overflow, 0};
    return Ok(static_cast<int32_t>(v));
}

Converted<double> TextToDouble(std::string_view s)
{
    // Below 2^53 both parts are exact doubles, and one division rounds as reading the text does.
    int64_t scaled = 0;
    bool negative = false;
    if (ReadPlainDecimal(s, scaled, negative) && scaled < (int64_t(1) << 53)) {
        // Zero reads without a sign, as the full reading gives it.
        const double v = double(scaled) / Currency::Scale;
        return Ok(negative && scaled != 0 ? -v : v);
    }
    auto d = ParseDecimal(s);
    if (!d)
        return {};
    if (d->Digits.empty())
        return Ok(0.0);
    std::string normal = d->Digits + "e" + std::to_string(d->Exponent);
    double v = 0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero, overflow does not fit.
        if (d->Exponent < 0)
            return Ok(0.0);
        return {Status::Overflow, 0};
    }
    if (ec != std::errc() || ptr != normal.data() + normal.size() || !std::isfinite(v))
        return {Status::Overflow, 0};
    return Ok(d->Negative ? -v : v);
}

Converted<Currency> TextToCurrency(std::string_view s)
{
    int64_t scaled = 0;
    bool negative = false;
    if (ReadPlainDecimal(s, scaled, negative))
        return Ok(Currency {negative ? -scaled : scaled});
    auto d = ParseDecimal(s);
    if (!d)
        return {};
    const int64_t shift = d->Exponent + 4;
    const auto& digits = d->Digits;
    const int64_t kept = static_cast<int64_t>(digits.size()) + shift;  // digits before the cut
    if (kept > 19)
        return {Status::Overflow, {}};
    unsigned __int128 v = 0;
    for (int64_t i = 0; i < kept; ++i) {
        v = v * 10 + (i < static_cast<int64_t>(digits.size()) ? digits[i] - '0' : 0);
    }
    // Round half away from zero on the first digit cut off.
    if (kept >= 0 && kept < static_cast<int64_t>(digits.size()) && digits[kept] >= '5')
        v += 1;
    const unsigned __int128 limit =
        static_cast<unsigned __int128>(std::numeric_limits<int64_t>::max()) + (d->Negative ? 1 : 0);
    if (v > limit)
        return {Status::Overflow, {}};
    const uint64_t magnitude = static_cast<uint64_t>(v);
    return Ok(Currency {d->Negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude)});
}

Converted<bool> TextToBoolean(std::string_view s)
{
    auto equalsAscii = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i] >= 'a' && a[i] <= 'z' ? char(a[i] - 32) : a[i];
            if (x != b[i])
                return false;
        }
        return true;
    };
    if (equalsAscii(s, "TRUE"))
        return Ok(true);
    if (equalsAscii(s, "FALSE"))
        return Ok(false);
    auto d = TextToDouble(s);
    if (d.State == Status::Invalid)
        return {};
    // A number too big for a double is still not zero.
    return Ok(d.State == Status::Overflow || d.Value != 0);
}

Converted<int32_t> DoubleToInteger(double d)
{
    if (std::isnan(d))
        return {};
    double r = std::nearbyint(d);
    if (r < -2147483648.0 || r > 2147483647.0)
        return {Status::Overflow, 0};
    return Ok(static_cast<int32_t>(r));
}

Converted<Currency> DoubleToCurrency(double d)
{
    if (std::isnan(d))
        return {};
    double scaled = std::round(d * Currency::Scale);
    if (!(scaled > -9.2233720368547758e18 && scaled < 9.2233720368547758e18))
        return {Status::Overflow, {}};
    return Ok(Currency {static_cast<int64_t>(scaled)});
}

Converted<int32_t> CurrencyToInteger(Currency c)
{
    // Round half to even, as the number conversions of doubles do.
    int64_t q = c.Scaled / Currency::Scale, r = c.Scaled % Currency::Scale;
    if (r > Currency::Scale / 2 || (r == Currency::Scale / 2 && (q & 1)))
        ++q;
    if (r < -Currency::Scale / 2 || (r == -Currency::Scale / 2 && (q & 1)))
        --q;
    if (q < std::numeric_limits<int32_t>::min() || q > std::numeric_limits<int32_t>::max())
        return {Status::Overflow, 0};
    return Ok(static_cast<int32_t>(q));
}

Converted<int32_t> IntegerOf(const FieldValue& v)
{
    return std::visit(
        [](const auto& x) -> Converted<int32_t> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return Ok(0);
            else if constexpr (std::is_same_v<T, std::string>)
                return TextToInteger(x);
            else if constexpr (std::is_same_v<T, int32_t>)
                return Ok(x);
            else if constexpr (std::is_same_v<T, double>)
                return DoubleToInteger(x);
            else if constexpr (std::is_same_v<T, Currency>)
                return CurrencyToInteger(x);
            else
                return Ok(x ? -1 : 0);
        },
        v);
}

Converted<double> DoubleOf(const FieldValue& v)
{
    return std::visit(
        [](const auto& x) -> Converted<double> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return Ok(0.0);
            else if constexpr (std::is_same_v<T, std::string>)
                return TextToDouble(x);
            else if constexpr (std::is_same_v<T, int32_t>)
                return Ok(double(x));
            else if constexpr (std::is_same_v<T, double>)
                return Ok(x);
            else if constexpr (std::is_same_v<T, Currency>)
                return Ok(double(x.Scaled) / Currency::Scale);
            else
                return Ok(x ? -1.0 : 0.0);
        },
        v);
}

Converted<Currency> CurrencyOf(const FieldValue& v)
{
    return std::visit(
        [](const auto& x) -> Converted<Currency> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return Ok(Currency {});
            else if constexpr (std::is_same_v<T, std::string>)
                return TextToCurrency(x);
            else if constexpr (std::is_same_v<T, int32_t>)
                return Ok(Currency::FromUnits(x));
            else if constexpr (std::is_same_v<T, double>)
                return DoubleToCurrency(x);
            else if constexpr (std::is_same_v<T, Currency>)
                return Ok(x);
            else
                return Ok(Currency::FromUnits(x ? -1 : 0));
        },
        v);
}

Converted<bool> BooleanOf(const FieldValue& v)
{
    return std::visit(
        [](const auto& x) -> Converted<bool> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return Ok(false);
            else if constexpr (std::is_same_v<T, std::string>)
                return TextToBoolean(x);
            else if constexpr (std::is_same_v<T, int32_t>)
                return Ok(x != 0);
            else if constexpr (std::is_same_v<T, double>)
                return Ok(x != 0);
            else if constexpr (std::is_same_v<T, Currency>)
                return Ok(x.Scaled != 0);
            else
                return Ok(x);
        },
        v);
}

template <typename T> std::optional<T> AsOptional(const Converted<T>& c)
{
    if (c.State != Status::Ok)
        return std::nullopt;
    return c.Value;
}

template <typename T> bool ReadInto(const Converted<T>& c, T& value)
{
    if (c.State != Status::Ok)
        return false;
    value = c.Value;
    return true;
}

template <typename T> T OrThrow(const Converted<T>& c)
{
    if (c.State == Status::Overflow)
        throw VariantOverflowError();
    if (c.State == Status::Invalid)
        throw VariantConversionError();
    return c.Value;
}

std::string TextWithSeparator(const FieldValue& v, char separator)
{
    return std::visit(
        [separator](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<T, std::string>)
                return x;
            else if constexpr (std::is_same_v<T, int32_t>)
                return std::to_string(x);
            else if constexpr (std::is_same_v<T, double>)
                return DoubleToText(x, separator);
            else if constexpr (std::is_same_v<T, Currency>)
                return CurrencyToText(x, separator);
            else
                return x ? "-1" : "0";
        },
        v);
}

}  // namespace

std::optional<int32_t> TryToInteger(const FieldValue& v) { return AsOptional(IntegerOf(v)); }
std::optional<double> TryToDouble(const FieldValue& v) { return AsOptional(DoubleOf(v)); }
std::optional<Currency> TryToCurrency(const FieldValue& v) { return AsOptional(CurrencyOf(v)); }
std::optional<bool> TryToBoolean(const FieldValue& v) { return AsOptional(BooleanOf(v)); }
bool ReadTextInteger(std::string_view text, int32_t& value) { return ReadInto(TextToInteger(text), value); }
bool ReadTextDouble(std::string_view text, double& value) { return ReadInto(TextToDouble(text), value); }
bool ReadTextCurrency(std::string_view text, Currency& value) { return ReadInto(TextToCurrency(text), value); }
bool ReadTextBoolean(std::string_view text, bool& value) { return ReadInto(TextToBoolean(text), value); }
int32_t ToInteger(const FieldValue& v) { return OrThrow(IntegerOf(v)); }
double ToDouble(const FieldValue& v) { return OrThrow(DoubleOf(v)); }
Currency ToCurrency(const FieldValue& v) { return OrThrow(CurrencyOf(v)); }
bool ToBoolean(const FieldValue& v) { return OrThrow(BooleanOf(v)); }

std::string ToText(const FieldValue& v) { return TextWithSeparator(v, '.'); }

std::string ToDisplayText(const FieldValue& v)
{
    return TextWithSeparator(v, LocaleFormat::Current().DecimalSeparator);
}

std::string CurrencyToText(Currency c, char decimalSeparator)
{
    // The magnitude as unsigned so that the lowest value formats too.
    uint64_t magnitude = c.Scaled < 0 ? 0 - static_cast<uint64_t>(c.Scaled) : static_cast<uint64_t>(c.Scaled);
    std::string text = c.Scaled < 0 ? "-" : "";
    text += std::to_string(magnitude / Currency::Scale);
    uint64_t fraction = magnitude % Currency::Scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + Currency::Scale).substr(1);
        while (digits.back() == '0')
            digits.pop_back();
        text += decimalSeparator;
        text += digits;
    }
    return text;
}

std::string DoubleToText(double d, char decimalSeparator)
{
    if (std::isnan(d))
        return "NAN";
    if (std::isinf(d))
        return d < 0 ? "-INF" : "INF";
    if (d == 0)
        return "0";
    // to_chars, unlike printf, ignores the process locale (which Qt sets from the environment).
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer - 1, d, std::chars_format::general, 15).ptr;
    *end = '\0';
    std::string text;
    for (const char* p = buffer; *p; ++p) {
        if (*p == '.') {
            text += decimalSeparator;
        } else if (*p == 'e') {
            // "1e+20" as "1E20", "1e-05" as "1E-5".
            text += 'E';
            ++p;
            if (*p == '-')
                text += '-';
            ++p;
            while (*p == '0' && p[1])
                ++p;
            text += p;
            break;
        } else {
            text += *p;
        }
    }
    return text;
}

bool ConvertsTo(const FieldValue& v, TFieldDataType dataType)
{
    switch (dataType) {
    case dtSmallint: {
        auto i = IntegerOf(v);
        return i.State == Status::Ok && i.Value >= -32768 && i.Value <= 32767;
    }
    case dtByte: {
        auto i = IntegerOf(v);
        return i.State == Status::Ok && i.Value >= 0 && i.Value <= 255;
    }
    case dtInteger:
        return IntegerOf(v).State == Status::Ok;
    case dtSingle: {
        auto d = DoubleOf(v);
        return d.State == Status::Ok && std::fabs(d.Value) <= std::numeric_limits<float>::max();
    }
    case dtDouble:
        return DoubleOf(v).State == Status::Ok;
    case dtCurrency:
        return CurrencyOf(v).State == Status::Ok;
    case dtBoolean:
        return BooleanOf(v).State == Status::Ok;
    default:
        return true;
    }
}

}  // namespace quorvel
