// The item commands in the main window (offscreen) next to the same work on the list alone, on a
// 100 000-item list: select all, "+" on all, remove half, expand and compress, change one field on all.
// The list-alone runs include the sort by title that the window's refresh does after "+" and Change.
#include <benchmark/benchmark.h>

#include "config/PlatformList.h"
#include "config/SettingsStore.h"
#include "model/Utils.h"
#include "platform/qt/RecentFilesStore.h"
#include "platform/qt/Services.h"
#include "support/ListGenerator.h"
#include "ui/grid/ListDisplay.h"
#include "ui/window/MenuNames.h"
#include "ui/options/OptionsForm.h"
#include "ui/window/QuorvelForm.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include <filesystem>
#include <functional>

namespace quorvel::bench {
namespace {

constexpr size_t kItems = 100000;
constexpr uint32_t kSeed = 20240601;

// Every question answered Yes, every dialog with OK after Answer has worked its controls.
class AnsweringServices final : public MessageService,
                                public ClipboardService,
                                public ScreenService,
                                public DialogRunner {
public:
    std::function<void(QDialog&)> answer = [](QDialog&) {};
    void Error(const QString&) override { }
    void Warning(const QString&) override { }
    void Information(const QString&) override { }
    using MessageService::Confirm;
    bool Confirm(const QString&, BoxKind) override { return true; }
    Answer Ask(const QString&) override { return Answer::Yes; }
    QString Text() override { return {}; }
    void SetText(const QString&) override { }
    QSize PrimaryScreenSize() override { return {1920, 1080}; }
    int Exec(QDialog& dialog) override
    {
        answer(dialog);
        return QDialog::Accepted;
    }
};

struct Program {
    Program()
    {
        const auto dir = std::filesystem::temp_directory_path() / "quorvel-item-bench";
        std::filesystem::create_directories(dir);
        InstallServices({&services, nullptr, nullptr, nullptr, &services, &services, &services});
        InitConfigFile(Path(dir.string() + "/"));
        settings = std::make_unique<SettingsStore>(Path(dir.string() + "/"));
        options = std::make_unique<TOptionsForm>(*settings, platforms);
        options->LoadSettings();
        // The recent-files menu is kept beside the bench's configuration, never in the user's.
        recent = std::make_unique<SettingsRecentFilesStore>(QString::fromStdString(dir.string() + "/recent.ini"));
        form = std::make_unique<TQuorvelForm>(*settings, platforms, *options, *recent);
    }
    AnsweringServices services;
    PlatformList platforms;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TOptionsForm> options;
    std::unique_ptr<SettingsRecentFilesStore> recent;
    std::unique_ptr<TQuorvelForm> form;
};

std::unique_ptr<Program> g_program;

Program& Window()
{
    if (!g_program)
        g_program = std::make_unique<Program>();
    return *g_program;
}

// A fresh list shown in the window with every row selected; outside the timing.
void Show(benchmark::State& state, bool selectAll = true)
{
    state.PauseTiming();
    TQuorvelForm& form = *Window().form;
    form.CloseAllLists();
    form.AddList(MakeMediaList(kItems, kSeed));
    form.RefreshListView();
    if (selectAll)
        form.Grid().selectAll();
    state.ResumeTiming();
}

void Run(const char* entry) { Window().form->Action(entry)->trigger(); }

// Work on a fresh list alone; making the list and freeing the one before stay outside the timing.
template <typename Work> void OnFreshList(benchmark::State& state, Work work)
{
    std::unique_ptr<TCartListClass> list;
    for (auto _ : state) {
        state.PauseTiming();
        list = MakeMediaList(kItems, kSeed);
        state.ResumeTiming();
        work(*list);
    }
}

// What the window's item refresh does to the list itself.
void SortByTitle(TCartListClass& list)
{
    G_SortField = "Title";
    G_SortDirection = 1;
    list.Sort();
}

void BM_WindowSelectAll(benchmark::State& state)
{
    for (auto _ : state) {
        Show(state, false);
        Run(entry::SelectAllMainMenu);
    }
}
void BM_ModelSelectAll(benchmark::State& state)
{
    // The window's selection is one range; the list alone would collect every position.
    for (auto _ : state) {
        std::vector<int32_t> rows(kItems);
        for (size_t i = 0; i < kItems; ++i)
            rows[i] = int32_t(i);
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_WindowIncreaseAll(benchmark::State& state)
{
    for (auto _ : state) {
        Show(state);
        Run(entry::IncreaseQuantityPopupMenu);
    }
}
void BM_ModelIncreaseAll(benchmark::State& state)
{
    OnFreshList(state, [](TCartListClass& list) {
        for (const auto& item : list.Items()) {
            const int32_t at = item->IndexOfField("Quantity");
            if (const auto q = TryToInteger(item->ValueAt(at)))
                item->SetValueAt(at, *q + 1);
        }
        SortByTitle(list);
    });
}

void BM_WindowRemoveHalf(benchmark::State& state)
{
    for (auto _ : state) {
        Show(state, false);
        state.PauseTiming();
        TQuorvelForm& form = *Window().form;
        form.Grid().selectionModel()->select(
            QItemSelection(form.Grid().model()->index(0, 0), form.Grid().model()->index(int(kItems / 2) - 1, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        state.ResumeTiming();
        Run(entry::RemoveButton);
    }
}
void BM_ModelRemoveHalf(benchmark::State& state)
{
    std::vector<int32_t> rows(kItems / 2);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = int32_t(i);
    OnFreshList(state, [&](TCartListClass& list) { list.DeleteItems(rows); });
}

void BM_WindowExpandCompress(benchmark::State& state)
{
    for (auto _ : state) {
        Show(state, false);
        Run(entry::ExpandListMainMenu);
        Run(entry::CompressListMainMenu);
    }
}
void BM_ModelExpandCompress(benchmark::State& state)
{
    OnFreshList(state, [](TCartListClass& list) {
        list.ExpandQuantities();
        list.CompressQuantities();
    });
}

void BM_WindowChangeAll(benchmark::State& state)
{
    Window().services.answer = [](QDialog& dialog) {
        if (auto* edit = dialog.findChild<QLineEdit*>("ValueEdit"))
            edit->setText("mint");
    };
    for (auto _ : state) {
        Show(state);
        QMenu* change = Window().form->findChild<QMenu*>(entry::ChangeParent);
        emit change->aboutToShow();
        for (QAction* entry : change->actions())
            if (entry->text() == "Notes")
                entry->trigger();
    }
}
void BM_ModelChangeAll(benchmark::State& state)
{
    OnFreshList(state, [](TCartListClass& list) {
        const FieldValue value = std::string("mint");
        for (const auto& item : list.Items())
            item->SetFieldValue("NOTES", value);
        SortByTitle(list);
    });
}

BENCHMARK(BM_WindowSelectAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ModelSelectAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowIncreaseAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ModelIncreaseAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowRemoveHalf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ModelRemoveHalf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WindowExpandCompress)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ModelExpandCompress)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WindowChangeAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ModelChangeAll)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes before the application object.
    quorvel::bench::g_program.reset();
    return 0;
}
