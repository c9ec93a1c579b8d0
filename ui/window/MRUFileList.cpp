#include "ui/window/MRUFileList.h"

#include "platform/FileNames.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/RecentFilesStore.h"

#include <QApplication>
#include <QScreen>
#include <QFontMetrics>
#include <QMenu>

#include <algorithm>
#include <optional>

namespace quorvel {

namespace {

constexpr char kAccelerators[] = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

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

}  // namespace

TMRUMenuItem::TMRUMenuItem(TdfsMRUFileList* owner, const QString& caption, QObject* parent)
    : QAction(caption, parent), FullCaption(caption), MRUOwner(owner)
{
}

TdfsMRUFileList::TdfsMRUFileList(RecentFilesStore& store, QObject* parent) : QObject(parent), store_(store)
{
    MeasureText = [](const QString& text) { return QFontMetrics(QApplication::font("QMenu")).horizontalAdvance(text); };
    WidestCaption = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return std::max(200, screen ? screen->availableGeometry().width() / 2 : 0);
    };
}

TdfsMRUFileList::~TdfsMRUFileList() { RemoveMenuItems(); }

void TdfsMRUFileList::SetMaximum(int maximum)
{
    maximum = std::clamp(maximum, 0, 255);
    if (maximum < maximum_ && items_.size() > size_t(maximum)) {
        items_.resize(size_t(maximum));
        maximum_ = maximum;
        PopulateMenu();
    }
    maximum_ = maximum;
}

void TdfsMRUFileList::SetFileMenu(QMenu* menu)
{
    RemoveMenuItems();
    fileMenu_ = menu;
    PopulateMenu();
}

void TdfsMRUFileList::AddItem(const std::string& fileName)
{
    const auto found = std::find(items_.begin(), items_.end(), fileName);
    if (found == items_.end()) {
        items_.insert(items_.begin(), fileName);
        if (items_.size() > size_t(maximum_))
            items_.resize(size_t(maximum_));
    } else {
        std::rotate(items_.begin(), found, found + 1);
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
    const auto gone =
        std::remove_if(items_.begin(), items_.end(), [](const std::string& name) { return !FileExists(name); });
    if (gone == items_.end())
        return;
    items_.erase(gone, items_.end());
    PopulateMenu();
}

bool TdfsMRUFileList::Load()
{
    ClearAllItems();
    if (AutoSaveName.isEmpty() || AutoSaveKey.isEmpty())
        return false;
    auto values = store_.Read(AutoSaveName, AutoSaveKey);
    // "F10" after "F2"; values named otherwise follow in the store's order.
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        const auto na = ValueNumber(a.first), nb = ValueNumber(b.first);
        if (na && nb)
            return *na < *nb;
        return na.has_value() && !nb.has_value();
    });
    for (const auto& [name, value] : values) {
        if (items_.size() >= size_t(maximum_))
            break;
        const std::string path = PathFromQString(value);
        if (!path.empty() && std::find(items_.begin(), items_.end(), path) == items_.end())
            items_.push_back(path);
    }
    PopulateMenu();
    return true;
}

bool TdfsMRUFileList::Save()
{
    if (AutoSaveName.isEmpty() || AutoSaveKey.isEmpty())
        return false;
    RecentFilesStore::Values values;
    for (size_t i = 0; i < items_.size(); ++i)
        values.emplace_back("F" + QString::number(i), PathToQString(items_[i]));
    return store_.Replace(AutoSaveName, AutoSaveKey, values);
}

QString TdfsMRUFileList::GetAccelerator(int index)
{
    if (index < 0 || index >= int(sizeof(kAccelerators)) - 1)
        return {};
    return QString("&") + QChar(kAccelerators[index]) + ' ';
}

