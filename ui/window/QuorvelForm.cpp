#include "ui/window/QuorvelForm.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "platform/qt/Version.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/grid/ListDisplay.h"
#include "ui/grid/ListGridView.h"
#include "ui/window/ListTabBar.h"
#include "ui/window/MRUFileList.h"
#include "ui/window/MenuNames.h"
#include "ui/startup/MigrationForm.h"
#include "ui/options/OptionsForm.h"
#include "ui/UiScale.h"
#include "ui/commands/ClipboardCommands.h"
#include "ui/commands/ExplorerCommands.h"
#include "ui/commands/HelpCommands.h"
#include "ui/commands/ItemCommands.h"
#include "ui/commands/ListCommands.h"
#include "ui/commands/ToolCommands.h"
#include "ui/reports/ReportCommands.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace quorvel {

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kLastFiles = "LastFiles";
constexpr int kStatusPanelWidth = 75;
// The longest texts the count panels show, for lists of up to a million items.
constexpr const char* kStatusPanelSamples[5] = {"", "1000000 Hardware", "1000000 Rows", "1000 ML", "1000 HL"};

// A window placed for the first time takes two thirds of the screen, centred.
QRect FirstPlacement(const QSize& screen)
{
    const int width = std::min(std::max(Scaled(600), screen.width() * 2 / 3), screen.width() - 10);
    const int height = std::min(std::max(Scaled(400), screen.height() * 2 / 3), screen.height() - 10);
    return {(screen.width() - width) / 2, (screen.height() - height) / 2, width, height};
}

}  // namespace

bool ConfigIsCurrent()
{
    // A newer program's version is not migrated: only an old one asks for a restart.
    return GetConfigVersionState() != ConfigVersionState::Old;
}

WindowPlacement ReadWindowPlacement(const QSize& screen)
{
    WindowPlacement placement;
    const IniFile ini = IniFile::Load(G_ConfigFile);
    placement.state = ini.ReadInteger(kGeneral, "WindowState", 0);
    if (placement.state != 0)
        return placement;
    const char* keys[] = {"WindowX", "WindowY", "WindowW", "WindowH"};
    if (std::none_of(std::begin(keys), std::end(keys), [&](const char* key) { return ini.Value(kGeneral, key); })) {
        placement.geometry = FirstPlacement(screen);
        return placement;
    }
    // WindowX holds the top edge and WindowY the left edge.
    int top = ini.ReadInteger(kGeneral, "WindowX", 0);
    int left = ini.ReadInteger(kGeneral, "WindowY", 0);
    int width = ini.ReadInteger(kGeneral, "WindowW", Scaled(600));
    int height = ini.ReadInteger(kGeneral, "WindowH", Scaled(400));
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (left > screen.width())
        left = 0;
    if (top > screen.height())
        top = 0;
    if (width > screen.width())
        width = screen.width() - 10;
    if (height > screen.height())
        height = screen.height() - 10;
    // A window can never be smaller than its minimum size.
    placement.geometry = QRect(left, top, std::max(width, Scaled(300)), std::max(height, Scaled(300)));
    return placement;
}

