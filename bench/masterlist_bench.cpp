// The master-list search of the add-from-list window against loading the list it then shows: a
// folder of 200 list files of which 5 match, the shown one of 100 000 items. The search peeks at the
// first lines of each file, so it should cost little beside the load.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "config/MasterLists.h"
#include "model/ListFactory.h"
#include "support/ListGenerator.h"

namespace quorvel::bench {
namespace {

constexpr size_t kShownItems = 100000;
constexpr size_t kOtherItems = 2000;
constexpr int kFiles = 200;
constexpr int kMatching = 5;

const std::string& Folder()
{
    static const std::string folder = [] {
        const std::string dir = "/tmp/quorvel_masterlists_" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(dir);
        auto other = MakeMediaList(kOtherItems, 7);
        for (int i = 0; i < kFiles; ++i) {
            const bool matching = i % (kFiles / kMatching) == 0;
            auto list = matching && i == 0 ? MakeMediaList(kShownItems, 11) : MakeMediaList(0, 1);
            TBaseCustomListClass& written = matching ? *list : *other;
            written.SetPlatform(matching ? "Zentrix 64" : "Korvo " + std::to_string(i));
            SaveListObject(&written, Path(dir + "master" + std::to_string(1000 + i) + ".csv"), false, true);
        }
        return dir;
    }();
    return folder;
}

void SearchMasterLists(benchmark::State& state)
{
    for (auto _ : state) {
        const auto found = FindMasterLists(Path(Folder()), ltMedia, "zentrix 64");
        if (found.size() != kMatching)
            state.SkipWithError("wrong number of master lists");
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(SearchMasterLists)->Unit(benchmark::kMillisecond);

void LoadShownMasterList(benchmark::State& state)
{
    const Path file = FindMasterLists(Path(Folder()), ltMedia, "Zentrix 64").front().Path;
    for (auto _ : state) {
        auto list = CreateListObject(ltMedia);
        LoadListObject(list.get(), file);
        if (list->Count() != static_cast<int32_t>(kShownItems))
            state.SkipWithError("wrong list loaded");
    }
}
BENCHMARK(LoadShownMasterList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(quorvel::bench::Folder());
    benchmark::Shutdown();
    return 0;
}
