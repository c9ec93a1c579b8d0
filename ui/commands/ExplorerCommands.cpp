#include "ui/commands/ExplorerCommands.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "platform/FileNames.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/explorer/CollectionExplorerGroups.h"
#include "ui/window/MenuNames.h"
#include "ui/commands/ListCommands.h"

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTimer>

#include <filesystem>

namespace quorvel {

namespace {

const ExplorerNodeData* Data(const QTreeWidgetItem* node) { return CollectionExplorer::NodeData(node); }

// Loading dropped files: further drops are refused and the grid is disabled until the loading ends,
// however it ends.
class LoadingScope {
public:
    LoadingScope(bool& loading, QWidget& grid) : loading_(loading), grid_(grid)
    {
        loading_ = true;
        grid_.setEnabled(false);
    }
    ~LoadingScope()
    {
        loading_ = false;
        grid_.setEnabled(true);
    }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& loading_;
    QWidget& grid_;
};

}  // namespace

ExplorerCommands::ExplorerCommands(MainFormAccess& form) : CommandGroup(form), tree_(form.Explorer())
{
    ExplorerPopupMenu = form.Window().findChild<QMenu*>(entry::ExplorerPopupMenu);
    LoadFilesTimer = new QTimer(this);
    LoadFilesTimer->setObjectName("LoadFilesTimer");
    LoadFilesTimer->setInterval(100);
    LoadFilesTimer->setSingleShot(true);
    connect(LoadFilesTimer, &QTimer::timeout, this, CommandSlot([this] { LoadFilesTimerTimer(); }));

    Connect(entry::OpenExplorerFile, [this] { OpenExplorerFileClick(); });
    Connect(entry::NewGroupExplorerPopupMenu, [this] { NewGroupExplorerPopupMenuClick(); });
    Connect(entry::RemoveFromGroupExplorerPopupMenu, [this] { RemoveFromGroupExplorerPopupMenuClick(); });
    Connect(entry::DeleteExplorerFile, [this] { DeleteExplorerFileClick(); });
    Connect(entry::RefreshExplorerPopupMenu, [this] { RefreshExplorerPopupMenuClick(); });
    Connect(entry::HideExplorerExplorerPopupMenu, [this] { HideExplorerExplorerPopupMenuClick(); });
    for (const char* name : {entry::CollectionExplorerMainMenu, entry::CollectionExplorerPopupMenu})
        Connect(name, [this, name] { CollectionExplorerMainMenuClick(*form_.Action(name)); });
    for (const char* name : {entry::GridLinesMainMenu, entry::GridLinesPopupMenu})
        Connect(name, [this, name] { GridLinesMainMenuClick(*form_.Action(name)); });

    connect(&tree_, &QTreeWidget::currentItemChanged, this, Guarded([this] { CollectionTVChange(); }));
    connect(&tree_, &QTreeWidget::itemClicked, this, Guarded([this] { CollectionTVChange(); }));
    connect(&tree_, &QWidget::customContextMenuRequested, this, Guarded([this](const QPoint& p) { ShowPopup(p); }));
    if (ExplorerPopupMenu)
        connect(ExplorerPopupMenu, &QMenu::aboutToShow, this, Guarded([this] { UpdateExplorerMenuState(); }));
    tree_.viewport()->installEventFilter(this);
    form_.Grid().viewport()->setAcceptDrops(true);
    form_.Grid().viewport()->installEventFilter(this);
}

// The window's refresh ends with UpdateGroupMenuState, and so with the popup's own rules.
void ExplorerCommands::CollectionTVChange() { form_.UpdateMenuState(); }

void ExplorerCommands::UpdateGroupMenuState() { UpdateExplorerMenuState(); }

void ExplorerCommands::ShowPopup(const QPoint& where)
{
    // A right click selects the node under the mouse first.
    if (QTreeWidgetItem* node = tree_.itemAt(where))
        tree_.setCurrentItem(node);
    CollectionTVChange();
    if (ExplorerPopupMenu)
        ExplorerPopupMenu->popup(tree_.viewport()->mapToGlobal(where));
}

void ExplorerCommands::UpdateExplorerMenuState()
{
    const QTreeWidgetItem* node = tree_.currentItem();
    const ExplorerNodeData* data = Data(node);
    const bool named = data && !data->FileName.empty();
    const bool groupsRoot = data && data->Kind == ekGroup && !node->parent();
    const bool member = data && node->parent() && data->Kind == ekListFile && Data(node->parent()) &&
        Data(node->parent())->Kind == ekGroup;
    const std::pair<const char*, bool> rules[] = {{entry::OpenExplorerFile, named},
                                                  {entry::DeleteExplorerFile, named},
                                                  {entry::NewGroupExplorerPopupMenu, groupsRoot},
                                                  {entry::RemoveFromGroupExplorerPopupMenu, member},
                                                  {entry::RefreshExplorerPopupMenu, true},
                                                  {entry::HideExplorerExplorerPopupMenu, true}};
    for (const auto& [name, enabled] : rules)
        if (QAction* action = form_.Action(name))
            action->setEnabled(enabled);
}

void ExplorerCommands::OpenFiles(const std::vector<Path>& files)
{
    for (const Path& file : files)
        RunCommand([&] { form_.OpenListFile(file); });
}

void ExplorerCommands::OpenExplorerFileClick()
{
    QTreeWidgetItem* node = tree_.currentItem();
    const ExplorerNodeData* data = Data(node);
    if (!data || data->FileName.empty())
        return;
    if (data->Kind == ekGroup) {
        OpenGroup(node, false);
    } else if (data->Kind == ekListFile) {
        OpenFiles({data->FileName});
        form_.RefreshTabs();
    } else if (data->Kind == ekReport && data->Category == ecReport) {
        OpenDocument(PathToQString(data->FileName));
    }
}

void ExplorerCommands::OpenGroup(QTreeWidgetItem* groupNode, bool deferred)
{
    PendingFiles.clear();
    std::vector<Path> members;
    for (int i = 0; groupNode && i < groupNode->childCount(); ++i)
        if (const ExplorerNodeData* data = Data(groupNode->child(i)))
            members.push_back(data->FileName);
    if (deferred) {
        PendingFiles = members;
        LoadFilesTimer->start();
        return;
    }
    OpenFiles(members);
    form_.RefreshTabs();
}

void ExplorerCommands::DeleteExplorerFileClick()
{
    QTreeWidgetItem* node = tree_.currentItem();
    const ExplorerNodeData* data = Data(node);
    if (!data || data->FileName.empty() || data->Kind < ekGroup || data->Kind > ekReport)
        return;
    const Path file = data->FileName;
    // Compared by identity: a list open under another spelling of its path is never deleted.
    const Path identity = ListCommands::ListIdentity(file);
    for (const auto& list : form_.OpenLists()) {
        const Path& opened = list->GetOpenedFileName();
        if (!opened.empty() && ListCommands::ListIdentity(opened) == identity) {
            Messages().Warning("You cannot DELETE " + PathToQString(file) + " because it is currently open.");
            return;
        }
    }
    if (!Messages().Confirm("Are you sure you want to DELETE permantly " + PathToQString(file) + "?"))
        return;
    std::error_code error;
    if (!std::filesystem::remove(file.Bytes(), error) || error) {
        Messages().Warning("Could not DELETE " + PathToQString(file) +
                           ".  This file may be read-only or you do not have permission to delete it.");
        return;
    }
    tree_.RemoveNode(node);
}

void ExplorerCommands::NewGroupExplorerPopupMenuClick()
{
    const auto answer = Input().InputBox("Enter New Group Name", "Group Name", "");
    if (!answer || answer->isEmpty())
        return;
    const std::string name = GroupNameFromAnswer(PathFromQString(*answer).Bytes());
    if (name.empty()) {
        // Only separators and dots, or characters no file name may hold: no group is made.
        Messages().Error("\"" + *answer + "\" cannot be used as a group name.");
        return;
    }
    const Path folder = tree_.GetCategoryFolder(ecGroup);
    const std::string extension = CollectionExplorer::GetCategoryExtension(ecGroup);
    // The name holds the file system's bytes (it came through PathFromQString).
    const Path fileName(name + extension);
    if (FindFileNoCase(folder, fileName)) {
        Messages().Error("The Group " + PathToQString(Path(name)) + " already exists.");
        return;
    }
    const Path file = JoinPath(folder, fileName);
    // A new group holds one empty entry.
    WriteGroupFile(file, {std::string()});
    tree_.AddExplorerFileNode(tree_.Root(ExplorerRoot::Groups), file);
}

void ExplorerCommands::RemoveFromGroupExplorerPopupMenuClick()
{
    QTreeWidgetItem* node = tree_.currentItem();
    const ExplorerNodeData* data = Data(node);
    QTreeWidgetItem* group = node ? node->parent() : nullptr;
    const ExplorerNodeData* groupData = Data(group);
    if (!data || !groupData || data->Kind != ekListFile || groupData->Kind != ekGroup)
        return;
    if (!Messages().Confirm(ToQString("Are you sure you want to remove " + CollectionExplorer::Caption(node) +
                                      " from the group " + CollectionExplorer::Caption(group) + "?")))
        return;
    RemoveFileFromGroup(groupData->FileName, data->FileName);
    tree_.RemoveNode(node);
}

void ExplorerCommands::RefreshExplorerPopupMenuClick() { tree_.BuildExplorerTree(); }

void ExplorerCommands::HideExplorerExplorerPopupMenuClick()
{
    form_.Settings().SetSetting(setting::ShowCollectionExplorer, "0");
    form_.ApplyViewOptions();
}

// Qt has already toggled a checkable entry when it reports the click: its new state is the setting.
void ExplorerCommands::CollectionExplorerMainMenuClick(const QAction& entry)
{
    form_.Settings().SetSetting(setting::ShowCollectionExplorer, entry.isChecked() ? "1" : "0");
    form_.ApplyViewOptions();
}

void ExplorerCommands::GridLinesMainMenuClick(const QAction& entry)
{
    form_.Settings().SetSetting(setting::ShowGrid, entry.isChecked() ? "1" : "0");
    form_.ApplyViewOptions();
}

bool ExplorerCommands::AcceptsGroupDrop(bool loading, const QTreeWidgetItem* dragged, const QTreeWidgetItem* target)
{
    const ExplorerNodeData* from = Data(dragged);
    const ExplorerNodeData* to = Data(target);
    return !loading && from && dragged->parent() && (from->Kind == ekListFile || from->Kind == ekReport) && to &&
        target->parent() && to->Kind == ekGroup;
}

bool ExplorerCommands::AcceptsGridDrop(bool loading, const QTreeWidgetItem* dragged)
{
    const ExplorerNodeData* data = Data(dragged);
    return !loading && data && (data->Kind == ekListFile || (data->Kind == ekGroup && dragged->parent()));
}

void ExplorerCommands::CollectionTVDragDrop(const QTreeWidgetItem* dragged, QTreeWidgetItem* target)
{
    if (!AcceptsGroupDrop(LoadingFiles, dragged, target))
        return;
    const ExplorerNodeData& from = *Data(dragged);
    // A report is shown as acceptable while dragging, but only lists join a group.
    if (from.Category != ecMedia && from.Category != ecHardware)
        return;
    if (AddFileToGroup(Data(target)->FileName, from.FileName))
        tree_.ReloadGroup(target);
}

void ExplorerCommands::CartListViewDragDrop(const QTreeWidgetItem* dragged)
{
    if (!AcceptsGridDrop(LoadingFiles, dragged))
        return;
    const ExplorerNodeData& data = *Data(dragged);
    if (dragged->parent() && data.Kind == ekGroup) {
        OpenGroup(const_cast<QTreeWidgetItem*>(dragged), true);
        return;
    }
    PendingFiles.clear();
    if (dragged->parent()) {
        PendingFiles.push_back(data.FileName);
    } else {
        // A folder root: every list file below it.
        for (int i = 0; i < dragged->childCount(); ++i)
            if (const ExplorerNodeData* child = Data(dragged->child(i)))
                PendingFiles.push_back(child->FileName);
    }
    LoadFilesTimer->start();
}

void ExplorerCommands::LoadFilesTimerTimer()
{
    LoadFilesTimer->stop();
    if (form_.IsClosing())
        return;
    {
        LoadingScope loading(LoadingFiles, form_.Grid());
        OpenFiles(PendingFiles);
    }
    form_.RefreshTabs();
}

bool ExplorerCommands::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return CommandGroup::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    // Files dragged from elsewhere are not the explorer's business.
    if (!drop->mimeData() || !drop->mimeData()->hasFormat(CollectionExplorer::DragFormat()))
        return false;
    const QTreeWidgetItem* dragged = drop->source() == &tree_ ? tree_.DraggedNode() : nullptr;
    bool accepted = false;
    if (watched == tree_.viewport()) {
        QTreeWidgetItem* target = tree_.itemAt(drop->position().toPoint());
        // Entering must be accepted for the moves over groups to be asked about.
        accepted =
            type == QEvent::DragEnter ? !LoadingFiles && dragged : AcceptsGroupDrop(LoadingFiles, dragged, target);
        if (accepted && type == QEvent::Drop)
            RunCommand([&] { CollectionTVDragDrop(dragged, target); });
    } else {
        accepted = AcceptsGridDrop(LoadingFiles, dragged);
        if (accepted && type == QEvent::Drop)
            RunCommand([&] { CartListViewDragDrop(dragged); });
    }
    if (accepted)
        drop->acceptProposedAction();
    else
        drop->ignore();
    return true;
}

}  // namespace quorvel
