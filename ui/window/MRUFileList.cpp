#include "ui/window/MRUFileList.h"

#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

#include <algorithm>
#include <optional>

namespace quorvel {

namespace {

// The number of a value named "F" + digits; nothing for any other name.
std::optional<long long> ValueNumber(const QString& name)
{
    if (name.size() < 2 || name[0] != 'F')
        return std::nullopt;
    bool ok = false;
    const long long n = name.mid(1).toLongLong(&ok);
    if (!ok || !name[1].isDigit())
        return std::nullopt;
    return n;
}

struct RootPair {
    TRootKey key;
    RegistryRoot root;
};
constexpr RootPair kRoots[] = {
    {rkClassesRoot, RegistryRoot::ClassesRoot},     {rkCurrentUser, RegistryRoot::CurrentUser},
    {rkLocalMachine, RegistryRoot::LocalMachine},   {rkUsers, RegistryRoot::Users},
    {rkCurrentConfig, RegistryRoot::CurrentConfig}, {rkDynData, RegistryRoot::DynData},
};

}  // namespace

TdfsMRUFileList::TdfsMRUFileList(RecentFilesStore& store, QObject* owner) : QObject(owner), store_(store)
{
    MeasureText = [](const QString& text) { return QFontMetrics(QApplication::font("QMenu")).horizontalAdvance(text); };
    WidestCaption = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return std::max(200, screen ? screen->availableGeometry().width() / 2 : 0);
    };
}

TdfsMRUFileList::~TdfsMRUFileList()
{
    // A list that never became ready was never loaded: saving it would wipe the stored one.
    if (autoSave_ && !loading_) {
        try {
            RunCommand([this] {
                // The INI form throws its own error; the store only says that it failed.
                if (!Save() && useRegistry_ && !autoSaveName_.isEmpty() && !autoSaveKey_.isEmpty())
                    throw FileWriteError(PathFromQString(store_.FileName(autoSaveRoot_)));
            });
        } catch (...) {
        }
    }
    RemoveMenuItems();
}

void TdfsMRUFileList::Loaded()
{
    if (!loading_)
        return;
    loading_ = false;
    if (autoSave_)
        Load();
}

void TdfsMRUFileList::SetMaximum(std::uint8_t value)
{
    if (value < maximum_) {
        TrimTo(value);
        PopulateMenu();
    }
    maximum_ = value;
}

void TdfsMRUFileList::SetUseSubmenu(bool value) { Repopulate(useSubmenu_, value); }

void TdfsMRUFileList::SetInsertSeparator(bool value) { Repopulate(insertSeparator_, value); }

void TdfsMRUFileList::SetSubmenuName(const QString& value)
{
    if (value == submenuName_)
        return;
    submenuName_ = value;
    if (useSubmenu_)
        PopulateMenu();
}

void TdfsMRUFileList::SetFileMenu(QAction* value)
{
    RemoveMenuItems();
    fileMenu_ = value;
    PopulateMenu();
}

void TdfsMRUFileList::SetPopupMenu(QMenu* value)
{
    RemoveMenuItems();
    popupMenu_ = value;
    PopulateMenu();
}

void TdfsMRUFileList::SetAutoSaveName(const QString& value)
{
    if (value == autoSaveName_)
        return;
    autoSaveName_ = value;
    if (useRegistry_ && !autoSaveName_.startsWith('\\'))
        autoSaveName_.prepend('\\');
    if (CanLoad())
        Load();
}

void TdfsMRUFileList::SetAutoSaveKey(const QString& value)
{
    if (value == autoSaveKey_)
        return;
    autoSaveKey_ = value;
    if (CanLoad())
        Load();
}

TRootKey TdfsMRUFileList::AutoSaveRootKey() const
{
    for (const RootPair& pair : kRoots)
        if (pair.root == autoSaveRoot_)
            return pair.key;
    return rkCurrentUser;
}

void TdfsMRUFileList::SetAutoSaveRootKey(TRootKey value)
{
    for (const RootPair& pair : kRoots)
        if (pair.key == value)
            autoSaveRoot_ = pair.root;
    if (autoSave_)
        Load();
}

void TdfsMRUFileList::SetMaxCaptionWidth(int value) { Repopulate(maxCaptionWidth_, value); }

// New captions for the same names: reloading would lose the names added since the last save.
void TdfsMRUFileList::SetMRUDisplay(TMRUDisplay value) { Repopulate(mruDisplay_, value); }

