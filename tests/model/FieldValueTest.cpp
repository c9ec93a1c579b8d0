#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "support/Checks.h"
#include "support/GlobalsTest.h"

#include "model/FieldValue.h"
#include "model/LocaleFormat.h"

namespace quorvel {
namespace {

struct ConversionCase {
    FieldValue Value;
    std::optional<int32_t> Integer;
    std::optional<int64_t> CurrencyScaled;
    std::optional<bool> Boolean;
    std::string Text;
};

class ConversionTest : public ::testing::TestWithParam<ConversionCase> { };

TEST_P(ConversionTest, ConvertsByTheRules)
{
    const auto& c = GetParam();
    EXPECT_EQ(TryToInteger(c.Value), c.Integer);
    auto currency = TryToCurrency(c.Value);
    EXPECT_EQ(currency ? std::optional<int64_t>(currency->Scaled) : std::nullopt, c.CurrencyScaled);
    EXPECT_EQ(TryToBoolean(c.Value), c.Boolean);
    EXPECT_EQ(ToText(c.Value), c.Text);
}

const std::nullopt_t no = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Values, ConversionTest,
    ::testing::Values(
        ConversionCase {FieldValue {}, 0, 0, false, ""}, ConversionCase {std::string("12"), 12, 120000, true, "12"},
        ConversionCase {std::string(" -7 "), -7, -70000, true, " -7 "},
        ConversionCase {std::string("0"), 0, 0, false, "0"}, ConversionCase {std::string("-1"), -1, -10000, true, "-1"},
        ConversionCase {std::string("4.5"), no, 45000, true, "4.5"},
        ConversionCase {std::string("4,5"), no, 45000, true, "4,5"},
        ConversionCase {std::string("0.00005"), no, 1, true, "0.00005"},
        ConversionCase {std::string("1.2.3"), no, no, no, "1.2.3"},
        ConversionCase {std::string("1,234.56"), no, no, no, "1,234.56"},
        ConversionCase {std::string(""), no, no, no, ""}, ConversionCase {std::string("abc"), no, no, no, "abc"},
        ConversionCase {std::string("12abc"), no, no, no, "12abc"},
        ConversionCase {std::string("True"), no, no, true, "True"},
        ConversionCase {std::string("fALSE"), no, no, false, "fALSE"},
        ConversionCase {std::string("2147483648"), no, 21474836480000, true, "2147483648"},
        ConversionCase {std::string("99999999999999999999"), no, no, true, "99999999999999999999"},
        ConversionCase {int32_t {-3}, -3, -30000, true, "-3"}, ConversionCase {true, -1, -10000, true, "-1"},
        ConversionCase {false, 0, 0, false, "0"}, ConversionCase {2.5, 2, 25000, true, "2.5"},
        ConversionCase {3.5, 4, 35000, true, "3.5"}, ConversionCase {0.1, 0, 1000, true, "0.1"},
        ConversionCase {1e20, no, no, true, "1E20"}, ConversionCase {Currency {-1}, 0, -1, true, "-0.0001"},
        ConversionCase {Currency {123456}, 12, 123456, true, "12.3456"},
        ConversionCase {Currency {INT64_MIN}, no, INT64_MIN, true, "-922337203685477.5808"}));

TEST(ConversionTest, ThrowingFormsNameTheFailure)
{
    EXPECT_THROW(ToInteger(std::string("x")), VariantConversionError);
    EXPECT_THROW(ToInteger(std::string("3000000000")), VariantOverflowError);
    EXPECT_THROW(ToCurrency(std::string("")), VariantConversionError);
    EXPECT_THROW(ToBoolean(std::string("yes")), VariantConversionError);
    EXPECT_EQ(test::ErrorOf<VariantConversionError>([] { ToCurrency(std::string("abc")); }),
              "Invalid variant type conversion");
}

// Text is an integer when its value is whole, however it is written; a fraction other than zero is
// refused and a value past 32 bits overflows.
TEST(ConversionTest, TextIsAnIntegerWhenItsValueIsWhole)
{
    enum Result { Whole, Refused, Overflow };
    const std::tuple<const char*, Result, int32_t> cases[] = {
        {"5.0", Whole, 5},
        {"5.", Whole, 5},
        {"5.00", Whole, 5},
        {" 5.0 ", Whole, 5},
        {"+5.0", Whole, 5},
        {"-5.000", Whole, -5},
        {"-0.0", Whole, 0},
        {"0.000", Whole, 0},
        {".0", Whole, 0},
        {"0e999999", Whole, 0},
        {"1e3", Whole, 1000},
        {"1.5e1", Whole, 15},
        {"12300e-2", Whole, 123},
        {"2147483647.0", Whole, 2147483647},
        {"-2147483648.00", Whole, -2147483647 - 1},
        {"5.000000000000000000000000000000", Whole, 5},
        {"5.5", Refused, 0},
        {"5.01", Refused, 0},
        {"-0.5", Refused, 0},
        {"0.0000000001", Refused, 0},
        {"1e-3", Refused, 0},
        {"15e-1", Refused, 0},
        {"5.0x", Refused, 0},
        {"5.0.0", Refused, 0},
        {"5,0", Refused, 0},
        {"1,000", Refused, 0},
        {".", Refused, 0},
        {"2147483648.0", Overflow, 0},
        {"-2147483649.0", Overflow, 0},
        {"1e10", Overflow, 0},
        {"1e99999999", Overflow, 0},
        {"10000000000.000", Overflow, 0},
    };
    for (const auto& [text, result, value] : cases) {
        const FieldValue v = std::string(text);
        EXPECT_EQ(TryToInteger(v), result == Whole ? std::optional<int32_t>(value) : std::nullopt) << text;
        EXPECT_EQ(TryTextToInteger(text), TryToInteger(v)) << text;
        if (result == Refused) {
            EXPECT_THROW(ToInteger(v), VariantConversionError) << text;
        } else if (result == Overflow) {
            EXPECT_THROW(ToInteger(v), VariantOverflowError) << text;
        }
    }
}

TEST(ConversionTest, StoredNumbersRoundTrip)
{
    for (int64_t scaled :
         std::initializer_list<int64_t> {0, 1, -1, 45000, 123456789, -99990000, INT64_MAX, INT64_MIN}) {
        EXPECT_EQ(ToCurrency(ToText(Currency {scaled})).Scaled, scaled) << scaled;
    }
    for (double d : {0.1, -2.75, 1e-7, 123456789.125, 1e300})
        EXPECT_EQ(ToDouble(ToText(d)), d) << d;
}

// Plain numbers, the form of most stored values, read exactly as the full reading does: the double
// is the one strtod rounds to, the money value is exact, zero has no sign, and the forms next to
// the plain one (more digits, no digit after the point, blanks) still read.
TEST(ConversionTest, PlainNumbersReadAsTheFullReading)
{
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i) {
        const int whole = 1 + int(random() % 14), fraction = int(random() % 5);
        std::string text = random() % 3 == 0 ? "-" : "";
        int64_t scaled = 0;
        for (int k = 0; k < whole + fraction; ++k) {
            const int digit = int(random() % 10);
            if (k == whole)
                text += random() % 2 ? "." : ",";
            text += char('0' + digit);
            scaled = scaled * 10 + digit;
        }
        for (int k = fraction; k < 4; ++k)
            scaled *= 10;
        std::string dotted = text;
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        const bool negative = text[0] == '-';
        ASSERT_EQ(TryTextToDouble(text), std::strtod(dotted.c_str(), nullptr)) << text;
        ASSERT_EQ(TryTextToCurrency(text)->Scaled, negative ? -scaled : scaled) << text;
        ASSERT_EQ(TryTextToBoolean(text), scaled != 0) << text;
    }
    EXPECT_FALSE(std::signbit(*TryTextToDouble("-0")));
    EXPECT_FALSE(std::signbit(*TryTextToDouble("-0,000")));
    const std::tuple<const char*, std::optional<double>, std::optional<int64_t>> nearby[] = {
        {"1.23456", 1.23456, 12346}, {"-0.00005", -0.00005, -1},      {"1.", 1.0, 10000},
        {".5", 0.5, 5000},           {" 2.5 ", 2.5, 25000},           {"+3", 3.0, 30000},
        {"-", no, no},               {"1.2.", no, no},                {"9007199254740993", 9007199254740993.0, no},
        {"1e2", 100.0, 1000000},     {"12345678901234.5678", 12345678901234.5678, 123456789012345678},
        {"-922337203685477.5808", -922337203685477.5808, INT64_MIN},
    };
    for (const auto& [text, real, money] : nearby) {
        EXPECT_EQ(TryTextToDouble(text), real) << text;
        const auto currency = TryTextToCurrency(text);
        EXPECT_EQ(currency ? std::optional<int64_t>(currency->Scaled) : std::nullopt, money) << text;
    }
}

