#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How many CPUs this process may run on: its affinity mask, lowered by a container's CPU quota.
namespace quorvel {

// Where the CPU quotas are read: the file naming this process's cgroups and the folder their
// hierarchies are mounted on (v1 controllers in its subfolders). Tests hand folders of their own.
struct CgroupPaths {
    std::string Membership = "/proc/self/cgroup";
    std::string Root = "/sys/fs/cgroup";
};

// Worked out once, on the first call; at least 1.
size_t UsableCpuCount();
// Worked out again on every call (for tests that change the affinity or hand their own cgroups).
size_t CountUsableCpus(const CgroupPaths& cgroups = {});
// The lowest quota of this process's cgroup and its parents, in CPUs; nothing without one.
std::optional<size_t> QuotaCpus(const CgroupPaths& cgroups = {});

// The CPUs a quota allows, rounded up: a cgroup v2 "cpu.max" line ("max 100000" or "150000 100000"),
// or a cgroup v1 quota and period in microseconds (a quota of -1: none). No value for no quota.
std::optional<size_t> CpusOfCpuMax(std::string_view line);
std::optional<size_t> CpusOfQuota(long long quota, long long period);

}  // namespace quorvel