QString TdfsMRUFileList::ShortenPath(const QString& path, int width) const
{
    const int cut = int(path.lastIndexOf('/')) + 1;
    QString folder = path.left(cut);
    const QString name = path.mid(cut);
    QString text = path;
    while (!folder.isEmpty() && MeasureText(text) > width) {
        if (folder == "/.../") {
            folder = ".../";
        } else {
            const bool rooted = folder.startsWith('/');
            if (rooted)
                folder.remove(0, 1);
            if (folder.startsWith(".../"))
                folder.remove(0, 4);
            const int next = int(folder.indexOf('/'));
            folder = next < 0 ? QString() : ".../" + folder.mid(next + 1);
            if (rooted && !folder.isEmpty())
                folder.prepend('/');
        }
        text = folder + name;
    }
    return text;
}

TMRUMenuItem* TdfsMRUFileList::AddEntry(const QString& caption)
{
    auto* entry = new TMRUMenuItem(this, caption, fileMenu_);
    fileMenu_->addAction(entry);
    return entry;
}

QString TdfsMRUFileList::MenuCaption(const QString& path, int widest) const
{
    QString shown = MaxCaptionWidth > 0 ? ShortenPath(path, MaxCaptionWidth) : path;
    if (MeasureText(shown) <= widest)
        return shown;
    // The longest middle cut that fits: as many characters kept on each side as the width allows.
    const QString mark = QStringLiteral("\u2026");
    qsizetype low = 0, high = shown.size();
    while (low < high) {
        const qsizetype keep = (low + high + 1) / 2;
        const QString cut = shown.left(keep - keep / 2) + mark + shown.right(keep / 2);
        if (MeasureText(cut) <= widest)
            low = keep;
        else
            high = keep - 1;
    }
    return shown.left(low - low / 2) + mark + shown.right(low / 2);
}

void TdfsMRUFileList::PopulateMenu()
{
    const int widest = WidestCaption();
    if (!fileMenu_)
        return;
    RemoveMenuItems();
    if (items_.empty())
        return;
    AddEntry({})->setSeparator(true);
    for (size_t i = 0; i < items_.size(); ++i) {
        const QString path = PathToQString(items_[i]);
        const QString accelerator = GetAccelerator(int(i));
        const QString shown = MenuCaption(path, widest);
        // A "&" of the path is a character of the name, not an accelerator mark.
        TMRUMenuItem* entry = AddEntry(accelerator + QString(shown).replace('&', "&&"));
        entry->FullCaption = accelerator + path;
        entry->ItemNumber = int(i) + 1;
        connect(entry, &QAction::triggered, this, Guarded([this, entry] { MRUItemClick(entry); }));
    }
    AddEntry({})->setSeparator(true);
    connect(AddEntry(ClearItemName.isEmpty() ? "&Clear MRU List" : ClearItemName), &QAction::triggered, this,
            Guarded([this] { ClearAllItems(); }));
    connect(AddEntry(RemoveObsoleteName.isEmpty() ? "&Remove Obsolete" : RemoveObsoleteName), &QAction::triggered, this,
            Guarded([this] { RemoveObsoleteItems(); }));
}

void TdfsMRUFileList::RemoveMenuItems()
{
    if (!fileMenu_)
        return;
    const QList<QAction*> actions = fileMenu_->actions();
    for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
        auto* entry = qobject_cast<TMRUMenuItem*>(*it);
        if (!entry || entry->MRUOwner != this)
            continue;
        fileMenu_->removeAction(entry);
        // Deleted later: the entry whose click led here is still inside its own signal.
        entry->disconnect(this);
        entry->deleteLater();
    }
}

void TdfsMRUFileList::MRUItemClick(TMRUMenuItem* item)
{
    const size_t index = size_t(item->ItemNumber - 1);
    if (index >= items_.size())
        return;
    const std::string name = OnMRUItemClick ? items_[index] : std::string();
    items_.erase(items_.begin() + std::ptrdiff_t(index));
    PopulateMenu();
    if (OnMRUItemClick)
        OnMRUItemClick(name);
}

}  // namespace quorvel
