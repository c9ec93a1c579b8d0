// Loads a list file with the class its type peek names and saves it again without backup:
// list_roundtrip IN OUT [THREADS]. Prints the load and save times and the peak memory of the process.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <sys/resource.h>

#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "model/ListFileSlices.h"

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
        const auto t0 = Clock::now();
        LoadListObject(list.get(), in);
        const auto t1 = Clock::now();
        struct rusage loaded { };
        ::getrusage(RUSAGE_SELF, &loaded);
        SaveListObject(list.get(), out, false, true);
        const auto t2 = Clock::now();
        struct rusage usage { };
        ::getrusage(RUSAGE_SELF, &usage);
        const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
        std::printf("items %d\nload_ms %.1f\nsave_ms %.1f\nload_peak_kib %ld\npeak_kib %ld\n", list->Count(),
                    ms(t1 - t0), ms(t2 - t1), loaded.ru_maxrss, usage.ru_maxrss);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
