// Reading and writing a generated 100 000-item media list file, in memory and through the file system.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "model/ListFile.h"
#include "support/ListGenerator.h"

namespace quorvel::bench {
namespace {

constexpr size_t kItems = 100000;
constexpr uint32_t kSeed = 20240601;

const std::string& SharedText()
{
    static const std::string text = ListFileText(*MakeMediaList(kItems, kSeed));
    return text;
}

void ReadText(benchmark::State& state)
{
    const std::string& text = SharedText();
    for (auto _ : state) {
        TCartListClass list;
        ReadListFileText(list, text, Path("bench.lst"));
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(ReadText)->Unit(benchmark::kMillisecond);

void WriteText(benchmark::State& state)
{
    TCartListClass list;
    ReadListFileText(list, SharedText(), Path("bench.lst"));
    for (auto _ : state)
        benchmark::DoNotOptimize(ListFileText(list).size());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(SharedText().size()));
}
BENCHMARK(WriteText)->Unit(benchmark::kMillisecond);

// Load and save through files, as the program does (atomic replace included).
void LoadAndSaveFile(benchmark::State& state)
{
    const std::string in = "/tmp/quorvel_bench_" + std::to_string(::getpid()) + ".lst";
    const std::string out = in + ".out";
    {
        TCartListClass list;
        ReadListFileText(list, SharedText(), Path(in));
        list.SaveToFile(Path(in), false, true);
    }
    for (auto _ : state) {
        TCartListClass list;
        list.LoadFromFile(Path(in));
        list.SaveToFile(Path(out), false, true);
    }
    std::remove(in.c_str());
    std::remove(out.c_str());
}
BENCHMARK(LoadAndSaveFile)->Unit(benchmark::kMillisecond);

void PeekType(benchmark::State& state)
{
    const std::string path = "/tmp/quorvel_peek_" + std::to_string(::getpid()) + ".lst";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(SharedText().data(), 1, SharedText().size(), f);
        std::fclose(f);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(GetListFileType(Path(path)));
    std::remove(path.c_str());
}
BENCHMARK(PeekType);

}  // namespace
}  // namespace quorvel::bench

BENCHMARK_MAIN();
