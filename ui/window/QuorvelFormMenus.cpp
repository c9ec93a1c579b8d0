// The main window's menus, popups and tool buttons, and which of them may be used.
#include "ui/window/QuorvelForm.h"

#include "model/BaseCustomListClass.h"
#include "platform/qt/Services.h"
#include "ui/grid/ListDisplay.h"
#include "ui/window/MenuNames.h"
#include "ui/window/ToolIcons.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>

namespace quorvel {

namespace {

// Marks an entry whose command exists; the others stay disabled whatever the rules say.
constexpr const char* kBuilt = "quorvelBuilt";

struct Entry {
    const char* name;  // nullptr: separator
    const char* caption;
    QKeySequence key = {};
};

const Entry kSeparator {nullptr, nullptr};

// Adds the entries to Menu through Add, a separator where an entry has no name.
template <typename AddEntryFn> void FillMenu(QMenu* menu, std::initializer_list<Entry> entries, AddEntryFn add)
{
    for (const Entry& e : entries) {
        if (e.name)
            add(menu, e);
        else
            menu->addSeparator();
    }
}

}  // namespace

QAction* TQuorvelForm::AddEntry(QMenu* menu, const char* name, const char* caption, const QKeySequence& key)
{
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(name);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setEnabled(false);
    menu->addAction(action);
    Register(action);
    return action;
}

QMenu* TQuorvelForm::AddSubmenu(QMenu* menu, const char* name, const char* caption)
{
    QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    Register(sub->menuAction());
    return sub;
}

void TQuorvelForm::Register(QAction* action) { actions_.emplace(action->objectName().toStdString(), action); }

QAction* TQuorvelForm::Action(const char* objectName)
{
    const auto found = actions_.find(objectName);
    return found == actions_.end() ? nullptr : found->second;
}

void TQuorvelForm::BuildToolBar()
{
    ToolBar1 = addToolBar(entry::ToolBar1);
    ToolBar1->setObjectName(entry::ToolBar1);
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(Scaled(45));
    ToolBar1->setIconSize(Scaled(24, 24));
    struct Button {
        const char* name;
        const char* hint;
        ToolGlyph icon;
    };
    const Button buttons[] = {
        {entry::NewListButton, "Create a New list", ToolGlyph::NewList},
        {entry::OpenListButton, "Open an existing list", ToolGlyph::OpenList},
        {entry::SaveButton, "Save the current list", ToolGlyph::Save},
        {entry::SaveAsButton, "Save the current list using a new name", ToolGlyph::SaveAs},
        {nullptr, nullptr, {}},
        {entry::AddButton, "Add a NEW item to the list", ToolGlyph::AddItem},
        {entry::AddFromListButton, "Add one or more items to the list from a master list", ToolGlyph::AddFromList},
        {nullptr, nullptr, {}},
        {entry::RemoveButton, "Remove the currently selected items from the list", ToolGlyph::Remove},
    };
    for (const Button& b : buttons) {
        if (!b.name) {
            ToolBar1->addSeparator();
            continue;
        }
        auto* action = new QAction(ToolIcon(b.icon), QString::fromUtf8(b.hint), this);
        action->setObjectName(b.name);
        action->setToolTip(QString::fromUtf8(b.hint));
        action->setEnabled(false);
        ToolBar1->addAction(action);
        Register(action);
        if (QWidget* button = ToolBar1->widgetForAction(action))
            button->setFixedSize(Scaled(30, 30));
    }
}

void TQuorvelForm::BuildMenus()
{
    auto fill = [this](QMenu* menu, std::initializer_list<Entry> entries) {
        FillMenu(menu, entries, [this](QMenu* m, const Entry& e) { AddEntry(m, e.name, e.caption, e.key); });
    };
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const char* name, const char* caption) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        Register(menu->menuAction());
        return menu;
    };

    QMenu* file = addMenu(entry::FileMenu, "&File");
    fill(file,
         {{entry::NewListMainMenu, "&New...", QKeySequence("Ctrl+N")},
          {entry::OpenMainMenu, "&Open...", QKeySequence("Ctrl+O")},
          {entry::SaveListMainMenu, "&Save", QKeySequence("Ctrl+S")},
          {entry::SaveAsListMainMenu, "Save &As..."},
          kSeparator,
          {entry::CloseListMainMenu, "&Close"},
          {entry::CloseAllListsMainMenu, "Close A&ll"},
          kSeparator,
          {entry::ExportListMainMenu, "&Export..."},
          kSeparator});
    AddSubmenu(file, entry::RecentListsMainMenu, "&Recent");
    fill(file,
         {kSeparator,
          {entry::ListPropertiesMainMenu, "List Properties..."},
          kSeparator,
          {entry::ExitMainMenu, "E&xit"}});

    fill(addMenu(entry::EditMenu, "&Edit"),
         {{entry::CopyMainMenu, "&Copy", QKeySequence("Ctrl+C")},
          {entry::PasteMainMenu, "&Paste", QKeySequence("Ctrl+V")}});
    QMenu* view = addMenu(entry::ViewMenu, "&View");
    fill(view,
         {{entry::CustomizeMainMenu, "&Customize..."},
          kSeparator,
          {entry::CollectionExplorerMainMenu, "Collection Explorer"},
          {entry::GridLinesMainMenu, "Grid Lines"}});

    ListFunctionsMenu = addMenu(entry::ListFunctionsMenu, "&Media");
    fill(ListFunctionsMenu,
         {{entry::AddFromListMainMenu, "&Add from list...", QKeySequence(Qt::Key_Insert)},
          kSeparator,
          {entry::NewItemMainMenu, "&New...", QKeySequence(Qt::CTRL | Qt::Key_Insert)},
          kSeparator,
          {entry::RemoveItemMainMenu, "&Remove", QKeySequence(Qt::Key_Delete)},
          kSeparator,
          {entry::SelectAllMainMenu, "S&elect All", QKeySequence("Ctrl+A")},
          {entry::UnSelectAllMainMenu, "Un-Select All"},
          kSeparator,
          {entry::MoreInfoMainMenu, "More Info...", QKeySequence("Ctrl+I")},
          kSeparator,
          {entry::ItemPropertiesMainMenu, "Properties..."}});

    fill(addMenu(entry::ToolsMenu, "&Tools"),
         {{entry::CompressListMainMenu, "&Compress List"},
          {entry::ExpandListMainMenu, "&Expand List"},
          kSeparator,
          {entry::InventoryListMainMenu, "Inventory List..."},
          {entry::CompareCartridgeListsMainMenu, "C&ompare Cartridge Lists..."},
          kSeparator,
          {entry::VerifyManufacturersMainMenu, "Verify Manufacturers"},
          kSeparator,
          {entry::OptionsMainMenu, "&Options..."}});
    fill(addMenu(entry::ReportsMenu, "&Reports"),
         {{entry::CustomReportMainMenu, "&Custom Reports..."},
          kSeparator,
          {entry::InventoryReportMainMenu, "&Inventory Report"},
          {entry::BinReportMainMenu, "&Bin Report"},
          {entry::TradeReportMainMenu, "Trade Report"},
          kSeparator,
          {entry::byPlatformReportMainMenu, "by Platform"}});
    fill(addMenu(entry::ChartsMenu, "&Charts"),
         {{entry::byManufacturerMainMenu, "by Manufacturer"},
          {entry::byRarityMainMenu, "by Rarity"},
          {entry::byConditionMainMenu, "by Condition"},
          kSeparator,
          {entry::CostVsValueMainMenu, "Cost Vs. Value"},
          kSeparator,
          {entry::byPlatformMainMenu, "by Platform"}});
    fill(addMenu(entry::WebMenu, "&Web"),
         {{entry::Pelmora1, "Pelmora..."},
          {entry::Cartwell1, "Cartwell"},
          {entry::GamersLedgerCollectorsGuide1, "Gamers Ledger Collector's Guide"},
          {entry::Snipercade1, "Snipercade"},
          {entry::StarLadderHighScoreDatabase1, "Star Ladder High Score Database"}});
    fill(addMenu(entry::HelpMenu, "Hel&p"),
         {{entry::Help1, "&Help"},
          kSeparator,
          {entry::RevisionsMainMenu, "Revisions"},
          {entry::LicenseAgreementMainMenu, "License Agreement"},
          kSeparator,
          {entry::CheckForUpdatesMainMenu, "Check For Updates..."},
          kSeparator,
          {entry::ReportaBug1, "Report a Bug"},
          {entry::RequestaFeature1, "Request a Feature"},
          {entry::AskaQuestion1, "Ask a Question"},
          kSeparator,
          {entry::QuorvelHomePage1, "Quorvel Home Page"},
          kSeparator,
          {entry::About1, "&About..."}});
    Action(entry::InventoryListMainMenu)->setVisible(false);
    for (const char* name : {entry::CollectionExplorerMainMenu, entry::GridLinesMainMenu})
        Action(name)->setCheckable(true);
}

