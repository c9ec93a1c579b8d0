#pragma once

#include "platform/qt/RecentFilesStore.h"

#include <QAction>
#include <QMenu>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

class TdfsMRUFileList;

// The registry root the list is kept under (where each lives: RecentFilesStore).
enum TRootKey { rkClassesRoot, rkCurrentUser, rkLocalMachine, rkUsers, rkCurrentConfig, rkDynData };
// What an entry shows of its file: the whole path, the name, the name without its extension, or what
// OnGetDisplayName makes of it.
enum TMRUDisplay { mdFullPath, mdFileNameExt, mdFileNameOnly, mdCustom };

// One entry the recent-files list put into a menu: a file, a separator, its submenu or one of its
// commands.
class TMRUMenuItem : public QAction {
    Q_OBJECT

public:
    TMRUMenuItem(TdfsMRUFileList* owner, const QString& caption, QObject* parent);
    // Raises its owner's OnDestroyMRUItem before it goes; its submenu goes with it.
    ~TMRUMenuItem() override;

    QString FullCaption;                 // the caption it was made with: accelerator + the whole file name
    QPointer<TdfsMRUFileList> MRUOwner;  // not owned; empty once the owner is gone
    std::uint8_t ItemNumber = 0;         // 1-based position in the list; 0 for separators, submenu, commands

private:
    friend class TdfsMRUFileList;
    QPointer<QMenu> submenu_;  // the entries' own submenu (UseSubmenu)
};

// The recently used files, shown as numbered entries in a menu (FileMenu) and a popup menu
// (PopupMenu), kept between runs in the recent-files store (UseRegistry) or in an INI file, under
// AutoSaveName and AutoSaveKey as "F0", "F1", ...
// Names compare exactly: on Linux two names that differ in case are two files.
// Made in code, it counts as being set up until Loaded() is called: the owner sets its properties,
// then calls Loaded(), which loads the list when AutoSave.
class TdfsMRUFileList : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool UseRegistry READ UseRegistry WRITE SetUseRegistry)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion STORED false)
    Q_PROPERTY(bool AddToTop READ AddToTop WRITE SetAddToTop)
    Q_PROPERTY(std::uint8_t Maximum READ Maximum WRITE SetMaximum)
    Q_PROPERTY(bool RemoveOnClick READ RemoveOnClick WRITE SetRemoveOnClick)
    Q_PROPERTY(bool UseSubmenu READ UseSubmenu WRITE SetUseSubmenu)
    Q_PROPERTY(bool InsertSeparator READ InsertSeparator WRITE SetInsertSeparator)
    Q_PROPERTY(QString SubmenuName READ SubmenuName WRITE SetSubmenuName)
    Q_PROPERTY(QString ClearItemName READ ClearItemName WRITE SetClearItemName)
    Q_PROPERTY(bool ShowClearItem READ ShowClearItem WRITE SetShowClearItem)
    Q_PROPERTY(bool ShowRemoveObsolete READ ShowRemoveObsolete WRITE SetShowRemoveObsolete)
    Q_PROPERTY(QString RemoveObsoleteName READ RemoveObsoleteName WRITE SetRemoveObsoleteName)
    Q_PROPERTY(QAction* FileMenu READ FileMenu WRITE SetFileMenu)
    Q_PROPERTY(QMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool AutoSave READ AutoSave WRITE SetAutoSave)
    Q_PROPERTY(QString AutoSaveName READ AutoSaveName WRITE SetAutoSaveName)
    Q_PROPERTY(QString AutoSaveKey READ AutoSaveKey WRITE SetAutoSaveKey)
    Q_PROPERTY(quorvel::TRootKey AutoSaveRootKey READ AutoSaveRootKey WRITE SetAutoSaveRootKey)
    Q_PROPERTY(int MaxCaptionWidth READ MaxCaptionWidth WRITE SetMaxCaptionWidth)
    Q_PROPERTY(quorvel::TMRUDisplay MRUDisplay READ MRUDisplay WRITE SetMRUDisplay)