TQuorvelForm::TQuorvelForm(SettingsStore& settings, PlatformList& platforms, TOptionsForm& options,
                           RecentFilesStore& recent)
    : settings_(settings), platforms_(platforms), options_(options)
{
    setObjectName("QuorvelForm");
    setMinimumSize(Scaled(300, 300));
    Closing = false;
    TabMeasureGuard = false;

    BuildLayout();
    BuildToolBar();
    BuildMenus();
    BuildPopups();

    const std::string version = GetVersionString();
    setWindowTitle(OneLine(ToQString("Quorvel " + version)));
    SetStatusText("Welcome to Quorvel " + version);

    listDisplay_ = std::make_unique<TListDisplayClass>();
    listDisplay_->ViewNotSaved = [this](const QString& text) { ShowStatusText(text); };
    listDisplay_->SetTree(CartListView);
    FollowSelection();
    RestorePlacement();
    NewListCounter = 1;
    setAcceptDrops(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));

    dfsMRUFileList1 = new TdfsMRUFileList(recent, this);
    // "&Recent" holds one hidden entry so that it is a submenu even with no names.
    QMenu* recentMenu = findChild<QMenu*>(entry::RecentListsMainMenu);
    auto* reopen = recentMenu->addAction("Reopen");
    reopen->setObjectName(entry::Reopen);
    Register(reopen);
    reopen->setVisible(false);
    dfsMRUFileList1->SetFileMenu(recentMenu);
    dfsMRUFileList1->OnMRUItemClick = [this](const std::string& fileName) {
        OpenListFile(Path(fileName));
        RefreshTabs();
        UpdateMenuState();
    };
    dfsMRUFileList1->SetAutoSaveName("\\Software\\Quorvel");
    dfsMRUFileList1->SetAutoSaveKey("MRU Items");
    // Loads the list; it is saved when the window goes.
    RunCommand([this] { dfsMRUFileList1->Loaded(); });

    propertyDialog_ = std::make_unique<TCustomPropertyDialog>(this);
    propertyDialog_->SetOptionsForm(&options_);
    fieldOrderForm_ = std::make_unique<TFieldOrderForm>(this);

    auto listCommands = std::make_unique<ListCommands>(*this);
    listCommands_ = listCommands.get();
    groups_.push_back(std::move(listCommands));
    groups_.push_back(std::make_unique<ToolCommands>(*this));
    groups_.push_back(std::make_unique<ItemCommands>(*this));
    auto explorerCommands = std::make_unique<ExplorerCommands>(*this);
    explorerCommands_ = explorerCommands.get();
    groups_.push_back(std::move(explorerCommands));
    groups_.push_back(std::make_unique<HelpCommands>(*this));
    // The column-order and property dialogs are the window's, one of each for the run.
    auto clipboardCommands = std::make_unique<ClipboardCommands>(*this, *fieldOrderForm_, *listCommands_);
    clipboardCommands_ = clipboardCommands.get();
    groups_.push_back(std::move(clipboardCommands));
    auto reportCommands = std::make_unique<ReportCommands>(*this, *fieldOrderForm_, *propertyDialog_);
    reportCommands_ = reportCommands.get();
    groups_.push_back(std::move(reportCommands));
    connect(Action(entry::ExitMainMenu), &QAction::triggered, this, Guarded([this] { ExitMainMenuClick(); }));
    Action(entry::ExitMainMenu)->setProperty("quorvelBuilt", true);
}

TQuorvelForm::~TQuorvelForm()
{
    // FormDestroy: nothing may ask a list for text once it is freed.
    listDisplay_->SetList(nullptr);
    listDisplay_->SetTree(nullptr);
    currentList_ = nullptr;
    groups_.clear();
    propertyDialog_.reset();
    fieldOrderForm_.reset();
    for (auto& list : openLists_)
        FreeListObject(list);
    openLists_.clear();
}

std::string TQuorvelForm::GetVersionString() { return VersionString().toStdString(); }

void TQuorvelForm::AttachCommandGroup(std::unique_ptr<CommandGroup> group) { groups_.push_back(std::move(group)); }

void TQuorvelForm::BuildLayout()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    ExplorerPanel = new QWidget(Splitter1);
    ExplorerPanel->setObjectName("ExplorerPanel");
    auto* explorerLayout = new QVBoxLayout(ExplorerPanel);
    explorerLayout->setContentsMargins(0, 0, 0, 0);
    CollectionTV = new CollectionExplorer(settings_, ExplorerPanel);
    explorerLayout->addWidget(CollectionTV);
    ExplorerPanel->hide();

    DataPanel = new QWidget(Splitter1);
    DataPanel->setObjectName("DataPanel");
    auto* dataLayout = new QVBoxLayout(DataPanel);
    dataLayout->setContentsMargins(0, 0, 0, 0);
    CartListView = new ListGridView(DataPanel);
    CartListView->setObjectName("CartListView");
    CartListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    CartListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    CartListView->setWordWrap(false);
    CartListView->setContextMenuPolicy(Qt::CustomContextMenu);
    CartListView->setAcceptDrops(true);
    CartListView->horizontalHeader()->setHighlightSections(false);
    CartListView->verticalHeader()->setDefaultSectionSize(CartListView->fontMetrics().height() + 6);
    dataLayout->addWidget(CartListView);
    Splitter1->setStretchFactor(1, 1);
    layout->addWidget(Splitter1, 1);

    OpenTabSet = new ListTabBar(central);
    OpenTabSet->setObjectName("OpenTabSet");
    OpenTabSet->setContextMenuPolicy(Qt::CustomContextMenu);
    OpenTabSet->drawTab = [this](QPainter& p, const QRect& r, int i, bool selected) {
        OpenTabSetDrawTab(p, r, i, selected);
    };
    OpenTabSet->measureTab = [this](int i, int width) { return OpenTabSetMeasureTab(i, width); };
    // A caption is drawn 3 pixels below the tab's top and needs its line below that.
    OpenTabSet->setFixedHeight(std::max(Scaled(21), OpenTabSet->fontMetrics().height() + 6));
    layout->addWidget(OpenTabSet);

    ProgressBar1 = new QProgressBar(central);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setFixedHeight(Scaled(16));
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
    setCentralWidget(central);

    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new PlainLabel(bar);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        if (i == 0) {
            // The first panel takes what the others leave; a long message is cut, not widening the bar.
            panel->setMinimumWidth(0);
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            panel->setText(QString::fromLatin1(kStatusPanelSamples[i]));
            panel->setFixedWidth(std::max(Scaled(kStatusPanelWidth), panel->sizeHint().width()));
            panel->clear();
        }
        bar->addWidget(panel, i == 0 ? 1 : 0);
        statusPanels_[size_t(i)] = panel;
    }

    connect(CartListView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ShowGridPopup(CartListView->viewport()->mapToGlobal(p)); });
    connect(OpenTabSet, &QTabBar::currentChanged, this, Guarded([this](int index) { OpenTabSetChange(index); }));
    connect(OpenTabSet, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { TabPopUp->popup(OpenTabSet->mapToGlobal(p)); });
}

