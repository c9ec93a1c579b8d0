// Loads a list file with the class its type peek names and saves it again without backup:
// list_roundtrip IN OUT [THREADS] (OUT "-": no save). Prints the load and save times, the processor
// time of the load (all threads), the time the list takes to be freed, and the peak memory; for a file
// refused, the peak and resident memory after the refusal and the items made.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>

#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "model/ListFileSlices.h"

namespace {

// What the process holds in memory now, as the kernel counts it.
long ResidentKib()
{
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace quorvel;
    using Clock = std::chrono::steady_clock;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s IN OUT [THREADS]\n", argv[0]);
        return 2;
    }
    if (argc == 4)
        MaxSliceThreads = static_cast<size_t>(std::max(1, std::atoi(argv[3])));
    const Path in(argv[1]), out(argv[2]);
    auto list = CreateListObject(GetListFileType(in));
    if (!list) {
        std::fprintf(stderr, "The file \"%s\" is not a recognized Quorvel File.\n", in.c_str());
        return 1;
    }
    try {
        const auto cpuMs = [] {
            struct rusage usage { };
            ::getrusage(RUSAGE_SELF, &usage);
            const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
            return ms(usage.ru_utime) + ms(usage.ru_stime);
        };
        const double cpu0 = cpuMs();
        const auto t0 = Clock::now();
        LoadListObject(list.get(), in);
        const auto t1 = Clock::now();
        const double cpu1 = cpuMs();
        struct rusage loaded { };
        ::getrusage(RUSAGE_SELF, &loaded);
        if (std::string_view(argv[2]) != "-")
            SaveListObject(list.get(), out, false, true);
        const auto t2 = Clock::now();
        struct rusage usage { };
        ::getrusage(RUSAGE_SELF, &usage);
        const int count = list->Count();
        list.reset();
        const auto t3 = Clock::now();
        const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
        std::printf("items %d\nload_ms %.1f\nload_cpu_ms %.1f\nsave_ms %.1f\nfree_ms %.1f\nload_peak_kib %ld\n"
                    "peak_kib %ld\nfreed_resident_kib %ld\n",
                    count, ms(t1 - t0), cpu1 - cpu0, ms(t2 - t1), ms(t3 - t2), loaded.ru_maxrss, usage.ru_maxrss,
                    ResidentKib());
    } catch (const std::exception& e) {
        // What a refusal cost, and what the process still holds after it.
        struct rusage usage { };
        ::getrusage(RUSAGE_SELF, &usage);
        std::fprintf(stderr, "%s\n", e.what());
        std::printf("refused_peak_kib %ld\nrefused_resident_kib %ld\nitems_made %llu\n", usage.ru_maxrss,
                    ResidentKib(), static_cast<unsigned long long>(ItemsMadeByReader()));
        return 1;
    }
    return 0;
}
