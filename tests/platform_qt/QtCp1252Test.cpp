#include "platform/qt/QtCp1252.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// Every byte both ways, against the code page table that has its own test.
TEST(QtCp1252, EveryByteConvertsByTheCodePage)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const QString unicode(QChar(Cp1252::ToUnicode(byte)));
        EXPECT_EQ(ToQString(std::string(1, char(byte))), unicode) << b;
        EXPECT_EQ(FromQString(unicode), std::string(1, char(byte))) << b;
        all.push_back(char(byte));
    }
    const QString text = ToQString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(FromQString(text), all);
}

TEST(QtCp1252, CharactersWithoutACodeBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(FromQString(QString::fromUtf8("a\u0100b")), "a?b");
    EXPECT_EQ(FromQString(QString::fromUtf8("\u3042\U0001F3AE!")),
              "??"
              "!");                                       // one "?" per surrogate pair
    EXPECT_EQ(FromQString(QString(QChar(0xD800))), "?");  // a lone surrogate
    EXPECT_EQ(FromQString(QString()), "");
}

}  // namespace
}  // namespace quorvel
