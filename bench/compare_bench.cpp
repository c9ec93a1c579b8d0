// Comparing two generated 100 000-item media lists that differ in one item of ten, beside the
// time of reading the same two lists from their files' text.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "model/ListFile.h"
#include "reports/CartCompare.h"
#include "support/ListGenerator.h"

namespace quorvel::bench {
namespace {

constexpr size_t kItems = 100000;

struct Pair {
    std::unique_ptr<TCartListClass> One, Two;
    std::string TextOne, TextTwo;
};

// List two is list one with every tenth item replaced by an item of another list.
const Pair& SharedPair()
{
    static const Pair pair = [] {
        Pair p;
        p.One = MakeMediaList(kItems, 20240601);
        const auto others = MakeMediaList(kItems / 10, 19991231);
        p.Two = std::make_unique<TCartListClass>();
        p.Two->AssignProperties(*p.One);
        for (size_t i = 0; i < kItems; ++i) {
            const TBaseCustomClass& source = i % 10 == 0 ? *others->Items()[i / 10] : *p.One->Items()[i];
            p.Two->Add(source.Clone());
        }
        p.TextOne = ListFileText(*p.One);
        p.TextTwo = ListFileText(*p.Two);
        return p;
    }();
    return pair;
}

void CompareBothPasses(benchmark::State& state)
{
    const Pair& pair = SharedPair();
    for (auto _ : state) {
        TCartCompareClass engine;
        engine.SetMinQty(0);
        engine.SetIgnorePunctuation(state.range(0) != 0);
        engine.Compare(*pair.One, *pair.Two);
        benchmark::DoNotOptimize(engine.GetMissingFromOne().Count() + engine.GetMissingFromTwo().Count());
    }
}
BENCHMARK(CompareBothPasses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void LoadBothLists(benchmark::State& state)
{
    const Pair& pair = SharedPair();
    for (auto _ : state) {
        TCartListClass one, two;
        ReadListFileText(one, pair.TextOne, quorvel::Path("one.lst"));
        ReadListFileText(two, pair.TextTwo, quorvel::Path("two.lst"));
        benchmark::DoNotOptimize(one.Count() + two.Count());
    }
}
BENCHMARK(LoadBothLists)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel::bench

BENCHMARK_MAIN();
