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

// Every length up to past two wide steps, every place of either character and every start: the
// wide steps, the word steps and the last bytes all find the first one. A byte that differs from one
// only in its high bit is none.
TEST(ListFieldScanTest, FindsEitherCharacterInLongText)
{
    const auto expected = [](std::string_view t, size_t from) {
        const size_t at = t.find_first_of(",%", from);
        return at == std::string_view::npos ? t.size() : at;
    };
    for (size_t size = 0; size <= 40; ++size) {
        for (size_t at = 0; at <= size; ++at) {
            std::string t(size, 'x');
            if (at < size)
                t[at] = at % 2 ? '%' : ',';
            if (at + 3 < size)
                t[at + 3] = '\xA5';
            for (size_t from = 0; from <= size; ++from)
                ASSERT_EQ(FindEither(t, from, ',', '%'), expected(t, from)) << size << " " << at << " " << from;
        }
    }
}

}  // namespace
}  // namespace quorvel