void TQuorvelForm::ShowGridPopup(const QPoint& where)
{
    RunCommand([this] { UpdateMenuState(); });
    ListViewPopup->popup(where);
}

void TQuorvelForm::RestorePlacement()
{
    const WindowPlacement placement = ReadWindowPlacement(Screen().PrimaryScreenSize());
    Splitter1->setSizes({ReadIniInteger(G_ConfigFile, kGeneral, "ExplorerW", Scaled(162)), 1000});
    if (placement.state == 0) {
        move(placement.geometry.topLeft());
        resize(placement.geometry.size());
    } else {
        setWindowState(placement.state == 1 ? Qt::WindowMinimized : Qt::WindowMaximized);
    }
}

void TQuorvelForm::SavePlacement()
{
    int state = 0;
    if (windowState() & Qt::WindowMinimized)
        state = 1;
    else if (windowState() & Qt::WindowMaximized)
        state = 2;
    const QRect frame = frameGeometry();
    WriteIniInteger(G_ConfigFile, kGeneral, "WindowState", state);
    WriteIniInteger(G_ConfigFile, kGeneral, "WindowX", frame.top());
    WriteIniInteger(G_ConfigFile, kGeneral, "WindowY", frame.left());
    WriteIniInteger(G_ConfigFile, kGeneral, "WindowW", width());
    WriteIniInteger(G_ConfigFile, kGeneral, "WindowH", height());
    WriteIniInteger(G_ConfigFile, kGeneral, "ExplorerW",
                    ExplorerPanel->isVisible() ? ExplorerPanel->width() : Splitter1->sizes().value(0));
}

void TQuorvelForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Only the first show: a window restored from minimized must not reopen files.
    if (shown_)
        return;
    shown_ = true;
    QTimer::singleShot(0, this, Guarded([this] { FormShow(); }));
}

void TQuorvelForm::FormShow()
{
    // Panels, Explorer and commands first: reopening the last files may ask or warn, and the window
    // behind that box must already be the one the user gets.
    ApplyViewOptions();
    UpdateMenuState();
    CollectionTV->BuildExplorerTree();
    if (!IniFile::Load(G_ConfigFile).Value(kGeneral, "ExplorerW")) {
        // Placed for the first time: the Explorer's captions and list names whole, within a third of the window.
        const int explorer = std::clamp(CollectionTV->FittingWidth(), Scaled(162), std::max(Scaled(162), width() / 3));
        Splitter1->setSizes({explorer, std::max(1, Splitter1->width() - explorer - Splitter1->handleWidth())});
    }
    if (settings_.GetSetting(setting::LoadLastCartFile) == "1")
        LoadLastFiles();
    UpdateMenuState();
    if (!CheckConfigVersion()) {
        MustRestart = true;
        Timer1->start();
    } else {
        MustRestart = false;
    }
}

void TQuorvelForm::LoadLastFiles()
{
    for (const std::string& entry : IniFile::Load(G_ConfigFile).ReadIndexedList(kLastFiles, "LastFile")) {
        const Path name(entry);
        if (!FileExists(name))
            continue;
        // One file that cannot be read must not stop the others.
        RunCommand([&] { OpenListFile(name); });
        // The next file's box shows the lists opened so far.
        RefreshTabs();
        UpdateMenuState();
    }
    RefreshTabs();
}

void TQuorvelForm::SaveLastFiles()
{
    EraseIniSection(G_ConfigFile, kLastFiles);
    WriteIniInteger(G_ConfigFile, kLastFiles, "Count", int(openLists_.size()));
    for (size_t i = 0; i < openLists_.size(); ++i)
        WriteIniString(G_ConfigFile, kLastFiles, "LastFile" + std::to_string(i), openLists_[i]->GetFileName().Bytes());
}

