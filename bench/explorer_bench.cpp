// The Collection Explorer's build over a media folder of 1 000 list files of 1 MB each and 20 group
// files, against opening each of those files and reading its first 4 KB. The build only peeks at the
// first lines of each file, so it should stay within a small multiple of that.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/ListFile.h"
#include "platform/FileList.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/explorer/CollectionExplorerGroups.h"

namespace quorvel::bench {
namespace {

constexpr int kLists = 1000;
constexpr int kGroups = 20;
constexpr int kMembers = 10;
constexpr std::uintmax_t kListSize = 1u << 20;

const std::string& Root()
{
    static const std::string root = "/tmp/quorvel_explorer_" + std::to_string(::getpid()) + "/";
    return root;
}

// Every file of the run: the lists first, then the groups.
const std::vector<std::string>& Files()
{
    static const std::vector<std::string> files = [] {
        std::vector<std::string> all;
        std::filesystem::create_directories(Root() + "Carts");
        std::filesystem::create_directories(Root() + "Groups");
        for (int i = 0; i < kLists; ++i) {
            const std::string path = Root() + "Carts/list" + std::to_string(10000 + i) + ".csv";
            std::ofstream(path, std::ios::binary)
                << "QV1.2\r\n\"Media\",\"Zentrix 64\",\"Owner " << i << "\",\"Shelf " << i
                << "\"\r\n\"TITLE\",\"MFG\",\"QUANTITY\"\r\n\"Moon Quarry\",\"Fennel Soft\",\"1\"\r\n";
            // The rest of the megabyte is never read by either side; a sparse tail keeps the disk free.
            std::filesystem::resize_file(path, kListSize);
            all.push_back(path);
        }
        for (int g = 0; g < kGroups; ++g) {
            std::vector<std::string> members;
            for (int m = 0; m < kMembers; ++m)
                members.push_back(all[size_t(g * kMembers + m)]);
            const std::string path = Root() + "Groups/group" + std::to_string(g) + ".ini";
            WriteGroupFile(Path(path), members);
            all.push_back(path);
        }
        return all;
    }();
    return files;
}

void ReadFirst4KB(benchmark::State& state)
{
    std::vector<char> buffer(4096);
    for (auto _ : state) {
        for (const std::string& file : Files()) {
            const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                state.SkipWithError("cannot open");
            benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
            ::close(fd);
        }
    }
}
BENCHMARK(ReadFirst4KB)->Unit(benchmark::kMillisecond);

// The file search alone: the part of the build that the peeks do not explain.
void SearchMediaFolder(benchmark::State& state)
{
    Files();
    for (auto _ : state) {
        TcFileList files;
        files.FileTypes = {ftNormal, ftReadOnly, ftArchive};
        files.SearchMask = "*.csv";
        files.SearchPath = Root() + "Carts/";
        files.SetSorted(true);
        files.Search();
        if (files.Count() != kLists)
            state.SkipWithError("wrong file count");
    }
}
BENCHMARK(SearchMediaFolder)->Unit(benchmark::kMillisecond);

// The peeks alone, once per file: the other part of the build that the plain reads stand against.
void PeekEveryFile(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::string& file : Files())
            benchmark::DoNotOptimize(PeekListFile(Path(file)));
    }
}
BENCHMARK(PeekEveryFile)->Unit(benchmark::kMillisecond);

void BuildExplorerTree(benchmark::State& state)
{
    Files();
    SettingsStore settings {Path(Root())};
    settings.SetSetting(setting::CartPath, Root() + "Carts/");
    settings.SetSetting(setting::GroupPath, Root() + "Groups/");
    CollectionExplorer tree(settings, nullptr);
    for (auto _ : state) {
        tree.BuildExplorerTree();
        if (tree.Root(ExplorerRoot::Media)->childCount() != kLists)
            state.SkipWithError("wrong media count");
        if (tree.Root(ExplorerRoot::Groups)->childCount() != kGroups)
            state.SkipWithError("wrong group count");
    }
}
BENCHMARK(BuildExplorerTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(quorvel::bench::Root());
    benchmark::Shutdown();
    return 0;
}
