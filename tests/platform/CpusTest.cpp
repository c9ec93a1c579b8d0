#include "platform/Cpus.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <map>
#include <thread>

namespace quorvel {
namespace {

struct CpuMaxCase {
    const char* Line;
    std::optional<size_t> Cpus;
};

class CpuMaxTest : public testing::TestWithParam<CpuMaxCase> { };

TEST_P(CpuMaxTest, QuotaBecomesWholeCpusRoundedUp)
{
    EXPECT_EQ(CpusOfCpuMax(GetParam().Line), GetParam().Cpus) << GetParam().Line;
}

INSTANTIATE_TEST_SUITE_P(Lines, CpuMaxTest,
                         testing::Values(CpuMaxCase {"max 100000", std::nullopt},
                                         CpuMaxCase {"200000 100000", 2u},
                                         CpuMaxCase {"150000 100000", 2u},  // one and a half: two threads
                                         CpuMaxCase {"50000 100000", 1u},   // half a CPU still runs one
                                         CpuMaxCase {"", std::nullopt},
                                         CpuMaxCase {"100000", std::nullopt},
                                         CpuMaxCase {"abc 100000", std::nullopt},
                                         CpuMaxCase {"100000 0", std::nullopt},
                                         CpuMaxCase {"-1 100000", std::nullopt}));

TEST(CpusTest, VersionOneQuotaOfMinusOneIsNone)
{
    EXPECT_EQ(CpusOfQuota(-1, 100000), std::nullopt);
    EXPECT_EQ(CpusOfQuota(300000, 100000), 3u);
    EXPECT_EQ(CpusOfQuota(1, 100000), 1u);
}

TEST(CpusTest, FollowsTheAffinityMask)
{
    cpu_set_t old;
    ASSERT_EQ(sched_getaffinity(0, sizeof old, &old), 0);
    const size_t before = CountUsableCpus();
    EXPECT_GE(before, 1u);
    EXPECT_LE(before, static_cast<size_t>(CPU_COUNT(&old)));
    // Pinned to one CPU of those allowed, the count follows whatever the machine has.
    int first = 0;
    while (!CPU_ISSET(first, &old))
        ++first;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(first, &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    const size_t pinned = CountUsableCpus();
    sched_setaffinity(0, sizeof old, &old);
    EXPECT_EQ(pinned, 1u);
    EXPECT_EQ(CountUsableCpus(), before);
}

// Cgroups laid out in a folder of the test's own: the file naming this process's cgroups ("cgroup")
// and the hierarchies below "fs" (v1 controllers in "fs/cpu").
class CgroupQuotaTest : public test::TempDirTest {
protected:
    CgroupPaths Lay(const std::string& membership, const std::map<std::string, std::string>& files)
    {
        std::filesystem::remove_all(Dir());
        std::filesystem::create_directory(Dir());
        WriteFile("cgroup", membership);
        for (const auto& [name, text] : files)
            WriteFile("fs/" + name, text + "\n");
        return {PathOf("cgroup").Bytes(), PathOf("fs").Bytes()};
    }
};

// The lowest quota on the way from this process's own cgroup up to the root counts; a line that is
// no quota counts as none and leaves the others counting.
TEST_F(CgroupQuotaTest, LowestQuotaUpToTheRoot)
{
    const struct {
        const char* Name;
        std::string Membership;
        std::map<std::string, std::string> Files;
        std::optional<size_t> Cpus;
    } cases[] = {
        {"own quota", "0::/a/b\n", {{"a/b/cpu.max", "200000 100000"}, {"cpu.max", "max 100000"}}, 2u},
        {"parent below child", "0::/a/b\n", {{"a/b/cpu.max", "300000 100000"}, {"a/cpu.max", "100000 100000"}}, 1u},
        {"child below parent", "0::/a/b\n", {{"a/b/cpu.max", "100000 100000"}, {"a/cpu.max", "300000 100000"}}, 1u},
        {"root below all", "0::/a/b\n", {{"a/b/cpu.max", "400000 100000"}, {"cpu.max", "250000 100000"}}, 3u},
        {"malformed child, parent counts",
         "0::/a/b\n",
         {{"a/b/cpu.max", "150000x 100000"}, {"a/cpu.max", "300000 100000"}},
         3u},
        {"malformed period", "0::/a\n", {{"a/cpu.max", "100000 100000us"}, {"cpu.max", "500000 100000"}}, 5u},
        {"only malformed lines", "0::/a\n", {{"a/cpu.max", "100000"}, {"cpu.max", "1.5 1"}}, std::nullopt},
        {"no quota anywhere", "0::/a\n", {{"a/cpu.max", "max 100000"}}, std::nullopt},
        {"no membership line", "", {{"cpu.max", "100000 100000"}}, std::nullopt},
        {"v1 parent below child",
         "4:cpu,cpuacct:/a/b\n0::/\n",
         {{"cpu/a/b/cpu.cfs_quota_us", "300000"},
          {"cpu/a/b/cpu.cfs_period_us", "100000"},
          {"cpu/a/cpu.cfs_quota_us", "150000"},
          {"cpu/a/cpu.cfs_period_us", "100000"},
          {"cpu/cpu.cfs_quota_us", "-1"},
          {"cpu/cpu.cfs_period_us", "100000"}},
         2u},
        {"v1 malformed child, parent counts",
         "4:cpu,cpuacct:/a\n",
         {{"cpu/a/cpu.cfs_quota_us", "100000 "},
          {"cpu/a/cpu.cfs_period_us", "100000"},
          {"cpu/cpu.cfs_quota_us", "400000"},
          {"cpu/cpu.cfs_period_us", "100000"}},
         4u},
        {"v1 line of another controller",
         "4:cpuacct:/a\n",
         {{"cpu/a/cpu.cfs_quota_us", "100000"}, {"cpu/a/cpu.cfs_period_us", "100000"}},
         std::nullopt},
        {"v1 and v2 together",
         "1:cpu:/a\n0::/b\n",
         {{"b/cpu.max", "300000 100000"}, {"cpu/a/cpu.cfs_quota_us", "200000"}, {"cpu/a/cpu.cfs_period_us", "100000"}},
         2u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuotaCpus(Lay(c.Membership, c.Files)), c.Cpus) << c.Name;
}

// A quota below the CPUs the affinity allows lowers the count; one above leaves it.
TEST_F(CgroupQuotaTest, QuotaLowersTheCountNeverRaisesIt)
{
    cpu_set_t set;
    ASSERT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
    const size_t allowed = static_cast<size_t>(CPU_COUNT(&set));
    const std::pair<std::string, size_t> cases[] = {
        {"100000 100000", 1u},
        {"50000 100000", 1u},
        {std::to_string((allowed + 4) * 100000) + " 100000", allowed},
        {"max 100000", allowed},
    };
    for (const auto& [line, cpus] : cases)
        EXPECT_EQ(CountUsableCpus(Lay("0::/box\n", {{"box/cpu.max", line}})), cpus) << line;
    if (allowed > 2) {
        EXPECT_EQ(CountUsableCpus(Lay("0::/box\n", {{"box/cpu.max", "200000 100000"}})), 2u);
    }
}

}  // namespace
}  // namespace quorvel
