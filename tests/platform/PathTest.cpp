#include "platform/Path.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>

namespace quorvel {
namespace {

// A path and model text must not meet unnoticed: no way into or out of a std::string without a word.
static_assert(!std::is_convertible_v<std::string, Path>);
static_assert(!std::is_convertible_v<const char*, Path>);
static_assert(!std::is_convertible_v<Path, std::string>);
static_assert(!std::is_convertible_v<Path, std::string_view>);
static_assert(!std::is_constructible_v<std::string, Path>);
static_assert(!std::is_constructible_v<std::string_view, Path>);

TEST(Path, KeepsItsBytesAsTheyAre)
{
    const std::string utf8 = "/home/j\xC3\xB6rg/Liste.csv";
    const std::string latin = "/home/j\xF6rg/\x80.csv";  // not UTF-8: still a name the file system may hold
    for (const std::string& bytes : {utf8, latin, std::string()}) {
        EXPECT_EQ(Path(bytes).Bytes(), bytes);
        EXPECT_EQ(Path::FromBytes(bytes).Bytes(), bytes);
        EXPECT_EQ(Path(bytes).empty(), bytes.empty());
    }
    EXPECT_EQ(Path(std::string("a\0b", 3)).Bytes().size(), 3u);
}

TEST(Path, ComparesAndHashesByBytes)
{
    EXPECT_EQ(Path("/a/b"), Path(std::string("/a/b")));
    EXPECT_NE(Path("/a/b"), Path("/a/B"));  // Linux names keep their case
    EXPECT_LT(Path("/a/a"), Path("/a/b"));
    const std::set<Path> ordered {Path("b"), Path("a"), Path("a")};
    EXPECT_EQ(ordered.size(), 2u);
    const std::unordered_set<Path> hashed {Path("x"), Path("x"), Path("y")};
    EXPECT_EQ(hashed.size(), 2u);
}

}  // namespace
}  // namespace quorvel
