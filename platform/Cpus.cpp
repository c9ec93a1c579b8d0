#include "platform/Cpus.h"

#include <sched.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace quorvel {

namespace {

std::optional<long long> NumberOf(std::string_view text)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FirstLineOf(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// The cgroup folders of this process, from its own folder up to the root, for a controller's
// hierarchy (v2: the "0::" line; v1: the line naming Controller).
std::vector<std::string> CgroupFolders(const std::string& membership, const std::string& root,
                                       std::string_view controller)
{
    std::ifstream in(membership);
    std::string line;
    std::vector<std::string> folders;
    while (std::getline(in, line)) {
        const size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string_view names = std::string_view(line).substr(first + 1, second - first - 1);
        bool match = controller.empty() ? line.compare(0, first, "0") == 0 && names.empty() : false;
        if (!controller.empty()) {
            std::stringstream list {std::string(names)};
            for (std::string name; std::getline(list, name, ',');)
                match = match || name == controller;
        }
        if (!match)
            continue;
        std::string path = line.substr(second + 1);
        for (;;) {
            folders.push_back(root + (path == "/" ? "" : path));
            if (path.empty() || path == "/")
                break;
            path.resize(path.rfind('/'));
        }
        break;
    }
    return folders;
}

}  // namespace

std::optional<size_t> QuotaCpus(const CgroupPaths& cgroups)
{
    std::optional<size_t> lowest;
    const auto lower = [&](std::optional<size_t> cpus) {
        if (cpus && (!lowest || *cpus < *lowest))
            lowest = cpus;
    };
    for (const auto& folder : CgroupFolders(cgroups.Membership, cgroups.Root, {}))
        lower(CpusOfCpuMax(FirstLineOf(folder + "/cpu.max")));
    for (const auto& folder : CgroupFolders(cgroups.Membership, cgroups.Root + "/cpu", "cpu")) {
        const auto quota = NumberOf(FirstLineOf(folder + "/cpu.cfs_quota_us"));
        const auto period = NumberOf(FirstLineOf(folder + "/cpu.cfs_period_us"));
        if (quota && period)
            lower(CpusOfQuota(*quota, *period));
    }
    return lowest;
}

std::optional<size_t> CpusOfQuota(long long quota, long long period)
{
    if (quota <= 0 || period <= 0)
        return std::nullopt;
    return static_cast<size_t>(std::max<long long>(1, (quota + period - 1) / period));
}

std::optional<size_t> CpusOfCpuMax(std::string_view line)
{
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const auto quota = NumberOf(line.substr(0, blank));
    const auto period = NumberOf(line.substr(blank + 1));
    if (!quota || !period)
        return std::nullopt;  // "max": no quota
    return CpusOfQuota(*quota, *period);
}

size_t CountUsableCpus(const CgroupPaths& cgroups)
{
    size_t cpus = std::max(1u, std::thread::hardware_concurrency());
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        cpus = static_cast<size_t>(std::max(1, CPU_COUNT(&set)));
    if (const auto quota = QuotaCpus(cgroups))
        cpus = std::min(cpus, *quota);
    return cpus;
}

size_t UsableCpuCount()
{
    static const size_t cpus = CountUsableCpus();
    return cpus;
}

}  // namespace quorvel