void TdfsMRUFileList::TrimTo(size_t count)
{
    if (items_.size() <= count)
        return;
    const auto excess = std::ptrdiff_t(items_.size() - count);
    if (addToTop_)
        items_.erase(items_.end() - excess, items_.end());
    else
        items_.erase(items_.begin(), items_.begin() + excess);
}

void TdfsMRUFileList::AddItem(const std::string& fileName)
{
    const auto found = std::find(items_.begin(), items_.end(), fileName);
    if (found == items_.end()) {
        items_.insert(addToTop_ ? items_.begin() : items_.end(), fileName);
        TrimTo(maximum_);
    } else if (addToTop_) {
        std::rotate(items_.begin(), found, found + 1);
    } else {
        std::rotate(found, found + 1, items_.end());
    }
    PopulateMenu();
}

void TdfsMRUFileList::ClearAllItems()
{
    RemoveMenuItems();
    items_.clear();
}

void TdfsMRUFileList::RemoveObsoleteItems()
{
    bool removed = false;
    for (size_t i = items_.size(); i-- > 0;) {
        bool remove = false;
        if (OnRemoveObsolete)
            DoRemoveObsolete(items_[i], remove);
        else
            remove = !FileExists(Path(items_[i]));
        if (remove) {
            items_.erase(items_.begin() + std::ptrdiff_t(i));
            removed = true;
        }
    }
    if (removed)
        PopulateMenu();
}

bool TdfsMRUFileList::Load()
{
    ClearAllItems();
    if (autoSaveName_.isEmpty() || autoSaveKey_.isEmpty())
        return false;
    std::vector<std::string> names;
    if (useRegistry_) {
        auto values = store_.Read(autoSaveRoot_, autoSaveName_, autoSaveKey_);
        // The store lists its values by name ("F10" before "F2"): "F" + number in number order, values
        // named otherwise after them.
        std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
            const auto na = ValueNumber(a.first), nb = ValueNumber(b.first);
            if (na && nb)
                return *na < *nb;
            return na.has_value() && !nb.has_value();
        });
        for (const auto& value : values)
            names.push_back(value.second.toStdString());
    } else {
        for (auto& pair : IniFile::Load(PathFromQString(autoSaveName_)).SectionValues(FromQString(autoSaveKey_)))
            names.push_back(std::move(pair.second));
    }
    for (std::string& name : names)
        if (!name.empty() && std::find(items_.begin(), items_.end(), name) == items_.end())
            items_.push_back(std::move(name));
    TrimTo(maximum_);
    PopulateMenu();
    return true;
}

bool TdfsMRUFileList::Save()
{
    if (autoSaveName_.isEmpty() || autoSaveKey_.isEmpty())
        return false;
    if (useRegistry_) {
        RecentFilesStore::Values values;
        for (size_t i = 0; i < items_.size(); ++i)
            values.emplace_back("F" + QString::number(i), QByteArray::fromStdString(items_[i]));
        return store_.Replace(autoSaveRoot_, autoSaveName_, autoSaveKey_, values);
    }
    const std::string section = FromQString(autoSaveKey_);
    IniFile ini = IniFile::Load(PathFromQString(autoSaveName_));
    if (items_.empty() && !ini.HasSection(section))
        return true;  // nothing to erase: the file is not touched, nor created
    ini.EraseSection(section);
    for (size_t i = 0; i < items_.size(); ++i)
        ini.SetValue(section, "F" + std::to_string(i), items_[i]);
    ini.Save();
    return true;
}

void TdfsMRUFileList::DoGetDisplayName(const std::string& aFilename, QString& aDisplayName)
{
    if (OnGetDisplayName)
        OnGetDisplayName(aFilename, aDisplayName);
}

void TdfsMRUFileList::DoRemoveObsolete(const std::string& anItem, bool& remove)
{
    if (OnRemoveObsolete)
        OnRemoveObsolete(anItem, remove);
}

void TdfsMRUFileList::DoMRUItemClick(const std::string& aFilename)
{
    if (OnMRUItemClick)
        OnMRUItemClick(aFilename);
}

void TdfsMRUFileList::DoCreateMRUItem(TMRUMenuItem* item)
{
    if (OnCreateMRUItem)
        OnCreateMRUItem(item);
}

void TdfsMRUFileList::DoDestroyMRUItem(TMRUMenuItem* item)
{
    if (OnDestroyMRUItem)
        OnDestroyMRUItem(item);
}

}  // namespace quorvel
