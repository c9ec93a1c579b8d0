#pragma once

#include "ui/window/MainFormAccess.h"

#include <string>
#include <vector>

class QMenu;
class QPoint;
class QTimer;
class QTreeWidgetItem;

namespace quorvel {

class CollectionExplorer;

// The Collection Explorer's commands: its popup, the two view toggles, dragging list files into
// groups and explorer nodes onto the grid, and the deferred opening of what was dropped.
class ExplorerCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit ExplorerCommands(MainFormAccess& form);

    void CollectionTVChange();
    void OpenExplorerFileClick();
    void NewGroupExplorerPopupMenuClick();
    void RemoveFromGroupExplorerPopupMenuClick();
    void DeleteExplorerFileClick();
    void RefreshExplorerPopupMenuClick();
    void HideExplorerExplorerPopupMenuClick();
    void CollectionExplorerMainMenuClick(const QAction& entry);
    void GridLinesMainMenuClick(const QAction& entry);
    // Opens the group's list members now, or queues them for the timer.
    void OpenGroup(QTreeWidgetItem* groupNode, bool deferred);

    // Which popup entries apply to the selected node.
    void UpdateExplorerMenuState();
    void UpdateGroupMenuState() override;

    // Drop rules: a list file or report onto a group, an explorer node onto the grid.
    static bool AcceptsGroupDrop(bool loading, const QTreeWidgetItem* dragged, const QTreeWidgetItem* target);
    static bool AcceptsGridDrop(bool loading, const QTreeWidgetItem* dragged);
    void CollectionTVDragDrop(const QTreeWidgetItem* dragged, QTreeWidgetItem* target);
    void CartListViewDragDrop(const QTreeWidgetItem* dragged);
    void LoadFilesTimerTimer();

    const std::vector<Path>& GetPendingFiles() const { return PendingFiles; }
    bool IsLoadingFiles() const { return LoadingFiles; }
    QTimer& GetLoadFilesTimer() { return *LoadFilesTimer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowPopup(const QPoint& where);
    // Each file on its own: one that fails shows its message and the others still open.
    void OpenFiles(const std::vector<Path>& files);

    CollectionExplorer& tree_;
    QMenu* ExplorerPopupMenu = nullptr;
    QTimer* LoadFilesTimer = nullptr;
    std::vector<Path> PendingFiles;
    bool LoadingFiles = false;
};

}  // namespace quorvel
