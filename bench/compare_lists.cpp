// Compares two media list files with the comparison engine and writes what each lacks:
// compare_lists ONE TWO OUT1 OUT2 [--min-qty N] [--ignore-label-type] [--ignore-label-color]
//               [--ignore-punctuation] [--ignore-mfg]
// OUT1 gets the items ONE lacks, OUT2 those TWO lacks. Prints the load and comparison times.
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
    try {
        TCartListClass one, two;
        const auto t0 = Clock::now();
        LoadListObject(&one, argv[1]);
        LoadListObject(&two, argv[2]);
        const auto t1 = Clock::now();
        compare.Compare(one, two);
        const auto t2 = Clock::now();
        TCartListClass missing;
        compare.GetResult(1, missing);
        SaveListObject(&missing, argv[3], false, true);
        compare.GetResult(2, missing);
        SaveListObject(&missing, argv[4], false, true);
        const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
        std::printf("items %d %d\nload_ms %.1f\ncompare_ms %.1f\nmissing_from_one %d\nmissing_from_two %d\n",
                    one.Count(), two.Count(), ms(t1 - t0), ms(t2 - t1), compare.GetMissingFromOne().Count(),
                    compare.GetMissingFromTwo().Count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
