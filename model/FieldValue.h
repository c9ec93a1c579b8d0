#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace quorvel {

// Fixed-point money: the amount times 10 000.
struct Currency {
    int64_t Scaled = 0;

    static constexpr int64_t Scale = 10000;
    static constexpr Currency FromUnits(int64_t units) { return Currency {units * Scale}; }
    friend constexpr auto operator<=>(const Currency&, const Currency&) = default;
};

// A field value. std::monostate is a value that was never assigned.
using FieldValue = std::variant<std::monostate, std::string, int32_t, double, Currency, bool>;

// The data type of a field, by the codes the item definitions use.
using TFieldDataType = int32_t;
inline constexpr TFieldDataType dtSmallint = 2;
inline constexpr TFieldDataType dtInteger = 3;
inline constexpr TFieldDataType dtSingle = 4;
inline constexpr TFieldDataType dtDouble = 5;
inline constexpr TFieldDataType dtCurrency = 6;
inline constexpr TFieldDataType dtBoolean = 11;
inline constexpr TFieldDataType dtByte = 17;
inline constexpr TFieldDataType dtString = 256;

// A value that does not convert to the kind asked for.
class VariantConversionError : public std::runtime_error {
public:
    VariantConversionError() : std::runtime_error("Invalid variant type conversion") { }
};

// A converted or computed number outside the range of its kind.
class VariantOverflowError : public std::runtime_error {
public:
    VariantOverflowError() : std::runtime_error("Variant overflow") { }
};

inline bool IsAssigned(const FieldValue& v) { return !std::holds_alternative<std::monostate>(v); }
inline bool IsText(const FieldValue& v) { return std::holds_alternative<std::string>(v); }

// Conversions of a value to one kind. Text numbers are read with "." or "," as the decimal
// separator, never by the locale alone; a never-assigned value converts to 0 / false / "".
// The Try forms answer nothing where the throwing forms raise VariantConversionError
// (VariantOverflowError when the number does not fit).
std::optional<int32_t> TryToInteger(const FieldValue& v);
std::optional<double> TryToDouble(const FieldValue& v);
std::optional<Currency> TryToCurrency(const FieldValue& v);
std::optional<bool> TryToBoolean(const FieldValue& v);
// The same for a text, without building a value: Value is set where the text converts.
bool ReadTextInteger(std::string_view text, int32_t& value);
bool ReadTextDouble(std::string_view text, double& value);
bool ReadTextCurrency(std::string_view text, Currency& value);
bool ReadTextBoolean(std::string_view text, bool& value);
// And as the Try forms. They are built where they are used: an optional returned from a call costs
// the processor a stall (its two parts are stored apart and read back whole), and texts are read
// once per item and field of big lists.
template <typename T> std::optional<T> TryText(bool (*read)(std::string_view, T&), std::string_view text)
{
    T value {};
    if (!read(text, value))
        return std::nullopt;
    return value;
}
inline std::optional<int32_t> TryTextToInteger(std::string_view text) { return TryText(ReadTextInteger, text); }
inline std::optional<double> TryTextToDouble(std::string_view text) { return TryText(ReadTextDouble, text); }
inline std::optional<Currency> TryTextToCurrency(std::string_view text) { return TryText(ReadTextCurrency, text); }
inline std::optional<bool> TryTextToBoolean(std::string_view text) { return TryText(ReadTextBoolean, text); }
int32_t ToInteger(const FieldValue& v);
double ToDouble(const FieldValue& v);
Currency ToCurrency(const FieldValue& v);
bool ToBoolean(const FieldValue& v);

// The value as stored text: numbers with ".", true as "-1", false as "0". Never fails.
std::string ToText(const FieldValue& v);
// The same with the current locale's decimal separator in fractional numbers (display).
std::string ToDisplayText(const FieldValue& v);

// Stored-number texts: shortest general form with ".", no thousands separator, no trailing zeros.
std::string CurrencyToText(Currency c, char decimalSeparator = '.');
std::string DoubleToText(double d, char decimalSeparator = '.');

// Whether the value converts to the kind of a field data type (any value converts to text).
bool ConvertsTo(const FieldValue& v, TFieldDataType dataType);

}  // namespace quorvel
