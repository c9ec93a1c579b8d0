#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace quorvel::test {

void TempDirTest::SetUp()
{
    std::mt19937_64 gen(std::random_device {}());
    do
        dir_ = std::filesystem::temp_directory_path() / ("quorvel-test-" + std::to_string(gen()) + folderSuffix);
    while (!std::filesystem::create_directory(dir_));
    setenv("QUORVEL_HOME", dir_.c_str(), 1);
}

void TempDirTest::TearDown()
{
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
}

Path TempDirTest::PathOf(const std::string& name) const { return Path((dir_ / name).string()); }

void TempDirTest::WriteFile(const std::string& name, const std::string& bytes) const
{
    const auto path = dir_ / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDirTest::ReadFile(const std::string& name) const
{
    std::ifstream in(dir_ / name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool TempDirTest::Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

}  // namespace quorvel::test
