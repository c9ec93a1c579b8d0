// The entries of the recent-files list in its menus: building, captions and clicks.
#include "ui/window/MRUFileList.h"

#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"

#include <QWidget>

namespace quorvel {

namespace {

constexpr char kAccelerators[] = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A "&" of a file name is a character of the name, not an accelerator mark.
QString Literal(QString text) { return text.replace('&', "&&"); }

// Qt marks a menu that was shown with nothing in it (a zero size) as lying outside the screen and
// never clears the mark, so that it never shows again; once it holds entries it must open at once.
void LetShowAgain(QWidget* menu)
{
    if (menu && !menu->isVisible())
        menu->setAttribute(Qt::WA_OutsideWSRange, false);
}

}  // namespace

TMRUMenuItem::TMRUMenuItem(TdfsMRUFileList* owner, const QString& caption, QObject* parent)
    : QAction(caption, parent), FullCaption(caption), MRUOwner(owner)
{
}

TMRUMenuItem::~TMRUMenuItem()
{
    // No failure of a handler may leave a destructor.
    try {
        if (MRUOwner)
            RunCommand([this] { MRUOwner->DoDestroyMRUItem(this); });
    } catch (...) {
    }
    delete submenu_;
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

QString TdfsMRUFileList::CutMiddle(const QString& text, int widest) const
{
    if (MeasureText(text) <= widest)
        return text;
    // As many characters kept on each side as the width allows.
    const QString mark = QStringLiteral("\u2026");
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype keep = (low + high + 1) / 2;
        if (MeasureText(text.left(keep - keep / 2) + mark + text.right(keep / 2)) <= widest)
            low = keep;
        else
            high = keep - 1;
    }
    return text.left(low - low / 2) + mark + text.right(low / 2);
}

QString TdfsMRUFileList::MenuCaption(const QString& path, int widest) const
{
    return CutMiddle(maxCaptionWidth_ > 0 ? ShortenPath(path, maxCaptionWidth_) : path, widest);
}

QString TdfsMRUFileList::DisplayCaption(size_t index, const QString& fullCaption, int widest)
{
    const QString accelerator = GetAccelerator(int(index));
    const QString path = PathToQString(Path(items_[index]));
    switch (mruDisplay_) {
    case mdFullPath:
        break;
    case mdFileNameExt:
    case mdFileNameOnly: {
        // The part of the full caption after its last folder separator: without one, the accelerator
        // stays in front.
        const qsizetype slash = path.lastIndexOf('/');
        QString name = path.mid(slash + 1);
        if (mruDisplay_ == mdFileNameOnly && name.lastIndexOf('.') >= 0)
            name.truncate(name.lastIndexOf('.'));
        return (slash < 0 ? accelerator : QString()) + Literal(CutMiddle(name, widest));
    }
    case mdCustom: {
        QString shown = fullCaption;
        DoGetDisplayName(items_[index], shown);
        return shown;
    }
    }
    return accelerator + Literal(MenuCaption(path, widest));
}

void TdfsMRUFileList::Insert(QWidget* target, qsizetype& position, QAction* entry)
{
    const QList<QAction*> actions = target->actions();
    target->insertAction(position < actions.size() ? actions[position] : nullptr, entry);
    ++position;
}

TMRUMenuItem* TdfsMRUFileList::NewSeparator(QWidget* parent)
{
    auto* separator = new TMRUMenuItem(this, "-", parent);
    // A separator with a text is drawn as a section heading.
    separator->setText({});
    separator->setSeparator(true);
    return separator;
}

QWidget* TdfsMRUFileList::MainTarget(qsizetype* position) const
{
    if (!fileMenu_)
        return nullptr;
    if (QMenu* own = fileMenu_->menu(); own && !own->actions().isEmpty()) {
        if (position)
            *position = own->actions().size();
        return own;
    }
    for (QObject* holder : fileMenu_->associatedObjects()) {
        if (auto* menu = qobject_cast<QWidget*>(holder)) {
            if (position)
                *position = menu->actions().indexOf(fileMenu_);
            return menu;
        }
    }
    return nullptr;
}

void TdfsMRUFileList::PopulateMenu()
{
    if (!fileMenu_ && !popupMenu_)
        return;
    RemoveMenuItems();
    if (items_.empty())
        return;
    const int widest = WidestCaption();
    qsizetype position = 0;
    if (QWidget* target = MainTarget(&position)) {
        if (insertSeparator_)
            Insert(target, position, NewSeparator(target));
        if (useSubmenu_) {
            auto* entry = new TMRUMenuItem(this, submenuName_, target);
            entry->submenu_ = new QMenu(target);
            entry->setMenu(entry->submenu_);
            Insert(target, position, entry);
            target = entry->submenu_;
            position = 0;
        }
        AddFileEntries(target, position, widest);
        if (showClearItem_ || showRemoveObsolete_) {
            TMRUMenuItem* separator = NewSeparator(target);
            DoCreateMRUItem(separator);
            Insert(target, position, separator);
        }
        if (showClearItem_)
            AddCommand(target, position, clearItemName_.isEmpty() ? "&Clear MRU List" : clearItemName_,
                       &TdfsMRUFileList::ClearAllItems);
        if (showRemoveObsolete_)
            AddCommand(target, position, removeObsoleteName_.isEmpty() ? "&Remove Obsolete" : removeObsoleteName_,
                       &TdfsMRUFileList::RemoveObsoleteItems);
        LetShowAgain(target);
    }
    if (popupMenu_) {
        position = 0;
        AddFileEntries(popupMenu_, position, widest);
        LetShowAgain(popupMenu_);
    }
}

void TdfsMRUFileList::AddFileEntries(QWidget* target, qsizetype& position, int widest)
{
    for (size_t i = 0; i < items_.size(); ++i) {
        auto* entry = new TMRUMenuItem(this, GetAccelerator(int(i)) + PathToQString(Path(items_[i])), target);
        entry->setText(OneLine(DisplayCaption(i, entry->FullCaption, widest)));
        entry->ItemNumber = std::uint8_t(i + 1);
        connect(entry, &QAction::triggered, this, Guarded([this, entry] { Click([&] { MRUItemClick(entry); }); }));
        DoCreateMRUItem(entry);
        Insert(target, position, entry);
    }
}

void TdfsMRUFileList::AddCommand(QWidget* target, qsizetype& position, const QString& caption,
                                 void (TdfsMRUFileList::*run)())
{
    auto* entry = new TMRUMenuItem(this, caption, target);
    connect(entry, &QAction::triggered, this, Guarded([this, run] { Click([&] { (this->*run)(); }); }));
    DoCreateMRUItem(entry);
    Insert(target, position, entry);
}

void TdfsMRUFileList::RemoveMenuItems()
{
    for (QWidget* menu : {MainTarget(nullptr), static_cast<QWidget*>(popupMenu_.data())}) {
        if (!menu)
            continue;
        const QList<QAction*> actions = menu->actions();
        for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
            auto* entry = qobject_cast<TMRUMenuItem*>(*it);
            if (!entry || entry->MRUOwner != this)
                continue;
            menu->removeAction(entry);
            if (clicking_) {
                entry->disconnect(this);
                entry->deleteLater();
            } else {
                delete entry;
            }
        }
    }
}

void TdfsMRUFileList::Click(const std::function<void()>& run)
{
    struct Restore {
        bool& flag;
        bool old;
        ~Restore() { flag = old; }
    } restore {clicking_, clicking_};
    clicking_ = true;
    run();
}

void TdfsMRUFileList::MRUItemClick(TMRUMenuItem* item)
{
    const size_t index = size_t(item->ItemNumber) - 1;
    if (item->ItemNumber == 0 || index >= items_.size())
        return;
    const std::string name = items_[index];
    if (removeOnClick_) {
        items_.erase(items_.begin() + std::ptrdiff_t(index));
        PopulateMenu();
    }
    DoMRUItemClick(name);
}

}  // namespace quorvel