TEST(ConversionTest, ConvertsToFieldTypes)
{
    const std::tuple<FieldValue, TFieldDataType, bool> cases[] = {
        {std::string(""), dtInteger, false},       {std::string(""), dtCurrency, false},
        {std::string(""), dtString, true},         {std::string("12"), dtInteger, true},
        {std::string("abc"), dtInteger, false},    {std::string("abc"), dtString, true},
        {std::string("40000"), dtSmallint, false}, {std::string("255"), dtByte, true},
        {std::string("256"), dtByte, false},       {std::string("1e39"), dtSingle, false},
        {std::string("1e39"), dtDouble, true},     {std::string("True"), dtBoolean, true},
        {FieldValue {}, dtBoolean, true},          {2.5, dtCurrency, true},
    };
    for (const auto& [value, type, expected] : cases)
        EXPECT_EQ(ConvertsTo(value, type), expected) << ToText(value) << " " << type;
}

class LocaleTest : public test::GlobalsTest { };

TEST_F(LocaleTest, MoneyFormats)
{
    LocaleFormat us;
    LocaleFormat de;
    de.DecimalSeparator = ',';
    de.ThousandSeparator = '.';
    de.CurrencySymbol = "\x80";
    de.SymbolBeforeAmount = false;
    de.SpaceBetweenSymbolAndAmount = true;
    LocaleFormat paren = us;
    paren.NegativeInParentheses = true;
    LocaleFormat whole = us;
    whole.CurrencyDecimals = 0;
    const std::tuple<const LocaleFormat*, int64_t, const char*> cases[] = {
        {&us, 12345600, "$1,234.56"},
        {&us, 0, "$0.00"},
        {&us, -10000, "-$1.00"},
        {&us, 50, "$0.01"},
        {&us, -49, "$0.00"},
        {&us, 1234567890000, "$123,456,789.00"},
        {&de, 12345600, "1.234,56 \x80"},
        {&paren, -25000, "($2.50)"},
        {&whole, 15000, "$2"},
    };
    for (const auto& [format, scaled, expected] : cases)
        EXPECT_EQ(format->FormatMoney(Currency {scaled}), expected) << scaled;
}

TEST_F(LocaleTest, DisplayFollowsTheLocaleButStoredTextDoesNot)
{
    LocaleFormat de;
    de.DecimalSeparator = ',';
    LocaleFormat::SetCurrent(de);
    EXPECT_EQ(ToDisplayText(2.5), "2,5");
    EXPECT_EQ(ToDisplayText(Currency {45000}), "4,5");
    EXPECT_EQ(ToText(Currency {45000}), "4.5");
    EXPECT_EQ(ToCurrency(std::string("4.5")).Scaled, 45000);
}

// The year always has four digits; "dd" and "MM" pad, "d" and "M" do not.
TEST_F(LocaleTest, TodayFollowsTheFormatAndTheClock)
{
    EXPECT_EQ(TodayText(), test::kToday);
    LocaleFormat f;
    f.ShortDateFormat = "dd.MM.yy";
    LocaleFormat::SetCurrent(f);
    EXPECT_EQ(TodayText(), "04.03.2025");
    SetTodayClock([] { return std::time_t {1741089600 + 86400}; });
    EXPECT_EQ(TodayText(), "05.03.2025");
}

}  // namespace
}  // namespace quorvel
