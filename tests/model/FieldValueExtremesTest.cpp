// Conversions of values at their extremes: at exactly half, at the ends of the integer range, beyond
// the range of a double.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "model/FieldValue.h"

namespace quorvel {
namespace {

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();

// Money becomes a whole number rounded to the nearest, and at exactly half to the even one, the same
// on both sides of zero.
TEST(FieldValueExtremesTest, MoneyAtExactlyHalfRoundsToEvenOnBothSides)
{
    // Amounts times 10 000 and the whole numbers they round to; their negatives round to the negatives.
    const std::pair<int64_t, int32_t> cases[] = {{5000, 0}, {15000, 2}, {25000, 2}, {35000, 4}, {45000, 4}, {4999, 0},
                                                 {5001, 1}, {34999, 3}, {35001, 4}, {1, 0},     {24999, 2}, {25001, 3}};
    for (const auto& [scaled, integer] : cases) {
        EXPECT_EQ(TryToInteger(Currency {scaled}), integer) << CurrencyToText(Currency {scaled});
        EXPECT_EQ(TryToInteger(Currency {-scaled}), -integer) << CurrencyToText(Currency {-scaled});
    }
    // As read from a stored text.
    EXPECT_EQ(ToInteger(ToCurrency(std::string("-3.50"))), -4);
    EXPECT_EQ(ToInteger(ToCurrency(std::string("-2.50"))), -2);
    // The ends of the range, half included where it rounds inwards.
    const int64_t lowest = int64_t {kLowest} * Currency::Scale, highest = int64_t {kHighest} * Currency::Scale;
    EXPECT_EQ(TryToInteger(Currency {lowest}), kLowest);
    EXPECT_EQ(TryToInteger(Currency {lowest - 5000}), kLowest);
    EXPECT_EQ(TryToInteger(Currency {lowest - 5001}), std::nullopt);
    EXPECT_EQ(TryToInteger(Currency {highest + 4999}), kHighest);
    EXPECT_EQ(TryToInteger(Currency {highest + 5000}), std::nullopt);
}

// The ends of the integer range held as doubles convert; a double past them does not, rounding to
// even at half as money does.
TEST(FieldValueExtremesTest, DoublesAtTheEndsOfTheIntegerRange)
{
    const std::pair<double, int32_t> converts[] = {{-2147483648.0, kLowest},
                                                   {-2147483648.4, kLowest},
                                                   {-2147483648.5, kLowest},
                                                   {2147483647.0, kHighest},
                                                   {2147483647.4, kHighest},
                                                   {-3.5, -4},
                                                   {-2.5, -2},
                                                   {-0.5, 0}};
    for (const auto& [value, integer] : converts)
        EXPECT_EQ(TryToInteger(value), integer) << DoubleToText(value);
    for (const double value : {-2147483648.6, -2147483649.0, 2147483647.5, 2147483648.0})
        EXPECT_EQ(TryToInteger(value), std::nullopt) << DoubleToText(value);
    EXPECT_EQ(ToInteger(-2147483648.0), kLowest);
    EXPECT_TRUE(ConvertsTo(-2147483648.0, dtInteger));
    EXPECT_THROW(ToInteger(-2147483649.0), VariantOverflowError);
}

// A number text too big for a double is no zero: it reads as Yes. One too small for a double is zero.
TEST(FieldValueExtremesTest, YesNoTextBeyondTheRangeOfADouble)
{
    const std::pair<const char*, bool> cases[] = {{"1e400", true},   {"-1e400", true},   {"1E400", true},
                                                  {"1e-400", false}, {"-1e-400", false}, {"9e308", true}};
    for (const auto& [text, yes] : cases) {
        EXPECT_EQ(TryTextToBoolean(text), yes) << text;
        EXPECT_EQ(TryToBoolean(std::string(text)), yes) << text;
        EXPECT_TRUE(ConvertsTo(std::string(text), dtBoolean)) << text;
    }
    EXPECT_TRUE(ToBoolean(std::string("1e400")));
}

}  // namespace
}  // namespace quorvel
