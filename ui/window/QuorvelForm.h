#pragma once

#include "ui/window/MainFormAccess.h"

#include <QItemSelectionModel>
#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;

namespace quorvel {

class ClipboardCommands;
class CollectionExplorer;
class ExplorerCommands;
class ListCommands;
class ListTabBar;
class RecentFilesStore;
class ReportCommands;
class TdfsMRUFileList;

// False only for an old configuration, which must be migrated before the program can run; a missing
// one, the current one and a newer program's are used as they are.
bool ConfigIsCurrent();

// Where the main window goes: the stored placement brought onto a screen of that size.
struct WindowPlacement {
    int state = 0;   // 0 normal, 1 minimized, 2 maximized
    QRect geometry;  // used only in the normal state
};
WindowPlacement ReadWindowPlacement(const QSize& screen);

// The main window: the open lists (in tab order), the current list, the grid binding, the widgets
// and the lifecycle from creation to close. Its commands live in command groups.
class TQuorvelForm : public QMainWindow, public MainFormAccess {
    Q_OBJECT
public:
    // Recent is where the recent-files menu is kept between runs (tests hand in a temporary one).
    TQuorvelForm(SettingsStore& settings, PlatformList& platforms, TOptionsForm& options, RecentFilesStore& recent);
    ~TQuorvelForm() override;

    // The program file's version in four parts.
    static std::string GetVersionString();

    // Takes over a group made outside the window (the Help and Web menus, which show the splash).
    void AttachCommandGroup(std::unique_ptr<CommandGroup> group);
    // Shows the migration window and answers whether the configuration is current afterwards; set by
    // ProgramBody.
    std::function<bool()> ShowMigration;

    // Lifecycle steps; FormShow runs once, on the first show.
    void FormShow();
    void LoadLastFiles();
    void SaveLastFiles();
    void ExitMainMenuClick();
    void Timer1Timer();
    bool GetMustRestart() const { return MustRestart; }
    ListCommands& GetListCommands() { return *listCommands_; }
    ExplorerCommands& GetExplorerCommands() { return *explorerCommands_; }
    ClipboardCommands& GetClipboardCommands() { return *clipboardCommands_; }
    ReportCommands& GetReportCommands() { return *reportCommands_; }

    // Tabs, status bar and command state.
    void BuildListMenu();
    void CheckListMenuItem(int index);
    void ListMenuClick(QAction* entry);
    void OpenTabSetChange(int index);
    // The grid's selection or current row changed: the commands' enabling follows.
    void CartListViewChange();
    void OpenTabSetDrawTab(QPainter& canvas, const QRect& rect, int index, bool selected);
    int OpenTabSetMeasureTab(int index, int width);
    // The caption of tab I: platform (and owner), each cut to 25 characters.
    std::string TabCaption(size_t index) const;
    QString StatusPanelText(int panel) const;
    QString TabHint() const;
    int TabCount() const;
    int SelectedTab() const;
    QString TabText(int index) const;

    // MainFormAccess.
    const std::vector<std::unique_ptr<TBaseCustomListClass>>& OpenLists() const override { return openLists_; }
    TBaseCustomListClass* CurrentList() const override { return currentList_; }
    void AddList(std::unique_ptr<TBaseCustomListClass> list) override;
    void CloseList(TBaseCustomListClass& list) override;
    void CloseAllLists() override;
    TListDisplayClass& ListDisplay() override { return *listDisplay_; }
    QTableView& Grid() override { return *CartListView; }
    QProgressBar& Progress() override { return *ProgressBar1; }
    QWidget& Window() override { return *this; }
    void SetStatusText(const std::string& text) override;
    void ShowStatusText(const QString& text) override;
    void UpdateStatusBar() override;
    void RefreshListView() override;
    void RefreshTabs() override;
    void RepaintTabs() override;
    void UpdateMenuState() override;
    void ApplyViewOptions() override;
    void OpenListFile(const Path& fileName) override;
    SettingsStore& Settings() override { return settings_; }
    PlatformList& Platforms() override { return platforms_; }
    TOptionsForm& Options() override { return options_; }
    TCustomPropertyDialog& PropertyDialog() override { return *propertyDialog_; }
    TFieldOrderForm& FieldOrderDialog() override { return *fieldOrderForm_; }
    QAction* Action(const char* objectName) override;
    bool IsClosing() const override { return Closing; }
    int NextNewListNumber() override { return ++NewListCounter; }
    void AddRecentFile(const Path& fileName) override;
    void AddExplorerFileNode(ExplorerRoot root, const Path& fileName) override;
    CollectionExplorer& Explorer() override { return *CollectionTV; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // FormClose; false when a list could not be saved and the window stays open.
    bool FormClose();
    void BuildLayout();
    void BuildMenus();
    void BuildPopups();
    void BuildToolBar();
    void RestorePlacement();
    void SavePlacement();
    void ShowGridPopup(const QPoint& where);
    void NotifyGroups();
    // Menu state follows the grid's selection; the grid makes a new selection model whenever its
    // table is set again (a close that was refused).
    void FollowSelection();
    // Unbinds the grid and frees the list at Index.
    void FreeList(size_t index);
    // Menus entries are made from tables; every entry is disabled until a group connects it.
    QAction* AddEntry(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {});
    QMenu* AddSubmenu(QMenu* menu, const char* name, const char* caption);
    // Keeps a named entry for Action: the entries are looked up by name once, when they are made.
    void Register(QAction* action);

    SettingsStore& settings_;
    PlatformList& platforms_;
    TOptionsForm& options_;

    std::unique_ptr<TListDisplayClass> listDisplay_;
    std::vector<std::unique_ptr<TBaseCustomListClass>> openLists_;
    TBaseCustomListClass* currentList_ = nullptr;
    int NewListCounter = 1;
    bool MustRestart = false;
    bool Closing = false;
    // Raised while lists are taken away: the tabs are not measured until they match the lists again.
    bool TabMeasureGuard = false;
    bool shown_ = false;

    QToolBar* ToolBar1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* ExplorerPanel = nullptr;
    CollectionExplorer* CollectionTV = nullptr;
    QWidget* DataPanel = nullptr;
    QTableView* CartListView = nullptr;
    ListTabBar* OpenTabSet = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    std::array<QLabel*, 5> statusPanels_ {};
    QMenu* ListFunctionsMenu = nullptr;
    QMenu* ListViewPopup = nullptr;
    QMenu* TabPopUp = nullptr;
    QMenu* ExplorerPopupMenu = nullptr;
    QMenu* ListParentTabPopupMenu = nullptr;
    QTimer* Timer1 = nullptr;

    TdfsMRUFileList* dfsMRUFileList1 = nullptr;
    // Made with the window, as the other windows are, and shared by every command group.
    std::unique_ptr<TCustomPropertyDialog> propertyDialog_;
    std::unique_ptr<TFieldOrderForm> fieldOrderForm_;

    ListCommands* listCommands_ = nullptr;
    ExplorerCommands* explorerCommands_ = nullptr;
    ClipboardCommands* clipboardCommands_ = nullptr;
    ReportCommands* reportCommands_ = nullptr;
    std::vector<std::unique_ptr<CommandGroup>> groups_;
    std::map<std::string, QAction*, std::less<>> actions_;
    QPointer<QItemSelectionModel> selection_;
};

}  // namespace quorvel
