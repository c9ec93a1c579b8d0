#pragma once

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

class RecentFilesStore;
class TdfsMRUFileList;

// One entry the recent-files list put into a menu: a file, a separator or one of its commands.
class TMRUMenuItem : public QAction {
    Q_OBJECT

public:
    TMRUMenuItem(TdfsMRUFileList* owner, const QString& caption, QObject* parent);

    QString FullCaption;                  // accelerator + the whole file name
    TdfsMRUFileList* MRUOwner = nullptr;  // not owned
    int ItemNumber = 0;                   // 1-based position in the list; 0 for separators and commands
};

// The recently used list files, newest first, shown as numbered entries at the end of a menu and
// kept between runs in the recent-files store under AutoSaveName\AutoSaveKey as "F0", "F1", ...
// Names compare exactly: on Linux two names that differ in case are two files.
class TdfsMRUFileList : public QObject {
    Q_OBJECT

public:
    explicit TdfsMRUFileList(RecentFilesStore& store, QObject* parent = nullptr);
    // Removes its menu entries. Saving is the owner's close path's business, never a destructor's.
    ~TdfsMRUFileList() override;

    QString ClearItemName = "&Clear MRU List";
    QString RemoveObsoleteName = "&Remove Obsolete";
    int MaxCaptionWidth = 200;  // pixels of the menu font; 0: never shortened
    QString AutoSaveName = "\\Software\\Quorvel";
    QString AutoSaveKey = "MRU Items";
    // An entry was clicked; it has already left the list (a successful open adds it again).
    std::function<void(const std::string& fileName)> OnMRUItemClick;
    // Width of a text in the menu font; tests replace it.
    std::function<int(const QString& text)> MeasureText;
    // The widest caption a menu entry may have: half the screen, which leaves room for the menu's
    // margins, its accelerators and the parent menu.
    std::function<int()> WidestCaption;

    int Maximum() const { return maximum_; }
    // Lowering it drops the oldest names.
    void SetMaximum(int maximum);
    QMenu* FileMenu() const { return fileMenu_; }
    // The entries go at the end of Menu (the main window's "&Recent", which holds one hidden entry).
    void SetFileMenu(QMenu* menu);

    const std::vector<std::string>& Items() const { return items_; }
    // Records a use of FileName: a new name goes to the top (the oldest beyond Maximum drops out), a
    // known one moves there.
    void AddItem(const std::string& fileName);
    void ClearAllItems();
    // Drops the names of files that no longer exist.
    void RemoveObsoleteItems();
    // Store -> list and menu; values in numeric order of their names, empty and repeated ones skipped.
    bool Load();
    // List -> store; false when the store could not be written (the caller goes on).
    bool Save();

    // "&1 " ... "&9 ", "&0 ", "&A " ... "&Z " for entries 0 to 35; empty from 36 on.
    static QString GetAccelerator(int index);
    // Path shortened folder by folder ("/.../c/x.csv") until it fits Width; the name is never cut.
    QString ShortenPath(const QString& path, int width) const;
    // The caption of a path: shortened to MaxCaptionWidth, and a name still wider than Widest (a menu
    // must fit the screen) cut in its middle.
    QString MenuCaption(const QString& path, int widest) const;

private:
    void PopulateMenu();
    void RemoveMenuItems();
    void MRUItemClick(TMRUMenuItem* item);
    TMRUMenuItem* AddEntry(const QString& caption);

    RecentFilesStore& store_;
    QPointer<QMenu> fileMenu_;
    int maximum_ = 5;
    std::vector<std::string> items_;
};

}  // namespace quorvel
