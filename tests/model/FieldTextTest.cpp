#include <gtest/gtest.h>

#include "support/Checks.h"

#include "model/FieldText.h"

namespace quorvel {
namespace {

using namespace std::string_literals;

TEST(FieldTextTest, DecodesAnyHexEscape)
{
    struct Case {
        std::string Encoded, Plain;
    };
    const Case cases[] = {
        {"%41%62", "Ab"},
        {"%e9", "\xE9"},
        {"%00x", "\0x"s},
        {"%414", "A4"},
        // At the end of a value one digit is all there is.
        {"x%A", "x\n"},
        {"%22%25", "\"%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeFieldText(c.Encoded), c.Plain) << c.Encoded;
}

TEST(FieldTextTest, BadEscapeNamesItsCharacters)
{
    struct Case {
        std::string Encoded, Message;
    };
    const Case cases[] = {
        {"50%", "'$' is not a valid integer value"},
        {"50% off", "'$ o' is not a valid integer value"},
        {"%G1", "'$G1' is not a valid integer value"},
        {"%1G", "'$1G' is not a valid integer value"},
        {"ok %41 then %zz", "'$zz' is not a valid integer value"},
        {"%-1", "'$-1' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(test::ErrorOf<FieldTextDecodeError>([&] { DecodeFieldText(c.Encoded); }), c.Message);
        std::string out;
        EXPECT_FALSE(TryDecodeFieldText(c.Encoded, out)) << c.Encoded;
    }
}

}  // namespace
}  // namespace quorvel
