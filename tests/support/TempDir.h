#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/Path.h"

#include <gtest/gtest.h>
#include <unistd.h>

// Permissions do not bind root. Tests that need them are named NoPermission... so that scripts/test,
// run as root, can run them again as an ordinary user (gtest filter "*.NoPermission*").
#define QUORVEL_SKIP_AS_ROOT()                                                                                         \
    if (::geteuid() == 0)                                                                                              \
    GTEST_SKIP() << "permissions do not bind root"

namespace quorvel {
// Failure messages show a path as its bytes.
inline void PrintTo(const Path& path, std::ostream* out) { *out << '"' << path.Bytes() << '"'; }
inline std::ostream& operator<<(std::ostream& out, const Path& path) { return out << path.Bytes(); }
}  // namespace quorvel

namespace quorvel::test {

// A fresh folder per test, removed afterwards. Also points QUORVEL_HOME at it so that
// nothing a test runs can reach the collector's real program folder.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path& Dir() const { return dir_; }
    // Path of a file inside the folder.
    Path PathOf(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;

    // Set before SetUp: the end of the folder's name (bytes as on disk), for names with letters
    // beyond ASCII.
    std::string folderSuffix;

private:
    std::filesystem::path dir_;
};

}  // namespace quorvel::test