public:
    // An entry was clicked (with RemoveOnClick it has already left the list).
    std::function<void(const std::string& aFilename)> OnMRUItemClick;
    // Decides whether a name is obsolete, instead of the test whether its file exists.
    std::function<void(const std::string& anItem, bool& remove)> OnRemoveObsolete;
    // The caption of an entry under mdCustom; it starts as the entry's FullCaption.
    std::function<void(const std::string& aFilename, QString& aDisplayName)> OnGetDisplayName;
    std::function<void(TMRUMenuItem* item)> OnCreateMRUItem;
    std::function<void(TMRUMenuItem* item)> OnDestroyMRUItem;

    // Width of a text in the menu font; tests replace it.
    std::function<int(const QString& text)> MeasureText;
    // The widest caption a menu entry may have: half the screen, which leaves room for the menu's
    // margins, its accelerators and the parent menu.
    std::function<int()> WidestCaption;

    explicit TdfsMRUFileList(RecentFilesStore& store, QObject* owner = nullptr);
    // Saves when AutoSave (and the list was ever ready), then takes its entries out of the menus.
    ~TdfsMRUFileList() override;

    // Its properties are set: from now on it is ready, and with AutoSave the list is loaded.
    void Loaded();

    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool value) { useRegistry_ = value; }
    QString Version() const { return QStringLiteral("TdfsMRUFileList v2.66"); }
    void SetVersion(const QString&) { }
    bool AddToTop() const { return addToTop_; }
    void SetAddToTop(bool value) { addToTop_ = value; }
    std::uint8_t Maximum() const { return maximum_; }
    // Lowering it drops names from the old end.
    void SetMaximum(std::uint8_t value);
    bool RemoveOnClick() const { return removeOnClick_; }
    void SetRemoveOnClick(bool value) { removeOnClick_ = value; }
    bool UseSubmenu() const { return useSubmenu_; }
    void SetUseSubmenu(bool value);
    bool InsertSeparator() const { return insertSeparator_; }
    void SetInsertSeparator(bool value);
    QString SubmenuName() const { return submenuName_; }
    void SetSubmenuName(const QString& value);
    QString ClearItemName() const { return clearItemName_; }
    void SetClearItemName(const QString& value) { clearItemName_ = value; }
    bool ShowClearItem() const { return showClearItem_; }
    void SetShowClearItem(bool value) { showClearItem_ = value; }
    bool ShowRemoveObsolete() const { return showRemoveObsolete_; }
    void SetShowRemoveObsolete(bool value) { showRemoveObsolete_ = value; }
    QString RemoveObsoleteName() const { return removeObsoleteName_; }
    void SetRemoveObsoleteName(const QString& value) { removeObsoleteName_ = value; }
    // The menu entry the entries go to: into its submenu when that holds entries, otherwise before it
    // in the menu that holds it. Empty once that entry is gone.
    QAction* FileMenu() const { return fileMenu_; }
    void SetFileMenu(QAction* value);
    void SetFileMenu(QMenu* menu) { SetFileMenu(menu ? menu->menuAction() : nullptr); }
    // A second place for the file entries, at the top of this menu. Empty once that menu is gone.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* value);
    bool AutoSave() const { return autoSave_; }
    void SetAutoSave(bool value) { autoSave_ = value; }
    QString AutoSaveName() const { return autoSaveName_; }
    void SetAutoSaveName(const QString& value);
    QString AutoSaveKey() const { return autoSaveKey_; }
    void SetAutoSaveKey(const QString& value);
    // The stored root read back; a root outside TRootKey reads as rkCurrentUser.
    TRootKey AutoSaveRootKey() const;
    void SetAutoSaveRootKey(TRootKey value);
    int MaxCaptionWidth() const { return maxCaptionWidth_; }
    void SetMaxCaptionWidth(int value);
    TMRUDisplay MRUDisplay() const { return mruDisplay_; }
    void SetMRUDisplay(TMRUDisplay value);

    const std::vector<std::string>& Items() const { return items_; }
    // Records a use of FileName: a new name goes to the top (or the bottom without AddToTop) and the
    // oldest beyond Maximum drops out; a known one moves there.
    void AddItem(const std::string& fileName);
    // Takes the entries out of the menus and empties the list.
    virtual void ClearAllItems();
    // Drops the names of files that no longer exist (or that OnRemoveObsolete calls obsolete).
    virtual void RemoveObsoleteItems();
    // Store -> list and menus; false when AutoSaveName or AutoSaveKey is empty. Empty and repeated
    // values are skipped.
    bool Load();
    // List -> store; false when a name is empty or the recent-files store could not be written. The
    // INI file raises its own error.
    bool Save();

    // "&1 " ... "&9 ", "&0 ", "&A " ... "&Z " for entries 0 to 35; empty from 36 on.
    static QString GetAccelerator(int index);
    // Path shortened folder by folder ("/.../c/x.csv") until it fits Width; the name is never cut.
    QString ShortenPath(const QString& path, int width) const;
    // The caption of a path: shortened to MaxCaptionWidth, and still wider than Widest (a menu must
    // fit the screen) cut in its middle.
    QString MenuCaption(const QString& path, int widest) const;

