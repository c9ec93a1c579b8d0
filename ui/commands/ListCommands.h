#pragma once

#include "model/ListType.h"
#include "ui/window/MainFormAccess.h"

#include <functional>
#include <optional>
#include <string>

namespace quorvel {

class TListPropertyForm;

// The four values the list-properties dialog edits.
struct ListPropertyValues {
    std::string listType;  // empty: the type may be chosen
    std::string platform;
    std::string owner;
    std::string description;
};

// Commands on whole lists: open, new, save, save as, close, close all and list properties, and the
// one road every way of opening a file takes (OpenListFile).
class ListCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit ListCommands(MainFormAccess& form);

    void OpenButtonClick();
    void OpenListFile(const Path& fileName);
    bool IsFileOpen(const Path& fileName) const;
    void LoadMediaList(const Path& fileName);
    void LoadHardwareList(const Path& fileName);
    void NewButtonClick();
    void SaveButtonClick();
    void SaveAsButtonClick();
    std::string DefaultListFileName() const;
    std::string DefaultListFileName(const TBaseCustomListClass& list) const;
    void AddSavedFileToExplorer(const Path& fileName);
    // False when the user wanted the list saved and it could not be: the list then stays open.
    bool CloseListMainMenuClick();
    bool CloseAllListsMainMenuClick();
    // False as soon as one list the user wanted saved could not be saved.
    bool SaveChangedLists();
    void ListPropertiesTabPopupMenuClick();

    // Shows the list-properties dialog over Values; true on OK with the values read back.
    std::function<bool(ListPropertyValues&)> EditListProperties;

    // How a file is named inside the window: absolute, cleaned, links followed.
    static Path ListIdentity(const Path& fileName);

private:
    // The run's one list-properties dialog, made on first use.
    bool ShowListProperties(ListPropertyValues& values);
    void LoadList(TListType kind, const Path& fileName);
    // "Save Changes?" for one changed list: false when the close must stop (Cancel, or Yes and the list
    // was not saved).
    bool AskToSave(TBaseCustomListClass& list, bool backup);
    // The answer Yes to "Save Changes?" for one list; false when it was not saved.
    bool SaveForClose(TBaseCustomListClass& list, bool backup);
    // Saves to F, asking before a file is replaced; false when nothing was written. The file of another
    // open list is refused.
    bool SaveNewFile(TBaseCustomListClass& list, const Path& fileName);
    std::optional<Path> AskSaveFileName(const TBaseCustomListClass& list, bool preset);
    bool Backup() const;
    std::string Setting(const char* key) const;

    TListPropertyForm* propertyForm_ = nullptr;
};

}  // namespace quorvel
