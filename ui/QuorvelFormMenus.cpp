// The main window's menus, popups and tool buttons, and which of them may be used.
#include "ui/QuorvelForm.h"

#include "model/BaseCustomListClass.h"
#include "platform/qt/Services.h"
#include "ui/ListDisplay.h"
#include "ui/ToolIcons.h"
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
    return action;
}

QMenu* TQuorvelForm::AddSubmenu(QMenu* menu, const char* name, const char* caption)
{
    QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    return sub;
}

QAction* TQuorvelForm::Action(const char* objectName) { return findChild<QAction*>(QString::fromLatin1(objectName)); }

void TQuorvelForm::BuildToolBar()
{
    ToolBar1 = addToolBar("ToolBar1");
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(Scaled(45));
    ToolBar1->setIconSize(Scaled(24, 24));
    struct Button {
        const char* name;
        const char* hint;
        ToolGlyph icon;
    };
    const Button buttons[] = {
        {"NewListButton", "Create a New list", ToolGlyph::NewList},
        {"OpenListButton", "Open an existing list", ToolGlyph::OpenList},
        {"SaveButton", "Save the current list", ToolGlyph::Save},
        {"SaveAsButton", "Save the current list using a new name", ToolGlyph::SaveAs},
        {nullptr, nullptr, {}},
        {"AddButton", "Add a NEW item to the list", ToolGlyph::AddItem},
        {"AddFromListButton", "Add one or more items to the list from a master list", ToolGlyph::AddFromList},
        {nullptr, nullptr, {}},
        {"RemoveButton", "Remove the currently selected items from the list", ToolGlyph::Remove},
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
        return menu;
    };

    QMenu* file = addMenu("FileMenu", "&File");
    fill(file,
         {{"NewListMainMenu", "&New...", QKeySequence("Ctrl+N")},
          {"OpenMainMenu", "&Open...", QKeySequence("Ctrl+O")},
          {"SaveListMainMenu", "&Save", QKeySequence("Ctrl+S")},
          {"SaveAsListMainMenu", "Save &As..."},
          kSeparator,
          {"CloseListMainMenu", "&Close"},
          {"CloseAllListsMainMenu", "Close A&ll"},
          kSeparator,
          {"ExportListMainMenu", "&Export..."},
          kSeparator});
    AddSubmenu(file, "RecentListsMainMenu", "&Recent");
    fill(file, {kSeparator, {"ListPropertiesMainMenu", "List Properties..."}, kSeparator, {"ExitMainMenu", "E&xit"}});

    fill(addMenu("EditMenu", "&Edit"),
         {{"CopyMainMenu", "&Copy", QKeySequence("Ctrl+C")}, {"PasteMainMenu", "&Paste", QKeySequence("Ctrl+V")}});
    QMenu* view = addMenu("ViewMenu", "&View");
    fill(view,
         {{"CustomizeMainMenu", "&Customize..."},
          kSeparator,
          {"CollectionExplorerMainMenu", "Collection Explorer"},
          {"GridLinesMainMenu", "Grid Lines"}});

    ListFunctionsMenu = addMenu("ListFunctionsMenu", "&Media");
    fill(ListFunctionsMenu,
         {{"AddFromListMainMenu", "&Add from list...", QKeySequence(Qt::Key_Insert)},
          kSeparator,
          {"NewItemMainMenu", "&New...", QKeySequence(Qt::CTRL | Qt::Key_Insert)},
          kSeparator,
          {"RemoveItemMainMenu", "&Remove", QKeySequence(Qt::Key_Delete)},
          kSeparator,
          {"SelectAllMainMenu", "S&elect All", QKeySequence("Ctrl+A")},
          {"UnSelectAllMainMenu", "Un-Select All"},
          kSeparator,
          {"MoreInfoMainMenu", "More Info...", QKeySequence("Ctrl+I")},
          kSeparator,
          {"ItemPropertiesMainMenu", "Properties..."}});

    fill(addMenu("ToolsMenu", "&Tools"),
         {{"CompressListMainMenu", "&Compress List"},
          {"ExpandListMainMenu", "&Expand List"},
          kSeparator,
          {"InventoryListMainMenu", "Inventory List..."},
          {"CompareCartridgeListsMainMenu", "C&ompare Cartridge Lists..."},
          kSeparator,
          {"VerifyManufacturersMainMenu", "Verify Manufacturers"},
          kSeparator,
          {"OptionsMainMenu", "&Options..."}});
    fill(addMenu("ReportsMenu", "&Reports"),
         {{"CustomReportMainMenu", "&Custom Reports..."},
          kSeparator,
          {"InventoryReportMainMenu", "&Inventory Report"},
          {"BinReportMainMenu", "&Bin Report"},
          {"TradeReportMainMenu", "Trade Report"},
          kSeparator,
          {"byPlatformReportMainMenu", "by Platform"}});
    fill(addMenu("ChartsMenu", "&Charts"),
         {{"byManufacturerMainMenu", "by Manufacturer"},
          {"byRarityMainMenu", "by Rarity"},
          {"byConditionMainMenu", "by Condition"},
          kSeparator,
          {"CostVsValueMainMenu", "Cost Vs. Value"},
          kSeparator,
          {"byPlatformMainMenu", "by Platform"}});
    fill(addMenu("WebMenu", "&Web"),
         {{"Pelmora1", "Pelmora..."},
          {"Cartwell1", "Cartwell"},
          {"GamersLedgerCollectorsGuide1", "Gamers Ledger Collector's Guide"},
          {"Snipercade1", "Snipercade"},
          {"StarLadderHighScoreDatabase1", "Star Ladder High Score Database"}});
    fill(addMenu("HelpMenu", "Hel&p"),
         {{"Help1", "&Help"},
          kSeparator,
          {"RevisionsMainMenu", "Revisions"},
          {"LicenseAgreementMainMenu", "License Agreement"},
          kSeparator,
          {"CheckForUpdatesMainMenu", "Check For Updates..."},
          kSeparator,
          {"ReportaBug1", "Report a Bug"},
          {"RequestaFeature1", "Request a Feature"},
          {"AskaQuestion1", "Ask a Question"},
          kSeparator,
          {"QuorvelHomePage1", "Quorvel Home Page"},
          kSeparator,
          {"About1", "&About..."}});
    Action("InventoryListMainMenu")->setVisible(false);
    for (const char* name : {"CollectionExplorerMainMenu", "GridLinesMainMenu"})
        Action(name)->setCheckable(true);
}

