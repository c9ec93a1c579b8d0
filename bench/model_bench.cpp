// Sorting, quantity merging and memory of loaded media items, each next to a plain baseline.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <vector>

#include "support/SharedList.h"

namespace quorvel::bench {
namespace {

void SortListBy(benchmark::State& state, const char* field)
{
    TCartListClass& list = SharedList();
    for (auto _ : state) {
        Scramble(state, list);
        G_SortField = field;
        G_SortDirection = 1;
        list.Sort();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kSharedItems));
}

void BM_SortByTitle(benchmark::State& state) { SortListBy(state, "Title"); }
void BM_SortByQuantity(benchmark::State& state) { SortListBy(state, "Quantity"); }

// The first sort after loading, when the list order is still the order the items were made in.
void BM_SortByQuantityJustLoaded(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeMediaList(kSharedItems, kSharedSeed);
        G_SortField = "Quantity";
        G_SortDirection = 1;
        state.ResumeTiming();
        list->Sort();
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kSharedItems));
}

// The baselines: std::stable_sort of the same keys in the same order as the list sorts meet them.
template <typename Key, typename KeyOf> void StableSortBaseline(benchmark::State& state, KeyOf keyOf)
{
    TCartListClass& list = SharedList();
    G_SortField = "SerialNumber";
    G_SortDirection = 1;
    list.Sort();
    std::vector<Key> keys;
    for (const auto& item : list.Items())
        keys.push_back(keyOf(*item));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Key> copy = keys;
        state.ResumeTiming();
        std::stable_sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kSharedItems));
}

void BM_StableSortTitleStrings(benchmark::State& state)
{
    StableSortBaseline<std::string>(state,
                                    [](const TBaseCustomClass& item) { return ToText(item.GetFieldValue("Title")); });
}

void BM_StableSortQuantityInts(benchmark::State& state)
{
    StableSortBaseline<int32_t>(state,
                                [](const TBaseCustomClass& item) { return ToInteger(item.GetFieldValue("Quantity")); });
}

void BM_Compress(benchmark::State& state)
{
    const auto count = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeMediaList(count, kSharedSeed);
        state.ResumeTiming();
        list->CompressQuantities();
        state.PauseTiming();
        state.counters["items_after"] = list->Count();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Input trimmed so that the expansion makes at most range(0) items.
void BM_Expand(benchmark::State& state)
{
    const int64_t target = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeMediaList(static_cast<size_t>(target), kSharedSeed);
        std::vector<int32_t> tail;
        int64_t total = ExpandedCount(*list);
        for (int32_t i = list->Count() - 1; total > target; --i) {
            total -= std::max<int32_t>(1, TryToInteger(list->GetItem(i)->GetFieldValue("Quantity")).value_or(1));
            tail.push_back(i);
        }
        list->DeleteItems(tail);
        state.ResumeTiming();
        list->ExpandQuantities();
        state.PauseTiming();
        state.counters["items_after"] = list->Count();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * target);
}

// Heap held by loaded items against the bytes of their lines in a list file.
void BM_MemoryPerLoadedItem(benchmark::State& state)
{
    double heapPerItem = 0, linePerItem = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        auto list = MakeMediaList(kSharedItems, kSharedSeed + 1);
        const size_t after = mallinfo2().uordblks;
        size_t lineBytes = 0;
        for (const auto& item : list->Items())
            lineBytes += JoinedFieldTexts(*item).size() + 2;  // CR LF
        heapPerItem = double(after - before) / kSharedItems;
        linePerItem = double(lineBytes) / kSharedItems;
    }
    state.counters["heap_bytes_per_item"] = heapPerItem;
    state.counters["line_bytes_per_item"] = linePerItem;
    state.counters["ratio"] = heapPerItem / linePerItem;
}

BENCHMARK(BM_SortByTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortTitleStrings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByQuantity)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortQuantityInts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByQuantityJustLoaded)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Compress)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Expand)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MemoryPerLoadedItem)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace quorvel::bench

BENCHMARK_MAIN();
