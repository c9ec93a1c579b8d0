#include <gtest/gtest.h>

#include <string>

#include "reports/ReportHtml.h"

namespace quorvel {
namespace {

// A word of exactly the long-word length is never broken, one character longer is; alike for plain
// words, words with a character that is escaped or not ASCII, and words after a long one.
TEST(ReportWordBreakTest, BreaksOnlyWordsLongerThanTheLongWordLength)
{
    const std::pair<char, std::string> specials[] = {{'w', "w"}, {'&', "&amp;"}, {'<', "&lt;"}, {'\xE9', "\xC3\xA9"}};
    const std::string before[] = {"", "x ", std::string(kLongWord + 5, 'v') + " "};
    for (const auto& [special, escaped] : specials) {
        for (const std::string& start : before) {
            for (const size_t length : {kLongWord, kLongWord + 1}) {
                std::string word(length, 'w');
                word[length / 2] = special;
                const std::string html = HtmlText(start + word);
                std::string last = html.substr(html.rfind(' ') + 1);
                EXPECT_EQ(last.find("<wbr>") != std::string::npos, length > kLongWord) << start + word;
                for (size_t at; (at = last.find("<wbr>")) != std::string::npos;)
                    last.erase(at, 5);
                EXPECT_EQ(last, std::string(length / 2, 'w') + escaped + std::string(length - length / 2 - 1, 'w'))
                    << start + word;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
