#pragma once

#include <QAction>
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Path.h"

class QProgressBar;
class QTableView;
class QWidget;

namespace quorvel {

class CollectionExplorer;
class PlatformList;
class SettingsStore;
class TBaseCustomListClass;
class TCustomPropertyDialog;
class TFieldOrderForm;
class TListDisplayClass;
class TOptionsForm;

// The six fixed roots of the Collection Explorer.
enum class ExplorerRoot { Groups, Media, Hardware, Masters, Reports, Exports };

// What a command group may reach of the main window. The window owns the open lists, the grid and
// the lifecycle, and changes them only through whole operations (add a list, close a list, refresh);
// the commands live in groups, one class per file pair, that see only this.
//
// Adding a group:
//  - Derive from CommandGroup; the constructor takes MainFormAccess& and connects its entries with
//    Connect(entry::Name, handler), the name being the entry's component name from ui/MenuNames.h
//    (every menu entry, popup entry and tool button exists from the start, disabled until a group
//    connects it). Handlers keep the names the program's description gives them.
//  - Connect runs each handler inside the command guard and refreshes the menu state afterwards, also
//    after a failure; a handler refreshes only what it changed (RefreshListView, RefreshTabs,
//    UpdateStatusBar). A signal that runs a command takes CommandSlot; any other slot is made with
//    Guarded (platform/qt/CommandGuard.h).
//  - Groups in ui/ are made by the window itself; groups of other folders (reports, charts) are made
//    by ProgramBody and handed over with TQuorvelForm::AttachCommandGroup, so the window never
//    depends on them. Touch no other group's widgets.
class MainFormAccess {
public:
    virtual ~MainFormAccess() = default;

    // The lists, in tab order; the window owns them.
    virtual const std::vector<std::unique_ptr<TBaseCustomListClass>>& OpenLists() const = 0;
    virtual TBaseCustomListClass* CurrentList() const = 0;
    // Appends List and makes it current; the grid and the tabs follow with RefreshListView and
    // RefreshTabs (once after several lists).
    virtual void AddList(std::unique_ptr<TBaseCustomListClass> list) = 0;
    // Frees List (one of OpenLists) without asking; the first list left becomes current. Tabs, grid
    // and status bar follow.
    virtual void CloseList(TBaseCustomListClass& list) = 0;
    // Frees every list without asking; while the window closes, nothing is refreshed.
    virtual void CloseAllLists() = 0;

    virtual TListDisplayClass& ListDisplay() = 0;
    virtual QTableView& Grid() = 0;
    virtual QProgressBar& Progress() = 0;
    // Parent for dialogs.
    virtual QWidget& Window() = 0;

    virtual void SetStatusText(const std::string& text) = 0;
    // The same for a text made for the window (a file name in it spelled as the file system does).
    virtual void ShowStatusText(const QString& text) = 0;
    virtual void UpdateStatusBar() = 0;
    virtual void RefreshListView() = 0;
    virtual void RefreshTabs() = 0;
    virtual void RepaintTabs() = 0;
    virtual void UpdateMenuState() = 0;
    virtual void ApplyViewOptions() = 0;
    virtual void OpenListFile(const Path& fileName) = 0;

    virtual SettingsStore& Settings() = 0;
    virtual PlatformList& Platforms() = 0;
    virtual TOptionsForm& Options() = 0;
    // The property dialog and the column-order dialog: one of each for the whole run.
    virtual TCustomPropertyDialog& PropertyDialog() = 0;
    virtual TFieldOrderForm& FieldOrderDialog() = 0;

    // A menu entry, popup entry or tool button by its object name; null when there is none.
    virtual QAction* Action(const char* objectName) = 0;

    // True once the window has begun to close.
    virtual bool IsClosing() const = 0;
    // NewListCounter: grows by one and returns the new value (the first new list gets 2).
    virtual int NextNewListNumber() = 0;

    virtual void AddRecentFile(const Path& fileName) = 0;
    virtual void AddExplorerFileNode(ExplorerRoot root, const Path& fileName) = 0;
    // The Collection Explorer's tree (RefreshExplorer after a partial export).
    virtual CollectionExplorer& Explorer() = 0;
};

// Base of every command group: a QObject so that connections end with the group.
class CommandGroup : public QObject {
    Q_OBJECT
public:
    explicit CommandGroup(MainFormAccess& form) : form_(form) { }

    // Called wherever the window rebuilds what depends on the current list's kind (tabs refreshed,
    // tab changed): the item commands rebuild their "Change" submenu here.
    virtual void ListsChanged() { }
    // Called at the end of every refresh of the menu state: a group whose entries follow rules of
    // their own (the Collection Explorer's popup) sets them here.
    virtual void UpdateGroupMenuState() { }

protected:
    // Enables the entry and runs Handler inside the command guard when it is chosen, then refreshes the
    // menu state. An entry name that does not exist is a programming error and throws std::logic_error.
    void Connect(const char* objectName, std::function<void()> handler);
    // The slot Connect gives an entry, for a signal that runs one of the group's commands (a double
    // click, a timer, a drop): Handler inside the command guard, then the menu state refreshed.
    std::function<void()> CommandSlot(std::function<void()> handler);

    MainFormAccess& form_;
};

}  // namespace quorvel
