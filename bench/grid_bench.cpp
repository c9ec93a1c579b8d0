// The main grid bound to a 100 000-item media list under the offscreen platform: the first painted
// screen after SetList, a header-click sort and one incremental-search keystroke, each next to its
// model-free floor, the memory the binding adds to the list, and the open and save commands
// against reading and writing the file alone.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "config/PlatformList.h"
#include "config/ProgramSetup.h"
#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/PaintThreads.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/RecentFilesStore.h"
#include "support/SharedList.h"
#include "ui/grid/ListDisplay.h"
#include "ui/grid/ListTableModel.h"
#include "ui/options/OptionsForm.h"
#include "ui/window/QuorvelForm.h"
#include "ui/commands/ListCommands.h"

#include <filesystem>

namespace quorvel::bench {
namespace {

struct Grid {
    Grid()
    {
        view.setObjectName("CartListView");
        view.resize(1000, 700);
        display.SetTree(&view);
    }
    QTableView view;
    TListDisplayClass display;
};

// Floor of the sort: the Title texts alone, lower-cased once and sorted stably.
void BM_SortKeysAlone(benchmark::State& state)
{
    TCartListClass& list = SharedList();
    const int32_t title = list.GetItem(0)->IndexOfField("Title");
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string_view> texts;
        texts.reserve(kSharedItems);
        for (const auto& item : list.Items())
            texts.push_back(item->TextAt(title));
        state.ResumeTiming();
        std::vector<std::string> keys;
        keys.reserve(texts.size());
        for (std::string_view t : texts)
            keys.push_back(Cp1252::ToLower(t));
        std::vector<uint32_t> order(keys.size());
        for (uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_SortKeysAlone)->Unit(benchmark::kMillisecond);

// The list's own sort by Title from a random order.
void BM_ListSort(benchmark::State& state)
{
    TCartListClass& list = SharedList();
    for (auto _ : state) {
        Scramble(state, list);
        TBaseCustomListClass::SetSortField("Title");
        TBaseCustomListClass::SetSortDirection(1);
        list.Sort();
    }
}
BENCHMARK(BM_ListSort)->Unit(benchmark::kMillisecond);

// SetList, Refresh and Resort as the open command runs them, then one painted screen.
void BM_FirstPaint(benchmark::State& state)
{
    TCartListClass& list = SharedList();
    Grid grid;
    for (auto _ : state) {
        state.PauseTiming();
        grid.display.SetList(nullptr);
        state.ResumeTiming();
        Scramble(state, list);
        grid.display.SetList(&list);
        grid.display.Refresh();
        grid.display.Resort();
        QPixmap shot = grid.view.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond);

// A click on the Title header while another column is the sort column.
void BM_HeaderClickSort(benchmark::State& state)
{
    TCartListClass& list = SharedList();
    Grid grid;
    grid.display.SetList(&list);
    grid.display.Refresh();
    for (auto _ : state) {
        state.PauseTiming();
        grid.display.TreeHeaderClick(1);
        state.ResumeTiming();
        Scramble(state, list);
        grid.display.TreeHeaderClick(0);
    }
}
BENCHMARK(BM_HeaderClickSort)->Unit(benchmark::kMillisecond);

// Floor of the search: every first-column text compared, upper-cased, with a prefix no item has.
void BM_ScanFloor(benchmark::State& state)
{
    TCartListClass& list = SharedList();
    const int32_t title = list.GetItem(0)->IndexOfField("Title");
    const std::string prefix = "QQQ";
    for (auto _ : state) {
        int64_t hits = 0;
        for (const auto& item : list.Items()) {
            const std::string_view text = item->TextAt(title);
            if (text.size() >= prefix.size() &&
                std::equal(prefix.begin(), prefix.end(), text.begin(),
                           [](char p, char c) { return Cp1252::ToUpper(static_cast<unsigned char>(c)) == p; }))
                ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_ScanFloor)->Unit(benchmark::kMicrosecond);

// One keystroke of the grid's own search for a prefix no item has: the whole list is visited.
void BM_SearchKeystroke(benchmark::State& state)
{
    TCartListClass& list = SharedList();
    Grid grid;
    grid.display.SetList(&list);
    grid.display.Refresh();
    grid.view.setCurrentIndex(grid.display.Model().index(0, 0));
    for (auto _ : state) {
        grid.view.keyboardSearch("qqq");
        state.PauseTiming();
        grid.view.keyboardSearch(QString());  // a new search next time
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

// What the allocator has handed out and not had back: from its heaps and in mappings of their own.
size_t InUseBytes()
{
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap the bound, sorted and painted grid adds, against the heap of the list itself. The first grid of
// a process also pays for what is set up once whatever the lists (Qt's fonts and style, the heaps of
// the worker threads that a load has made before in the program): given apart, from a second grid.
void BM_GridMemory(benchmark::State& state)
{
    const auto measure = [&](const char* prefix) {
        const size_t before = InUseBytes();
        auto list = MakeMediaList(kSharedItems, kSharedSeed);
        const size_t withList = InUseBytes();
        Grid grid;
        grid.display.SetList(list.get());
        grid.display.Refresh();
        grid.display.Resort();
        // The screen image belongs to the window system, not to the grid.
        benchmark::DoNotOptimize(grid.view.grab().cacheKey());
        const size_t withGrid = InUseBytes();
        const std::string name(prefix);
        state.counters[name + "list_MB"] = double(withList - before) / 1e6;
        state.counters[name + "grid_MB"] = double(withGrid - withList) / 1e6;
        state.counters[name + "grid_pct"] = 100.0 * double(withGrid - withList) / double(withList - before);
    };
    for (auto _ : state) {
        measure("first_");
        measure("");
    }
}
BENCHMARK(BM_GridMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The main window over a program folder of its own, with the list's platform configured so that no
// message box opens, and the list saved once as a file.
struct Window {
    Window() : home(std::filesystem::temp_directory_path() / ("quorvel-grid-bench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(home);
        setenv("QUORVEL_HOME", home.c_str(), 1);
        InstallServices(services.Set());
        StartConfiguration(WritableProgramDir(), ShippedDataDir());
        settings.emplace(WritableProgramDir());
        options.emplace(*settings, platforms);
        options->LoadSettings();
        platforms.SetNames({SharedList().GetPlatform()});
        settings->SetSetting(setting::BackupFiles, "0");
        // The recent-files menu is kept beside the bench's configuration, never in the user's.
        recent = std::make_unique<SettingsRecentFilesStore>(QString::fromStdString(home.string() + "/recent.ini"));
        form.emplace(*settings, platforms, *options, *recent);
        form->resize(1000, 700);
        file = home.string() + "/Carts/big.csv";
        SaveListObject(&SharedList(), Path(file), false, true);
    }
    ~Window()
    {
        form.reset();
        options.reset();
        std::filesystem::remove_all(home);
    }
    std::filesystem::path home;
    QtServices services;
    std::optional<SettingsStore> settings;
    PlatformList platforms;
    std::optional<TOptionsForm> options;
    std::unique_ptr<SettingsRecentFilesStore> recent;
    std::optional<TQuorvelForm> form;
    std::string file;
};

// Made on first use, freed while the application still exists.
std::unique_ptr<Window> sharedWindow;

Window& SharedWindow()
{
    if (!sharedWindow)
        sharedWindow = std::make_unique<Window>();
    return *sharedWindow;
}

void FreeSharedWindow() { sharedWindow.reset(); }

// Floors of the two list commands: the list file read and written alone.
void BM_LoadFloor(benchmark::State& state)
{
    Window& w = SharedWindow();
    for (auto _ : state) {
        auto list = CreateListObject(ltMedia);
        LoadListObject(list.get(), Path(w.file));
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadFloor)->Unit(benchmark::kMillisecond);

// Open through the window up to its painted grid.
void BM_OpenListFile(benchmark::State& state)
{
    Window& w = SharedWindow();
    for (auto _ : state) {
        w.form->OpenListFile(Path(w.file));
        w.form->RefreshTabs();
        benchmark::DoNotOptimize(w.form->grab().cacheKey());
        state.PauseTiming();
        w.form->GetListCommands().CloseAllListsMainMenuClick();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenListFile)->Unit(benchmark::kMillisecond);

void BM_SaveFloor(benchmark::State& state)
{
    Window& w = SharedWindow();
    for (auto _ : state)
        SaveListObject(&SharedList(), Path(w.file), false, true);
}
BENCHMARK(BM_SaveFloor)->Unit(benchmark::kMillisecond);

void BM_SaveCommand(benchmark::State& state)
{
    Window& w = SharedWindow();
    w.form->OpenListFile(Path(w.file));
    for (auto _ : state) {
        state.PauseTiming();
        w.form->CurrentList()->SetModified(true);
        state.ResumeTiming();
        w.form->GetListCommands().SaveButtonClick();
    }
    w.form->GetListCommands().CloseAllListsMainMenuClick();
}
BENCHMARK(BM_SaveCommand)->Unit(benchmark::kMillisecond);

}  // namespace

void FreeWindow() { FreeSharedWindow(); }

}  // namespace quorvel::bench

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    quorvel::LimitPaintThreads();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    quorvel::bench::FreeWindow();
    benchmark::Shutdown();
    return 0;
}
