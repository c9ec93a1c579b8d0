#include "platform/SafeFile.h"

#include "support/Checks.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorvel {
namespace {

class BoundedReadTest : public test::TempDirTest { };

// A bounded read gives the file's first bytes up to its bound and not one byte past it, however the
// reads are cut: in one go, in chunks that grow from a small first one, or in pieces of a buffer
// bigger than the bound.
TEST_F(BoundedReadTest, NoBytePastTheBound)
{
    std::string content;
    for (int i = 0; i < 100000; ++i)
        content += static_cast<char>('a' + i % 26);
    WriteFile("f", content);
    const auto never = [](std::string_view) { return false; };
    constexpr std::optional<size_t> plain;  // read without asking whether the bytes are enough
    const std::pair<size_t, std::optional<size_t>> cases[] = {
        {0, plain}, {1, plain}, {10, plain}, {70000, plain}, {99999, plain}, {100000, plain}, {100001, plain},
        {0, 4},     {5, 2},     {7, 2},      {70000, 4096},  {99999, 1},     {100000, 3},     {100001, 4096}};
    for (const auto& [limit, firstChunk] : cases) {
        SCOPED_TRACE(testing::Message() << limit << " " << firstChunk.value_or(0));
        const std::string expected = content.substr(0, limit);
        if (!firstChunk) {
            EXPECT_TRUE(test::SameText(ReadFileStart(PathOf("f"), limit).value_or("none"), expected));
            continue;
        }
        // A buffer bigger than the bound, as one reused across files is: only the count tells.
        std::string buffer(200000, '-');
        const auto used = ReadFileStartInto(PathOf("f"), limit, buffer, never, *firstChunk);
        ASSERT_TRUE(used);
        EXPECT_TRUE(test::SameText(buffer.substr(0, *used), expected));
        EXPECT_TRUE(test::SameText(ReadFileStart(PathOf("f"), limit, never).value_or("none"), expected));
    }
}

}  // namespace
}  // namespace quorvel
