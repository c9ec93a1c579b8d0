#pragma once

#include <benchmark/benchmark.h>

#include "support/ListGenerator.h"

namespace quorvel::bench {

constexpr size_t kSharedItems = 100000;
constexpr uint32_t kSharedSeed = 20240601;

// The 100 000-item media list that the benchmarks of one program share, made on first use.
inline TCartListClass& SharedList()
{
    static auto list = MakeMediaList(kSharedItems, kSharedSeed);
    return *list;
}

// Puts a list in a random order again (by its unique serial numbers) outside the timing.
inline void Scramble(benchmark::State& state, TBaseCustomListClass& list)
{
    state.PauseTiming();
    TBaseCustomListClass::SetSortField("SerialNumber");
    TBaseCustomListClass::SetSortDirection(1);
    list.Sort();
    state.ResumeTiming();
}

}  // namespace quorvel::bench
