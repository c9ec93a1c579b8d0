#include "platform/qt/QtCp1252.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(QtCp1252, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = ToQString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(FromQString(text), all);
}

TEST(QtCp1252, ConvertsTheUpperHalfByTheCodePage)
{
    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = {
        {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'}, {0x8F, u'\u008F'}, {0x90, u'\u0090'},
        {0x9D, u'\u009D'}, {0x99, u'\u2122'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xE9, u'\u00E9'},
        {0xFF, u'\u00FF'}, {0x00, u'\u0000'},
    };
    for (const auto& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(ToQString(byte), QString(QChar(c.unicode))) << int(c.byte);
        EXPECT_EQ(FromQString(QString(QChar(c.unicode))), byte) << int(c.byte);
    }
}

TEST(QtCp1252, CharactersWithoutACodeBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(FromQString(QString::fromUtf8("a\u0100b")), "a?b");
    EXPECT_EQ(FromQString(QString::fromUtf8("\u3042\U0001F3AE!")), "??" "!");  // one "?" per surrogate pair
    EXPECT_EQ(FromQString(QString(QChar(0xD800))), "?");                    // a lone surrogate
    EXPECT_EQ(FromQString(QString()), "");
}

}  // namespace
}  // namespace quorvel