protected:
    // Rebuilds the entries in the menus from the list.
    virtual void PopulateMenu();
    virtual void DoGetDisplayName(const std::string& aFilename, QString& aDisplayName);
    virtual void DoRemoveObsolete(const std::string& anItem, bool& remove);
    virtual void DoMRUItemClick(const std::string& aFilename);
    virtual void DoCreateMRUItem(TMRUMenuItem* item);
    virtual void DoDestroyMRUItem(TMRUMenuItem* item);

    // The root as stored; a descendant may store one that TRootKey does not name.
    RegistryRoot autoSaveRoot_ = RegistryRoot::CurrentUser;

private:
    friend class TMRUMenuItem;

    // A property whose change only redraws the entries.
    template <typename T> void Repopulate(T& property, const T& value)
    {
        if (property == value)
            return;
        property = value;
        PopulateMenu();
    }

    // Where the main-menu entries go, and at which position.
    QWidget* MainTarget(qsizetype* position) const;
    void RemoveMenuItems();
    void AddFileEntries(QWidget* target, qsizetype& position, int widest);
    void AddCommand(QWidget* target, qsizetype& position, const QString& caption, void (TdfsMRUFileList::*run)());
    QString DisplayCaption(size_t index, const QString& fullCaption, int widest);
    // The longest middle cut of Text that fits Widest.
    QString CutMiddle(const QString& text, int widest) const;
    void MRUItemClick(TMRUMenuItem* item);
    // Runs a click: entries taken out meanwhile are freed once it is over (the clicked one is still
    // inside its own signal).
    void Click(const std::function<void()>& run);
    // Puts Entry at Position of Target and moves Position on.
    static void Insert(QWidget* target, qsizetype& position, QAction* entry);
    TMRUMenuItem* NewSeparator(QWidget* parent);
    // Drops names from the old end until at most Count remain.
    void TrimTo(size_t count);
    bool CanLoad() const { return autoSave_ && !loading_; }

    RecentFilesStore& store_;
    bool loading_ = true;
    bool clicking_ = false;

    bool useRegistry_ = true;
    bool addToTop_ = true;
    std::uint8_t maximum_ = 5;
    bool removeOnClick_ = true;
    bool useSubmenu_ = false;
    bool insertSeparator_ = true;
    QString submenuName_ = "Reopen";
    QString clearItemName_ = "&Clear MRU List";
    bool showClearItem_ = true;
    bool showRemoveObsolete_ = true;
    QString removeObsoleteName_ = "&Remove Obsolete";
    QPointer<QAction> fileMenu_;
    QPointer<QMenu> popupMenu_;
    bool autoSave_ = true;
    QString autoSaveName_ = "\\Software\\My Application";
    QString autoSaveKey_ = "MRU Items";
    int maxCaptionWidth_ = 200;
    TMRUDisplay mruDisplay_ = mdFullPath;

    std::vector<std::string> items_;
};

}  // namespace quorvel

Q_DECLARE_METATYPE(quorvel::TRootKey)
Q_DECLARE_METATYPE(quorvel::TMRUDisplay)
