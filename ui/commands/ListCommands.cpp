#include "ui/commands/ListCommands.h"

#include "config/PlatformList.h"
#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/FileRefusal.h"
#include "ui/grid/ListDisplay.h"
#include "ui/dialogs/ListPropertiesForm.h"
#include "ui/window/MenuNames.h"

#include <QProgressBar>

#include <filesystem>
#include <stdexcept>

namespace quorvel {

namespace {

const char kFilter[] = "Comma Seperated Values (*.CSV *.csv);;All Files (*)";
// Files this big take long enough to read or write that the progress bar shows it.
constexpr std::uintmax_t kNoticeableBytes = 4u << 20;

// The settings hold numbers as text; a text that is none fails as a conversion would.
int SettingToInteger(const std::string& value)
{
    const std::string text = value.empty() ? "0" : value;
    size_t used = 0;
    int number = 0;
    try {
        number = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size())
        throw std::runtime_error("'" + text + "' is not a valid integer value");
    return number;
}

// Moves the progress bar around a long load or save.
class Progress {
public:
    Progress(QProgressBar& bar, const Path& fileName) : bar_(bar)
    {
        std::error_code error;
        const auto size = std::filesystem::file_size(fileName.Bytes(), error);
        active_ = !error && size >= kNoticeableBytes;
        Set(active_ ? 10 : 0);
    }
    ~Progress() { Set(0); }
    void Done() { Set(active_ ? 100 : 0); }

private:
    void Set(int value)
    {
        if (!active_)
            return;
        bar_.setValue(value);
        if (bar_.isVisible())
            bar_.repaint();
    }
    QProgressBar& bar_;
    bool active_ = false;
};

}  // namespace

ListCommands::ListCommands(MainFormAccess& form) : CommandGroup(form)
{
    EditListProperties = [this](ListPropertyValues& values) { return ShowListProperties(values); };

    for (const char* name :
         {entry::OpenMainMenu, entry::OpenListButton, entry::OpenListPopupMenu, entry::OpenListTabPopupMenu})
        Connect(name, [this] { OpenButtonClick(); });
    for (const char* name : {entry::NewListMainMenu, entry::NewListButton})
        Connect(name, [this] { NewButtonClick(); });
    for (const char* name : {entry::SaveListMainMenu, entry::SaveButton, entry::SaveListTabPopupMenu})
        Connect(name, [this] { SaveButtonClick(); });
    for (const char* name : {entry::SaveAsListMainMenu, entry::SaveAsButton})
        Connect(name, [this] { SaveAsButtonClick(); });
    for (const char* name : {entry::CloseListMainMenu, entry::CloseListPopupMenu, entry::CloseListTabPopupMenu})
        Connect(name, [this] { CloseListMainMenuClick(); });
    Connect(entry::CloseAllListsMainMenu, [this] { CloseAllListsMainMenuClick(); });
    for (const char* name : {entry::ListPropertiesMainMenu, entry::ListPropertiesTabPopupMenu})
        Connect(name, [this] { ListPropertiesTabPopupMenuClick(); });
}

bool ListCommands::ShowListProperties(ListPropertyValues& values)
{
    if (!propertyForm_)
        propertyForm_ = new TListPropertyForm(form_.Platforms(), &form_.Window());
    TListPropertyForm& dialog = *propertyForm_;
    dialog.SetListType(values.listType);
    dialog.SetPlatform(values.platform);
    dialog.SetOwner(values.owner);
    dialog.SetDescription(values.description);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return false;
    values = {dialog.GetListType(), dialog.GetPlatform(), dialog.GetOwner(), dialog.GetDescription()};
    return true;
}

std::string ListCommands::Setting(const char* key) const { return form_.Settings().GetSetting(key); }

bool ListCommands::Backup() const { return Setting(setting::BackupFiles) == "1"; }

Path ListCommands::ListIdentity(const Path& fileName)
{
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(std::filesystem::absolute(fileName.Bytes()), error);
    return error ? AbsoluteCleanPath(fileName) : Path(canonical.string());
}

void ListCommands::OpenButtonClick()
{
    FileDialogRequest request;
    request.caption = "Open";
    request.folder = PathToQString(form_.Settings().GetFolder(setting::CartPath));
    request.fileName = "*.CSV";
    request.filter = kFilter;
    if (const auto chosen = FileDialogs().OpenFileNames(request)) {
        for (const QString& file : *chosen) {
            OpenListFile(PathFromQString(file));
            form_.RefreshTabs();
        }
    }
    form_.UpdateStatusBar();
}

void ListCommands::OpenListFile(const Path& fileName)
{
    const Path file = ListIdentity(fileName);
    if (IsFileOpen(file)) {
        Messages().Error(TextWithPath("The file \"", file, "\" is already open."));
        return;
    }
    if (!FileExists(file)) {
        Messages().Error(TextWithPath("The file \"", file, "\" does not exist."));
        return;
    }
    bool loaded = false;
    QString failure;
    try {
        switch (GetListFileType(file)) {
        case ltMedia:
            LoadMediaList(file);
            loaded = true;
            break;
        case ltHardware:
            LoadHardwareList(file);
            loaded = true;
            break;
        default:
            failure = TextWithPath("The file \"", file, "\" is not a recognized Quorvel File.");
            break;
        }
    } catch (const std::exception& e) {
        // The list made for it is gone; the caller goes on with its other files.
        failure = FileNotOpenedText(file, e);
    }
    // Said before the box, so that "Loading ..." does not stand behind it.
    form_.ShowStatusText(TextWithPath("", file, loaded ? " Loaded." : " Not Loaded."));
    if (!failure.isEmpty())
        Messages().Error(failure);
    form_.RefreshListView();
    form_.ListDisplay().Resort();
    const TBaseCustomListClass* added = form_.CurrentList();
    if (loaded && !form_.Platforms().Contains(added->GetPlatform())) {
        // Asked once the window shows the list it is about, with its tab and its commands.
        form_.RefreshTabs();
        form_.UpdateMenuState();
        Messages().Warning(ToQString("The platform name \"" + added->GetPlatform() +
                                     "\" is not valid.  Please edit the platform name for this list or add this "
                                     "platform name to the list of platforms in the options dialog."));
    }
}

bool ListCommands::IsFileOpen(const Path& fileName) const
{
    for (const auto& list : form_.OpenLists())
        if (list->GetOpenedFileName() == fileName)
            return true;
    return false;
}

void ListCommands::LoadMediaList(const Path& fileName) { LoadList(ltMedia, fileName); }

void ListCommands::LoadHardwareList(const Path& fileName) { LoadList(ltHardware, fileName); }

void ListCommands::LoadList(TListType kind, const Path& fileName)
{
    auto list = CreateListObject(kind);
    {
        form_.ShowStatusText(TextWithPath("Loading ", fileName, "..."));
        Progress progress(form_.Progress(), fileName);
        LoadListObject(list.get(), fileName);
        progress.Done();
    }
    list->SetOpenedFileName(fileName);
    const bool hasItems = list->Count() > 0;
    form_.AddList(std::move(list));
    if (hasItems)
        form_.AddRecentFile(fileName);
}

void ListCommands::NewButtonClick()
{
    ListPropertyValues values;
    values.owner = Setting(setting::DefaultOwner);
    if (!EditListProperties(values))
        return;
    const TListType kind = values.listType == "Media" ? ltMedia : values.listType == "Hardware" ? ltHardware : ltNone;
    if (kind == ltNone)
        return;
    auto list = CreateListObject(kind);
    const int number = form_.NextNewListNumber();
    list->SetPlatform(values.platform);
    list->SetOwner(values.owner);
    list->SetDescription(values.description);
    list->SetModified(true);
    list->SetOpenedFileName(Path("_NEW_" + std::to_string(number)));
    form_.AddList(std::move(list));
    form_.UpdateStatusBar();
    form_.RefreshListView();
    form_.SetStatusText("Cart List Created.");
    form_.RefreshTabs();
}

void ListCommands::SaveButtonClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    if (!list->GetFileName().empty()) {
        const Path fileName = list->GetFileName();
        try {
            form_.ShowStatusText(TextWithPath("Saving ", fileName, "..."));
            Progress progress(form_.Progress(), fileName);
            SaveListObject(list, fileName, Backup(), true);
        } catch (...) {
            // The guard shows why; the status bar must not go on saying it saves.
            form_.ShowStatusText(TextWithPath("", fileName, " Not Saved."));
            throw;
        }
        AddSavedFileToExplorer(fileName);
        form_.ShowStatusText(TextWithPath("", fileName, " Saved."));
    } else {
        SaveAsButtonClick();
    }
    form_.RepaintTabs();
}