void TQuorvelForm::ApplyViewOptions()
{
    const bool grid = settings_.GetSetting(setting::ShowGrid) == "1";
    CartListView->setShowGrid(grid);
    for (const char* name : {entry::GridLinesMainMenu, entry::GridLinesPopupMenu})
        Action(name)->setChecked(grid);
    const bool explorer = settings_.GetSetting(setting::ShowCollectionExplorer) == "1";
    ExplorerPanel->setVisible(explorer);
    for (const char* name : {entry::CollectionExplorerMainMenu, entry::CollectionExplorerPopupMenu})
        Action(name)->setChecked(explorer);
}

void TQuorvelForm::ExitMainMenuClick() { close(); }

void TQuorvelForm::Timer1Timer()
{
    Timer1->stop();
    const bool migrated = !ShowMigration || ShowMigration();
    if (migrated)
        Messages().Information("The Quorvel Configuration has been updated.  You must exit and re-run Quorvel.  "
                               "Quorvel will now exit.");
    else
        // Nothing was marked as migrated: the next start tries again.
        Messages().Error("The Quorvel Configuration could not be updated (see MigrateLog.txt).  Quorvel will "
                         "try again the next time it is run.  Quorvel will now exit.");
    close();
}

void TQuorvelForm::closeEvent(QCloseEvent* event)
{
    bool closes = true;
    RunCommand([&] { closes = FormClose(); });
    if (closes)
        event->accept();
    else
        event->ignore();
}

bool TQuorvelForm::FormClose()
{
    if (MustRestart) {
        // A run that only migrated keeps nothing, not even the recent files it read.
        dfsMRUFileList1->SetAutoSave(false);
        return true;
    }
    listDisplay_->SaveView();
    Closing = true;
    RunCommand([this] { SaveLastFiles(); });
    listDisplay_->SetTree(nullptr);
    if (!listCommands_->CloseAllListsMainMenuClick()) {
        // A list the user wanted saved could not be: the window stays open with it.
        Closing = false;
        listDisplay_->SetList(nullptr);
        listDisplay_->SetTree(CartListView);
        RefreshTabs();
        RefreshListView();
        UpdateMenuState();
        return false;
    }
    RunCommand([this] { options_.SaveSettings(); });
    RunCommand([this] { SavePlacement(); });
    return true;
}

void TQuorvelForm::AddList(std::unique_ptr<TBaseCustomListClass> list)
{
    currentList_ = list.get();
    openLists_.push_back(std::move(list));
}

void TQuorvelForm::FreeList(size_t index)
{
    // Nothing may ask a list for text once it is freed.
    listDisplay_->SetList(nullptr);
    listDisplay_->ClearRows();
    auto list = std::move(openLists_.at(index));
    openLists_.erase(openLists_.begin() + std::ptrdiff_t(index));
    if (list.get() == currentList_)
        currentList_ = nullptr;
    FreeListObject(list);
}

void TQuorvelForm::CloseList(TBaseCustomListClass& list)
{
    {
        const QScopedValueRollback<bool> hold(TabMeasureGuard, true);
        for (size_t i = openLists_.size(); i-- > 0;) {
            if (openLists_[i].get() == &list) {
                FreeList(i);
                break;
            }
        }
        currentList_ = openLists_.empty() ? nullptr : openLists_.front().get();
        listDisplay_->SetList(currentList_);
    }
    RefreshTabs();
    UpdateStatusBar();
    RefreshListView();
}

void TQuorvelForm::CloseAllLists()
{
    {
        const QScopedValueRollback<bool> hold(TabMeasureGuard, true);
        currentList_ = nullptr;
        while (!openLists_.empty())
            FreeList(openLists_.size() - 1);
    }
    if (Closing)
        return;
    RefreshTabs();
    UpdateStatusBar();
    RefreshListView();
}

void TQuorvelForm::OpenListFile(const Path& fileName) { listCommands_->OpenListFile(fileName); }

void TQuorvelForm::AddRecentFile(const Path& fileName) { dfsMRUFileList1->AddItem(fileName.Bytes()); }

void TQuorvelForm::AddExplorerFileNode(ExplorerRoot root, const Path& fileName)
{
    CollectionTV->AddExplorerFileNode(CollectionTV->Root(root), fileName);
}

void TQuorvelForm::FollowSelection()
{
    QItemSelectionModel* selection = CartListView->selectionModel();
    if (!selection || selection == selection_)
        return;
    selection_ = selection;
    connect(selection, &QItemSelectionModel::selectionChanged, this, Guarded([this] { CartListViewChange(); }));
    connect(selection, &QItemSelectionModel::currentChanged, this, Guarded([this] { CartListViewChange(); }));
}

void TQuorvelForm::CartListViewChange() { UpdateMenuState(); }

void TQuorvelForm::NotifyGroups()
{
    FollowSelection();
    for (auto& group : groups_)
        group->ListsChanged();
}

}  // namespace quorvel
