#include "platform/Cpus.h"

#include <gtest/gtest.h>
#include <sched.h>

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

}  // namespace
}  // namespace quorvel