std::optional<Path> ListCommands::AskSaveFileName(const TBaseCustomListClass& list, bool preset)
{
    FileDialogRequest request;
    request.caption = "Save As";
    request.folder =
        PathToQString(form_.Settings().GetFolder(list.Kind() == ltHardware ? setting::HardwarePath : setting::CartPath));
    // Closing saves lists that are not current: the name comes from the list being saved.
    const std::string name = preset ? DefaultListFileName(list) : std::string();
    if (IsSafeName(name))
        request.fileName = ToQString(name);
    request.filter = kFilter;
    const auto chosen = FileDialogs().SaveFileName(request);
    if (!chosen)
        return std::nullopt;
    Path fileName = PathFromQString(*chosen);
    // The dialog's default extension.
    if (ExtractFileExt(fileName).empty())
        fileName = Path(fileName.Bytes() + ".CSV");
    return ListIdentity(fileName);
}

bool ListCommands::SaveNewFile(TBaseCustomListClass& list, const Path& fileName)
{
    // Two tabs on one file: a later save of either would silently replace the other's items.
    for (const auto& other : form_.OpenLists()) {
        if (other.get() != &list && other->GetOpenedFileName() == fileName) {
            Messages().Error(TextWithPath("The file \"", fileName,
                                          "\" is open in another tab.  Close that list first or choose another name."));
            return false;
        }
    }
    try {
        SaveListObject(&list, fileName, false, false);
    } catch (const TBaseCustomListClassException&) {
        // Only an existing file leads to the question; any other failure is shown as it is.
        if (!FileExists(fileName))
            throw;
        if (!ConfirmOverwrite(PathToQString(fileName)))
            return false;
        SaveListObject(&list, fileName, false, true);
        list.SetOpenedFileName(fileName);
        return true;
    }
    list.SetOpenedFileName(fileName);
    form_.ShowStatusText(TextWithPath("", list.GetFileName(), " Saved."));
    return true;
}

