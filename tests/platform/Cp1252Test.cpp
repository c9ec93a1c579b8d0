#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Cp1252Test, TableAndEveryByteRoundTrips)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(Cp1252::FromUnicode(Cp1252::ToUnicode(static_cast<unsigned char>(b))), b) << b;
    const std::pair<int, char16_t> cases[] = {
        {0x41, u'A'},   {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x9D, 0x009D}, {0x92, 0x2019}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const auto& [byte, code] : cases)
        EXPECT_EQ(Cp1252::ToUnicode(static_cast<unsigned char>(byte)), code) << byte;
    for (char16_t none : {char16_t(0x0080), char16_t(0x0099), char16_t(0x0100), char16_t(0x4E00)})
        EXPECT_EQ(Cp1252::FromUnicode(none), -1) << int(none);
}

TEST(Cp1252Test, CaseTables)
{
    const std::pair<int, int> pairs[] = {{'A', 'a'},   {'Z', 'z'},   {0xC0, 0xE0}, {0xC9, 0xE9}, {0xDE, 0xFE},
                                         {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
    for (const auto& [upper, lower] : pairs) {
        EXPECT_EQ(Cp1252::ToLower(static_cast<unsigned char>(upper)), lower) << upper;
        EXPECT_EQ(Cp1252::ToUpper(static_cast<unsigned char>(lower)), upper) << lower;
    }
    for (int same : {0xD7, 0xF7, 0xDF, 0xB5, 0x83, 0x31, 0x40, 0x5B, 0x00})
        EXPECT_TRUE(Cp1252::ToLower(static_cast<unsigned char>(same)) == same &&
                    Cp1252::ToUpper(static_cast<unsigned char>(same)) == same)
            << same;
    // Every byte maps back through the other table.
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        EXPECT_EQ(Cp1252::ToUpper(Cp1252::ToLower(Cp1252::ToUpper(c))), Cp1252::ToUpper(c)) << b;
    }
}

TEST(Cp1252Test, NoCaseComparison)
{
    EXPECT_EQ(Cp1252::ToUpper("title \xE9t\xE9"), "TITLE \xC9T\xC9");
    EXPECT_EQ(Cp1252::ToLower("TITLE"), "title");
    // "_" (0x5F) sorts before "a": the order is that of lower case.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"Title", "tITLE", 0},   {"\x8A", "\x9A", 0}, {"Title", "Titles", -1}, {"\xD7", "\xF7", -1},
        {"apple", "BANANA", -1}, {"B", "a", 1},       {"_", "a", -1}};
    for (const auto& [a, b, order] : cases) {
        EXPECT_EQ(Cp1252::CompareNoCase(a, b), order) << a << " " << b;
        EXPECT_EQ(Cp1252::EqualsNoCase(a, b), order == 0) << a << " " << b;
    }
}

TEST(Cp1252Test, Utf8BothWays)
{
    // Every byte, the five undefined ones too, comes back from its UTF-8 spelling.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Cp1252::FromUtf8(Cp1252::ToUtf8(all)), all);

    const std::pair<std::string, std::string> spelled[] = {
        {"Caf\xE9 Box", "Caf\xC3\xA9 Box"}, {"\x80", "\xE2\x82\xAC"}, {"\x81", "\xC2\x81"}, {"", ""}};
    for (const auto& [text, utf8] : spelled) {
        EXPECT_EQ(Cp1252::ToUtf8(text), utf8) << text;
        EXPECT_EQ(Cp1252::FromUtf8(utf8), text) << text;
    }
    // No valid UTF-8, or a character the code page lacks: the caller keeps the bytes as they are.
    for (const std::string bytes : {"Caf\xE9", "\xC3", "\xA9", "\xC0\xA9", "\xE0\x80\xA9", "\xF0\x9F\x98\x80",
                                    "\xE4\xB8\x80", "\xED\xA0\x80"})
        EXPECT_EQ(Cp1252::FromUtf8(bytes), std::nullopt) << bytes;
}

}  // namespace
}  // namespace quorvel
