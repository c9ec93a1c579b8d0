#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/Utils.h"

namespace quorvel {
namespace {

struct Field {
    std::string Text;
    bool Percent;
    bool operator==(const Field&) const = default;
};

// Fields up to the one at which Visit says stop (StopAt; -1 never).
std::vector<Field> ScannedFields(std::string_view line, int stopAt)
{
    std::vector<Field> fields;
    ForEachListField(line, [&](std::string_view field, bool percent) {
        fields.push_back({std::string(field), percent});
        return int(fields.size()) != stopAt;
    });
    return fields;
}

std::vector<Field> ExpectedFields(std::string_view line, int stopAt)
{
    std::vector<Field> fields;
    ForEachCSVField(line, ',', [&](std::string_view field) {
        fields.push_back({std::string(field), field.find('%') != std::string_view::npos});
        return int(fields.size()) != stopAt;
    });
    return fields;
}

// The one-scan splitter finds the fields and escapes the general splitter and a search for "%"
// find: quotes, unclosed quotes, text after a closing quote, bytes from 0x80 on (which the
// eight-byte search must not take for the characters it looks for) and NUL bytes, with the
// characters falling anywhere in an eight-byte word.
TEST(ListFieldScanTest, AgreesWithTheGeneralSplitter)
{
    const std::string alphabet = std::string(",\"%a\x80\xFF\xAC\xA5\x25\x2C\x22 ", 13) + std::string(1, '\0');
    std::mt19937 random(3);
    for (int i = 0; i < 40000; ++i) {
        std::string line;
        const size_t length = random() % 40;
        for (size_t k = 0; k < length; ++k)
            line += alphabet[random() % alphabet.size()];
        const int stopAt = int(random() % 6) - 1;
        ASSERT_EQ(ScannedFields(line, stopAt), ExpectedFields(line, stopAt)) << line;
    }
}

TEST(ListFieldScanTest, FindsEitherCharacterInLongText)
{
    std::string text(100, 'x');
    for (size_t at : {0u, 7u, 8u, 15u, 63u, 99u}) {
        std::string t = text;
        t[at] = '%';
        EXPECT_EQ(FindEither(t, 0, ',', '%'), at);
        EXPECT_EQ(FindEither(t, at + 1, ',', '%'), t.size());
        t[at] = '\xA5';  // '%' with its high bit set
        EXPECT_EQ(FindEither(t, 0, ',', '%'), t.size());
    }
}

}  // namespace
}  // namespace quorvel
