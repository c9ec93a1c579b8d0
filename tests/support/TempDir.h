#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

// Permissions do not bind root. Tests that need them are named NoPermission... so that scripts/test,
// run as root, can run them again as an ordinary user (gtest filter "*.NoPermission*").
#define QUORVEL_SKIP_AS_ROOT()                                                                                         \
    if (::geteuid() == 0)                                                                                              \
    GTEST_SKIP() << "permissions do not bind root"

namespace quorvel::test {

// A fresh folder per test, removed afterwards. Also points QUORVEL_HOME at it so that
// nothing a test runs can reach the collector's real program folder.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path& Dir() const { return dir_; }
    // Path of a file inside the folder, as a string.
    std::string PathOf(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::filesystem::path dir_;
};

}  // namespace quorvel::test
