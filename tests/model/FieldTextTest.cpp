#include <gtest/gtest.h>

#include "model/FieldText.h"

namespace quorvel {
namespace {

using namespace std::string_literals;

TEST(FieldTextTest, EncodesOnlyTheFourCharacters)
{
    struct Case {
        std::string Plain, Encoded;
    };
    const Case cases[] = {
        {"", ""},
        {"plain, text; 100", "plain, text; 100"},
        {"a\nb\rc\r\nd", "a%0Ab%0Dc%0D%0Ad"},
        {"say \"hi\"", "say %22hi%22"},
        {"50% off", "50%25 off"},
        {"%%", "%25%25"},
        {"\xE9t\xE9 \x80\xFF"s, "\xE9t\xE9 \x80\xFF"s},
        {"nul\0byte"s, "nul\0byte"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeFieldText(c.Plain), c.Encoded);
        EXPECT_EQ(DecodeFieldText(c.Encoded), c.Plain);
    }
}

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
        try {
            DecodeFieldText(c.Encoded);
            ADD_FAILURE() << c.Encoded;
        } catch (const FieldTextDecodeError& e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
        std::string out;
        EXPECT_FALSE(TryDecodeFieldText(c.Encoded, out)) << c.Encoded;
    }
}

TEST(FieldTextTest, EveryByteRoundTrips)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string encoded = EncodeFieldText(all);
    EXPECT_EQ(encoded.find_first_of("\r\n\""), std::string::npos);
    EXPECT_EQ(DecodeFieldText(encoded), all);
}

}  // namespace
}  // namespace quorvel
