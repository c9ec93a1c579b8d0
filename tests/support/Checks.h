#pragma once

#include <algorithm>
#include <exception>
#include <string>

#include <gtest/gtest.h>

namespace quorvel::test {

// For texts that may run to megabytes: EXPECT_EQ's line diff of two such texts takes gigabytes, so
// a difference is told as the sizes, the first differing offset and a short excerpt of each side.
inline ::testing::AssertionResult SameText(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const size_t common = std::min(actual.size(), expected.size());
    const size_t at = std::mismatch(actual.begin(), actual.begin() + common, expected.begin()).first - actual.begin();
    const size_t from = at < 32 ? 0 : at - 32;
    const auto excerpt = [&](const std::string& s) { return ::testing::PrintToString(s.substr(from, 64)); };
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                         << ", first difference at byte " << at << " (excerpts from byte " << from
                                         << ")\n  actual:   " << excerpt(actual) << "\n  expected: " << excerpt(expected);
}

// The message of the E that f throws; "no error" when it throws none.
template <typename E = std::exception, typename F> std::string ErrorOf(F&& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace quorvel::test