void TQuorvelForm::BuildPopups()
{
    auto fill = [this](QMenu* menu, std::initializer_list<Entry> entries) {
        FillMenu(menu, entries, [this](QMenu* m, const Entry& e) { AddEntry(m, e.name, e.caption, e.key); });
    };
    ListViewPopup = new QMenu(this);
    ListViewPopup->setObjectName("ListViewPopup");
    fill(ListViewPopup,
         {{"AddItemFromListPopupMenu", "Add from List..."},
          {"NewItemPopupMenu", "New..."},
          {"RemoveItemsPopupMenu", "Remove"},
          kSeparator,
          {"IncreaseQuantityPopupMenu", "Increase Quantity"},
          {"DecreaseQuantityPopupMenu", "Decrease Quantity"},
          kSeparator});
    AddSubmenu(ListViewPopup, "ChangeParent", "Change");
    fill(ListViewPopup,
         {kSeparator,
          {"OpenListPopupMenu", "Open..."},
          {"CloseListPopupMenu", "Close"},
          {"ExportListPopupMenu", "Export..."},
          kSeparator});
    fill(AddSubmenu(ListViewPopup, "ToolsPopupMenu", "&Tools"),
         {{"CompressListPopupMenu", "&Compress List"},
          {"ExpandListPopupMenu", "&Expand List"},
          kSeparator,
          {"InventoryListPopupMenu", "Inventory List..."},
          {"CompareCartridgeListsPopupMenu", "C&ompare Cartridge Lists..."},
          kSeparator,
          {"VerifyManufacturersPopupMenu", "Verify Manufacturers"}});
    ListViewPopup->addSeparator();
    fill(AddSubmenu(ListViewPopup, "ViewPopupMenu", "View"),
         {{"CustomizePopupMenu", "Customize..."},
          kSeparator,
          {"CollectionExplorerPopupMenu", "Collection Explorer"},
          {"GridLinesPopupMenu", "Grid Lines"}});
    fill(ListViewPopup,
         {kSeparator,
          {"SelectAllPopupMenu", "Select All"},
          {"UnSelectAllPopupMenu", "Un-Select All"},
          kSeparator,
          {"MoreInfoPopupMenu", "More Info..."},
          kSeparator,
          {"ItemPropertiesPopupMenu", "Properties..."}});
    Action("InventoryListPopupMenu")->setVisible(false);
    for (const char* name : {"CollectionExplorerPopupMenu", "GridLinesPopupMenu"})
        Action(name)->setCheckable(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ShowGridPopup(mapToGlobal(p)); });

    TabPopUp = new QMenu(this);
    TabPopUp->setObjectName("TabPopUp");
    fill(TabPopUp, {{"OpenListTabPopupMenu", "Open..."}, kSeparator});
    ListParentTabPopupMenu = AddSubmenu(TabPopUp, "ListParentTabPopupMenu", "List");
    fill(TabPopUp,
         {kSeparator,
          {"CloseListTabPopupMenu", "Close"},
          {"SaveListTabPopupMenu", "Save"},
          kSeparator,
          {"ListPropertiesTabPopupMenu", "Properties..."}});

    ExplorerPopupMenu = new QMenu(this);
    ExplorerPopupMenu->setObjectName("ExplorerPopupMenu");
    fill(ExplorerPopupMenu,
         {{"OpenExplorerFile", "Open"},
          {"NewGroupExplorerPopupMenu", "New Group..."},
          kSeparator,
          {"RemoveFromGroupExplorerPopupMenu", "Remove From Group"},
          kSeparator,
          {"DeleteExplorerFile", "Delete"},
          kSeparator,
          {"RefreshExplorerPopupMenu", "Refresh"},
          kSeparator,
          {"HideExplorerExplorerPopupMenu", "Hide"}});
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
         {"AddItemFromListPopupMenu",
          "NewItemPopupMenu",
          "ExportListPopupMenu",
          "ToolsPopupMenu",
          "CompressListPopupMenu",
          "ExpandListPopupMenu",
          "CustomizePopupMenu",
          "SelectAllPopupMenu",
          "SaveAsButton",
          "AddButton",
          "AddFromListButton",
          "CloseListTabPopupMenu",
          "SelectAllMainMenu",
          "SaveAsListMainMenu",
          "CloseListMainMenu",
          "ListPropertiesMainMenu",
          "CustomizeMainMenu",
          "AddFromListMainMenu",
          "NewItemMainMenu",
          "CompressListMainMenu",
          "ExpandListMainMenu",
          "InventoryListMainMenu",
          "VerifyManufacturersMainMenu",
          "CustomReportMainMenu",
          "InventoryReportMainMenu",
          "BinReportMainMenu",
          "TradeReportMainMenu",
          "byManufacturerMainMenu",
          "byRarityMainMenu",
          "byConditionMainMenu",
          "CostVsValueMainMenu"}},
        {anySel,
         {"RemoveItemsPopupMenu", "IncreaseQuantityPopupMenu", "DecreaseQuantityPopupMenu", "ChangeParent",
          "UnSelectAllPopupMenu", "RemoveButton", "CopyMainMenu", "RemoveItemMainMenu", "UnSelectAllMainMenu"}},
        {hasLists && isMedia, {"InventoryListPopupMenu", "VerifyManufacturersPopupMenu"}},
        {twoMedia,
         {"CompareCartridgeListsPopupMenu", "CompareCartridgeListsMainMenu", "byPlatformReportMainMenu",
          "byPlatformMainMenu"}},
        {oneSel && isMedia, {"MoreInfoPopupMenu", "MoreInfoMainMenu"}},
        {oneSel, {"ItemPropertiesPopupMenu", "ItemPropertiesMainMenu"}},
        {hasLists && changed, {"SaveButton", "SaveListTabPopupMenu"}},
        {hasLists && changed && named, {"SaveListMainMenu"}},
        {moreLists, {"CloseAllListsMainMenu"}},
        {hasLists && anySel, {"ExportListMainMenu"}},
        {clipText, {"PasteMainMenu"}},
    };
    // Entries without a rule are enabled once their command exists; submenus that only hold
    // entries are always enabled.
    for (QAction* action : findChildren<QAction*>()) {
        if (action->objectName().isEmpty())
            continue;
        action->setEnabled(action->menu() ? true : action->property(kBuilt).toBool());
    }
    for (const Rule& rule : rules) {
        for (const char* name : rule.names) {
            QAction* action = Action(name);
            const bool built = action->menu() || action->property(kBuilt).toBool();
            action->setEnabled(rule.enabled && built);
        }
    }
}

}  // namespace quorvel