void TQuorvelForm::BuildPopups()
{
    auto fill = [this](QMenu* menu, std::initializer_list<Entry> entries) {
        FillMenu(menu, entries, [this](QMenu* m, const Entry& e) { AddEntry(m, e.name, e.caption, e.key); });
    };
    ListViewPopup = new QMenu(this);
    ListViewPopup->setObjectName(entry::ListViewPopup);
    fill(ListViewPopup,
         {{entry::AddItemFromListPopupMenu, "Add from List..."},
          {entry::NewItemPopupMenu, "New..."},
          {entry::RemoveItemsPopupMenu, "Remove"},
          kSeparator,
          {entry::IncreaseQuantityPopupMenu, "Increase Quantity"},
          {entry::DecreaseQuantityPopupMenu, "Decrease Quantity"},
          kSeparator});
    AddSubmenu(ListViewPopup, entry::ChangeParent, "Change");
    fill(ListViewPopup,
         {kSeparator,
          {entry::OpenListPopupMenu, "Open..."},
          {entry::CloseListPopupMenu, "Close"},
          {entry::ExportListPopupMenu, "Export..."},
          kSeparator});
    fill(AddSubmenu(ListViewPopup, entry::ToolsPopupMenu, "&Tools"),
         {{entry::CompressListPopupMenu, "&Compress List"},
          {entry::ExpandListPopupMenu, "&Expand List"},
          kSeparator,
          {entry::InventoryListPopupMenu, "Inventory List..."},
          {entry::CompareCartridgeListsPopupMenu, "C&ompare Cartridge Lists..."},
          kSeparator,
          {entry::VerifyManufacturersPopupMenu, "Verify Manufacturers"}});
    ListViewPopup->addSeparator();
    fill(AddSubmenu(ListViewPopup, entry::ViewPopupMenu, "View"),
         {{entry::CustomizePopupMenu, "Customize..."},
          kSeparator,
          {entry::CollectionExplorerPopupMenu, "Collection Explorer"},
          {entry::GridLinesPopupMenu, "Grid Lines"}});
    fill(ListViewPopup,
         {kSeparator,
          {entry::SelectAllPopupMenu, "Select All"},
          {entry::UnSelectAllPopupMenu, "Un-Select All"},
          kSeparator,
          {entry::MoreInfoPopupMenu, "More Info..."},
          kSeparator,
          {entry::ItemPropertiesPopupMenu, "Properties..."}});
    Action(entry::InventoryListPopupMenu)->setVisible(false);
    for (const char* name : {entry::CollectionExplorerPopupMenu, entry::GridLinesPopupMenu})
        Action(name)->setCheckable(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ShowGridPopup(mapToGlobal(p)); });

    TabPopUp = new QMenu(this);
    TabPopUp->setObjectName(entry::TabPopUp);
    fill(TabPopUp, {{entry::OpenListTabPopupMenu, "Open..."}, kSeparator});
    ListParentTabPopupMenu = AddSubmenu(TabPopUp, entry::ListParentTabPopupMenu, "List");
    fill(TabPopUp,
         {kSeparator,
          {entry::CloseListTabPopupMenu, "Close"},
          {entry::SaveListTabPopupMenu, "Save"},
          kSeparator,
          {entry::ListPropertiesTabPopupMenu, "Properties..."}});

    ExplorerPopupMenu = new QMenu(this);
    ExplorerPopupMenu->setObjectName(entry::ExplorerPopupMenu);
    fill(ExplorerPopupMenu,
         {{entry::OpenExplorerFile, "Open"},
          {entry::NewGroupExplorerPopupMenu, "New Group..."},
          kSeparator,
          {entry::RemoveFromGroupExplorerPopupMenu, "Remove From Group"},
          kSeparator,
          {entry::DeleteExplorerFile, "Delete"},
          kSeparator,
          {entry::RefreshExplorerPopupMenu, "Refresh"},
          kSeparator,
          {entry::HideExplorerExplorerPopupMenu, "Hide"}});
}

