#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace quorvel {
namespace {

// A path reaches a window only through its own conversion, never through the code page of model text.
static_assert(!std::is_invocable_v<decltype(&ToQString), const Path&>);

TEST(PathText, ShowsANameAsTheFileSystemSpellsIt)
{
    struct Case {
        const char* bytes;
        const char16_t* shown;
    };
    const Case cases[] = {
        {"/home/j\xC3\xB6rg/Liste.csv", u"/home/j\u00F6rg/Liste.csv"},
        {"/tmp/\xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC.csv", u"/tmp/\u20AC \u65E5\u672C.csv"},
        {"/plain/Zentrix 64.csv", u"/plain/Zentrix 64.csv"},
        {"", u""},
    };
    for (const Case& c : cases) {
        const Path path(c.bytes);
        const QString shown = PathToQString(path);
        EXPECT_EQ(shown, QString::fromUtf16(c.shown)) << c.bytes;
        EXPECT_EQ(PathFromQString(shown), path) << c.bytes;
    }
    // What the window used to show for such a folder.
    EXPECT_NE(PathToQString(Path("/home/j\xC3\xB6rg")), ToQString("/home/j\xC3\xB6rg"));
}

}  // namespace
}  // namespace quorvel
