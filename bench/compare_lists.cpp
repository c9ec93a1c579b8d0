// Compares two media list files with the comparison engine and writes what each lacks:
// compare_lists ONE TWO OUT1 OUT2 [--min-qty N] [--ignore-label-type] [--ignore-label-color]
//               [--ignore-punctuation] [--ignore-mfg]
// OUT1 gets the items ONE lacks, OUT2 those TWO lacks. Prints the load and comparison times, as
// elapsed time and as processor time of all threads (which a busy machine changes less).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <string>

#include "model/CartListClass.h"
#include "model/ListFactory.h"
#include "reports/CartCompare.h"

int main(int argc, char** argv)
{
    using namespace quorvel;
    using Clock = std::chrono::steady_clock;
    const auto usage = [&] {
        std::fprintf(stderr,
                     "usage: %s ONE TWO OUT1 OUT2 [--min-qty N] [--ignore-label-type] [--ignore-label-color]"
                     " [--ignore-punctuation] [--ignore-mfg]\n",
                     argv[0]);
        return 2;
    };
    if (argc < 5)
        return usage();
    TCartCompareClass compare;
    compare.SetMinQty(0);
    for (int i = 5; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--min-qty" && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 0 || n > INT32_MAX)
                return usage();
            compare.SetMinQty(static_cast<int32_t>(n));
        } else if (option == "--ignore-label-type") {
            compare.SetIgnoreLabelType(true);
        } else if (option == "--ignore-label-color") {
            compare.SetIgnoreLabelColor(true);
        } else if (option == "--ignore-punctuation") {
            compare.SetIgnorePunctuation(true);
        } else if (option == "--ignore-mfg") {
            compare.SetIgnoreMfg(true);
        } else {
            return usage();
        }
    }
    const auto cpuMs = [] {
        timespec t {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    try {
        TCartListClass one, two;
        const double c0 = cpuMs();
        const auto t0 = Clock::now();
        LoadListObject(&one, Path(argv[1]));
        LoadListObject(&two, Path(argv[2]));
        const auto t1 = Clock::now();
        const double c1 = cpuMs();
        compare.Compare(one, two);
        const auto t2 = Clock::now();
        const double c2 = cpuMs();
        TCartListClass missing;
        compare.GetResult(1, missing);
        SaveListObject(&missing, Path(argv[3]), false, true);
        compare.GetResult(2, missing);
        SaveListObject(&missing, Path(argv[4]), false, true);
        const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
        std::printf("items %d %d\nload_ms %.1f\ncompare_ms %.1f\nload_cpu_ms %.1f\ncompare_cpu_ms %.1f\n"
                    "missing_from_one %d\nmissing_from_two %d\n",
                    one.Count(), two.Count(), ms(t1 - t0), ms(t2 - t1), c1 - c0, c2 - c1,
                    compare.GetMissingFromOne().Count(), compare.GetMissingFromTwo().Count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