void TQuorvelForm::UpdateMenuState()
{
    TBaseCustomListClass* current = currentList_;
    int mediaLists = 0;
    for (const auto& list : openLists_)
        if (list->Kind() == ltMedia)
            ++mediaLists;
    const bool hasLists = !openLists_.empty();
    const bool twoMedia = mediaLists >= 2;
    const bool moreLists = openLists_.size() >= 2;
    const int sel = listDisplay_ && CartListView->model() ? listDisplay_->SelectedCount() : 0;
    const bool anySel = sel >= 1;
    const bool oneSel = sel == 1;
    const bool isMedia = current && current->Kind() == ltMedia;
    const bool changed = current && current->IsModified();
    const bool named = current && !current->GetFileName().empty();
    const bool clipText = hasLists && !Clipboard().Text().isEmpty();

    struct Rule {
        bool enabled;
        std::initializer_list<const char*> names;
    };
    const Rule rules[] = {
        {hasLists,
         {entry::AddItemFromListPopupMenu,
          entry::NewItemPopupMenu,
          entry::ExportListPopupMenu,
          entry::ToolsPopupMenu,
          entry::CompressListPopupMenu,
          entry::ExpandListPopupMenu,
          entry::CustomizePopupMenu,
          entry::SelectAllPopupMenu,
          entry::SaveAsButton,
          entry::AddButton,
          entry::AddFromListButton,
          entry::CloseListTabPopupMenu,
          entry::SelectAllMainMenu,
          entry::SaveAsListMainMenu,
          entry::CloseListMainMenu,
          entry::ListPropertiesMainMenu,
          entry::CustomizeMainMenu,
          entry::AddFromListMainMenu,
          entry::NewItemMainMenu,
          entry::CompressListMainMenu,
          entry::ExpandListMainMenu,
          entry::InventoryListMainMenu,
          entry::VerifyManufacturersMainMenu,
          entry::CustomReportMainMenu,
          entry::InventoryReportMainMenu,
          entry::BinReportMainMenu,
          entry::TradeReportMainMenu,
          entry::byManufacturerMainMenu,
          entry::byRarityMainMenu,
          entry::byConditionMainMenu,
          entry::CostVsValueMainMenu}},
        {anySel,
         {entry::RemoveItemsPopupMenu, entry::IncreaseQuantityPopupMenu, entry::DecreaseQuantityPopupMenu,
          entry::ChangeParent, entry::UnSelectAllPopupMenu, entry::RemoveButton, entry::CopyMainMenu,
          entry::RemoveItemMainMenu, entry::UnSelectAllMainMenu}},
        {hasLists && isMedia, {entry::InventoryListPopupMenu, entry::VerifyManufacturersPopupMenu}},
        {twoMedia,
         {entry::CompareCartridgeListsPopupMenu, entry::CompareCartridgeListsMainMenu, entry::byPlatformReportMainMenu,
          entry::byPlatformMainMenu}},
        {oneSel && isMedia, {entry::MoreInfoPopupMenu, entry::MoreInfoMainMenu}},
        {oneSel, {entry::ItemPropertiesPopupMenu, entry::ItemPropertiesMainMenu}},
        {hasLists && changed, {entry::SaveButton, entry::SaveListTabPopupMenu}},
        {hasLists && changed && named, {entry::SaveListMainMenu}},
        {moreLists, {entry::CloseAllListsMainMenu}},
        {hasLists && anySel, {entry::ExportListMainMenu}},
        {clipText, {entry::PasteMainMenu}},
    };
    // Entries without a rule are enabled once their command exists; submenus that only hold
    // entries are always enabled.
    for (const auto& [name, action] : actions_)
        action->setEnabled(action->menu() ? true : action->property(kBuilt).toBool());
    for (const Rule& rule : rules) {
        for (const char* name : rule.names) {
            QAction* action = Action(name);
            const bool built = action->menu() || action->property(kBuilt).toBool();
            action->setEnabled(rule.enabled && built);
        }
    }
    for (auto& group : groups_)
        group->UpdateGroupMenuState();
}

}  // namespace quorvel