void ListCommands::SaveAsButtonClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    if (const auto fileName = AskSaveFileName(*list, true))
        SaveNewFile(*list, *fileName);
    AddSavedFileToExplorer(list->GetFileName());
    form_.RefreshTabs();
}

std::string ListCommands::DefaultListFileName() const
{
    const TBaseCustomListClass* list = form_.CurrentList();
    return list ? DefaultListFileName(*list) : std::string();
}

std::string ListCommands::DefaultListFileName(const TBaseCustomListClass& list) const
{
    // A "/" in the owner or platform must not make the rest of the name a folder.
    const std::string owner = SafeNamePart(list.GetOwner());
    const std::string platform = SafeNamePart(list.GetPlatform());
    std::string name;
    switch (SettingToInteger(Setting(setting::SaveAsFormat))) {
    case 0:
        name = owner + " " + platform;
        break;
    case 1:
        name = platform + " " + owner;
        break;
    case 2:
        name = platform;
        break;
    default:
        break;
    }
    switch (SettingToInteger(Setting(setting::AppendListType))) {
    case 0:
        return name + " " + list.GetListType();
    case 1:
        return list.GetListType() + " " + name;
    default:
        return name;
    }
}

void ListCommands::AddSavedFileToExplorer(const Path& fileName)
{
    if (fileName.empty())
        return;
    const std::string folder = Cp1252::ToUpper(ExtractFilePath(fileName).Bytes());
    const std::pair<const char*, ExplorerRoot> roots[] = {
        {setting::MasterCartPath, ExplorerRoot::Masters},
        {setting::CartPath, ExplorerRoot::Media},
        {setting::HardwarePath, ExplorerRoot::Hardware},
    };
    for (const auto& [key, root] : roots) {
        // The saved file's name has its links resolved; the setting may reach the folder through one.
        const Path setting = form_.Settings().GetFolder(key);
        if (folder == Cp1252::ToUpper(WithTrailingSlash(setting).Bytes()) ||
            folder == Cp1252::ToUpper(WithTrailingSlash(ListIdentity(setting)).Bytes())) {
            form_.AddExplorerFileNode(root, fileName);
            return;
        }
    }
}

bool ListCommands::SaveForClose(TBaseCustomListClass& list, bool backup)
{
    try {
        if (!list.GetFileName().empty()) {
            SaveListObject(&list, list.GetFileName(), backup, true);
            return true;
        }
        const auto fileName = AskSaveFileName(list, true);
        return fileName && SaveNewFile(list, *fileName);
    } catch (const std::exception& e) {
        Messages().Error(ErrorText(e));
        return false;
    }
}

static QString ChangedLabel(const TBaseCustomListClass& list)
{
    return TextWithPath(list.GetPlatform() + " (", list.GetFileName(), ")");
}

bool ListCommands::AskToSave(TBaseCustomListClass& list, bool backup)
{
    switch (Messages().Ask(ChangedLabel(list) + ToQString(" Has changed.  Save Changes?"))) {
    case Answer::Yes:
        return SaveForClose(list, backup);
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool ListCommands::CloseListMainMenuClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return true;
    const QString label = ChangedLabel(*list);
    if (IsListObjectModified(list) && !AskToSave(*list, Backup())) {
        form_.RefreshTabs();
        return false;
    }
    form_.CloseList(*list);
    form_.ShowStatusText(label + ToQString(" Closed."));
    return true;
}

bool ListCommands::SaveChangedLists()
{
    const bool backup = Backup();
    for (const auto& list : form_.OpenLists()) {
        if (!IsListObjectModified(list.get()))
            continue;
        if (!AskToSave(*list, backup))
            return false;
    }
    return true;
}

bool ListCommands::CloseAllListsMainMenuClick()
{
    if (!SaveChangedLists()) {
        if (!form_.IsClosing())
            form_.RefreshTabs();
        return false;
    }
    form_.CloseAllLists();
    form_.SetStatusText("All Lists Closed.");
    return true;
}

void ListCommands::ListPropertiesTabPopupMenuClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    ListPropertyValues values {list->GetListType(), list->GetPlatform(), list->GetOwner(), list->GetDescription()};
    if (EditListProperties(values)) {
        if (values.platform != list->GetPlatform())
            list->SetPlatform(values.platform);
        if (values.owner != list->GetOwner())
            list->SetOwner(values.owner);
        if (values.description != list->GetDescription())
            list->SetDescription(values.description);
    }
    // The tab shows the platform and owner just changed, not the old ones.
    form_.RefreshTabs();
}

}  // namespace quorvel
