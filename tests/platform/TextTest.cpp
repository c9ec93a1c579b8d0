#include "platform/Text.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(TextTest, CountingAgreesWithTheLineCursor)
{
    const std::pair<std::string, size_t> cases[] = {
        {"", 0},     {"a", 1},      {"a\n", 1}, {"a\r\nb", 2}, {"\r\r\n", 2},
        {"\n\n", 2}, {"a\rb\r", 2}, {"\r", 1},  {"a\n\rb", 3}, {std::string("a\0\nb", 4), 2},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(CountLines(text), lines) << text;
        EXPECT_EQ(SplitLines(text).size(), lines) << text;
        EXPECT_FALSE(MoreLinesThan(text, lines)) << text;
        EXPECT_EQ(MoreLinesThan(text, lines - 1), lines > 0) << text;
    }
}

}  // namespace
}  // namespace quorvel
