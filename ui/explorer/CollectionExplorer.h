#pragma once

#include "ui/window/MainFormAccess.h"

#include <QTreeWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace quorvel {

class SettingsStore;
struct ListFilePeek;

// Node kinds and categories of the explorer's records.
enum ExplorerKind : int32_t { ekGroup = 1, ekListFile = 2, ekReport = 3, ekExports = 4 };
enum ExplorerCategory : int32_t {
    ecMedia = 0,
    ecHardware = 1,
    ecExport = 2,
    ecGroup = 3,
    ecReport = 4,
    ecInfo = 5,
    ecMaster = 6
};

// What a node stands for. Nodes without one (information lines, exported files, files that are no
// lists) can be neither opened, deleted nor dragged.
struct ExplorerNodeData {
    int32_t Kind = 0;
    int32_t Category = 0;
    Path FileName;  // empty for the six roots
};

// The Collection Explorer: the collector's files by folder under six fixed roots, group files with
// their members, and the information lines of every list. The commands on it live in ExplorerCommands.
class CollectionExplorer : public QTreeWidget {
    Q_OBJECT
public:
    CollectionExplorer(const SettingsStore& settings, QWidget* parent);

    // Empties the tree and builds the six roots with their files.
    void BuildExplorerTree();
    void RefreshExplorer() { BuildExplorerTree(); }
    // Adds one file at the end of Root's children unless a child already has its caption.
    void AddExplorerFileNode(QTreeWidgetItem* root, const Path& fileName);
    void AddExplorerFolder(QTreeWidgetItem* root, const Path& folder, const std::string& extension);
    // The four information lines, when Node stands for a list file.
    void AddListInfoNodes(QTreeWidgetItem* node, const Path& fileName);
    void LoadGroupMembers(QTreeWidgetItem* groupNode, const Path& groupFileName);
    // Adds the information lines of a list node that are still waiting; the first expansion does it.
    void ShowInfoLines(QTreeWidgetItem* node);
    // Reads the group's members again, keeping whether it was expanded.
    void ReloadGroup(QTreeWidgetItem* groupNode);

    Path GetCategoryFolder(int32_t category) const;
    static std::string GetCategoryExtension(int32_t category);

    // The width that shows the roots' captions and the names right under them whole.
    int FittingWidth() const;

    // The top-level node with exactly this caption, or null.
    QTreeWidgetItem* FindExplorerRoot(const std::string& caption) const;
    QTreeWidgetItem* Root(ExplorerRoot root) const;
    static const char* RootCaption(ExplorerRoot root);

    static const ExplorerNodeData* NodeData(const QTreeWidgetItem* node);
    // The file name up to its first ".", without its folder.
    static std::string NodeCaption(const Path& fileName);
    static std::string Caption(const QTreeWidgetItem* node);

    // The node being dragged from this tree, null when no drag runs.
    QTreeWidgetItem* DraggedNode() const { return dragged_; }
    // Removes a node with its children.
    void RemoveNode(QTreeWidgetItem* node);

    // The MIME type of a drag that started here.
    static const char* DragFormat();

protected:
    void startDrag(Qt::DropActions supportedActions) override;

private:
    static QTreeWidgetItem* NewNode(const std::string& caption, int image, std::optional<ExplorerNodeData> data);
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& caption, int image,
                             std::optional<ExplorerNodeData> data);
    // Adds the node for File under Root by the root's kind; Caption is its node caption.
    void AddFileNode(QTreeWidgetItem* root, const Path& fileName, const std::string& caption);
    // A list node (one peek for type and information lines), or a plain node with FallbackImage.
    void AddListNode(QTreeWidgetItem* parent, const Path& fileName, int fallbackImage);
    void AddInfoLines(QTreeWidgetItem* node, const ListFilePeek& peek);

    ListFilePeek Peek(const Path& fileName) const;

    const SettingsStore& settings_;
    std::unordered_map<Path, ListFilePeek>* buildPeeks_ = nullptr;
    QTreeWidgetItem* dragged_ = nullptr;
};

}  // namespace quorvel
