#include "ui/explorer/CollectionExplorer.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/ListFile.h"
#include "platform/FileList.h"
#include "platform/FileNames.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "ui/explorer/CollectionExplorerGroups.h"

#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <array>
#include <exception>
#include <unordered_map>

namespace quorvel {

namespace {

// Images of the tree, by index: media list, hardware list, exported file, group, report, information line.
enum Image { imMedia, imHardware, imExport, imGroup, imReport, imInfo, imCount };
constexpr int kImageSize = 18;

struct RootRow {
    ExplorerRoot root;
    const char* caption;
    int32_t kind;
    int32_t category;
    int image;
};

const std::array<RootRow, 6> kRoots = {{
    {ExplorerRoot::Groups, "Collection Groups", ekGroup, ecGroup, imGroup},
    {ExplorerRoot::Media, "Media", ekListFile, ecMedia, imMedia},
    {ExplorerRoot::Hardware, "Hardware", ekListFile, ecHardware, imHardware},
    {ExplorerRoot::Masters, "Master Files", ekListFile, ecMaster, imMedia},
    {ExplorerRoot::Reports, "Reports", ekReport, ecReport, imReport},
    {ExplorerRoot::Exports, "Exported Files", ekExports, ecExport, imExport},
}};

// A node owning its record; it goes with the node.
class ExplorerNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 130;
    ExplorerNode(std::string caption, int image, std::optional<ExplorerNodeData> data)
        : QTreeWidgetItem(kType), caption_(std::move(caption)), image_(image), data_(std::move(data))
    {
    }
    const ExplorerNodeData* Data() const { return data_ ? &*data_ : nullptr; }
    // Information lines wait here until the node is first expanded: most are never looked at, and a
    // tree item costs far more than its text.
    std::vector<std::string> PendingLines;
    // The caption as bytes, compared exactly by the duplicate and root look-ups.
    const std::string& CaptionBytes() const { return caption_; }
    int Image() const { return image_; }

private:
    std::string caption_;
    int image_;
    std::optional<ExplorerNodeData> data_;
};

const ExplorerNode* AsNode(const QTreeWidgetItem* item)
{
    return item && item->type() == ExplorerNode::kType ? static_cast<const ExplorerNode*>(item) : nullptr;
}

QPainterPath Outline(std::initializer_list<QPointF> corners)
{
    QPolygonF polygon(corners);
    polygon << polygon.front();
    QPainterPath path;
    path.addPolygon(polygon);
    return path;
}

QIcon DrawImage(int image)
{
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(60, 60, 60);
    p.setPen(QPen(outline, 1));
    switch (image) {
    case imMedia: {  // a cartridge with its label
        const QPainterPath shell = Outline({{3.5, 2.5}, {14.5, 2.5}, {14.5, 15.5}, {5.5, 15.5}, {3.5, 13.5}});
        p.fillPath(shell, QColor(70, 90, 200));
        p.drawPath(shell);
        p.fillRect(QRectF(5.5, 4.5, 7, 6), QColor(250, 240, 200));
        p.fillRect(QRectF(6, 12.5, 1.5, 2.5), QColor(230, 200, 60));
        p.fillRect(QRectF(9, 12.5, 1.5, 2.5), QColor(230, 200, 60));
        p.fillRect(QRectF(12, 12.5, 1.5, 2.5), QColor(230, 200, 60));
        break;
    }
    case imHardware: {  // a game pad
        p.setBrush(QColor(200, 60, 60));
        p.drawRoundedRect(QRectF(1.5, 5.5, 15, 8), 3.5, 3.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 8.7, 5, 1.6));
        p.drawRect(QRectF(5.2, 7, 1.6, 5));
        p.drawEllipse(QPointF(11.5, 8.2), 1.2, 1.2);
        p.drawEllipse(QPointF(13.8, 10.5), 1.2, 1.2);
        break;
    }
    case imExport: {  // a sheet with an arrow leaving it
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 10, 14));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (int y = 4; y <= 12; y += 3)
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(10.5, y + 0.5));
        p.setPen(QPen(QColor(30, 140, 60), 2));
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        p.drawLine(QPointF(13, 9), QPointF(16, 12));
        p.drawLine(QPointF(13, 15), QPointF(16, 12));
        break;
    }
    case imGroup: {  // a folder
        p.setBrush(QColor(235, 195, 80));
        const QPainterPath folder = Outline({{1.5, 4.5}, {6.5, 4.5}, {8, 6}, {16.5, 6}, {16.5, 14.5}, {1.5, 14.5}});
        p.drawPath(folder);
        p.drawLine(QPointF(1.5, 8), QPointF(16.5, 8));
        break;
    }
    case imReport: {  // a page with a heading and a table
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 1.5, 11, 15));
        p.fillRect(QRectF(5, 3.5, 8, 2), QColor(40, 90, 170));
        p.setPen(QPen(QColor(120, 120, 120), 1));
        for (int y = 7; y <= 14; y += 2)
            p.drawLine(QPointF(5, y + 0.5), QPointF(13, y + 0.5));
        break;
    }
    default: {  // information: a small "i"
        p.setBrush(QColor(220, 230, 245));
        p.setPen(QPen(QColor(90, 110, 150), 1));
        p.drawEllipse(QRectF(3.5, 3.5, 11, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 70, 130));
        p.drawEllipse(QPointF(9, 6.3), 1, 1);
        p.drawRect(QRectF(8.2, 8, 1.6, 4.5));
        break;
    }
    }
    return QIcon(pixmap);
}

const QIcon& ImageOf(int image)
{
    static const std::array<QIcon, imCount> images = [] {
        std::array<QIcon, imCount> all;
        for (int i = 0; i < imCount; ++i)
            all[size_t(i)] = DrawImage(i);
        return all;
    }();
    return images.at(size_t(image));
}

// A list's header values may hold line breaks and other control bytes; a tree line cannot.
std::string Blanked(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

}  // namespace

CollectionExplorer::CollectionExplorer(const SettingsStore& settings, QWidget* parent)
    : QTreeWidget(parent), settings_(settings)
{
    setObjectName("CollectionTV");
    setHeaderHidden(true);
    setColumnCount(1);
    // Long captions scroll sideways rather than being cut.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setIndentation(21);
    setIconSize(QSize(kImageSize, kImageSize));
    setSortingEnabled(false);
    setExpandsOnDoubleClick(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setToolTip(PlainToolTip("Click and Drag Items to perform the various operations."));
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    // The selection stays visible when the tree loses the focus.
    QPalette colours = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    connect(this, &QTreeWidget::itemExpanded, this, &CollectionExplorer::ShowInfoLines);
}

int CollectionExplorer::FittingWidth() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int widest = 0;
    const auto measure = [&](const QTreeWidgetItem* node, int depth) {
        const int width = itemDelegate()->sizeHint(option, indexFromItem(node)).width();
        widest = std::max(widest, (depth + 1) * indentation() + width);
    };
    for (int r = 0; r < topLevelItemCount(); ++r) {
        const QTreeWidgetItem* root = topLevelItem(r);
        measure(root, 0);
        for (int c = 0; c < root->childCount(); ++c)
            measure(root->child(c), 1);
    }
    // A vertical scroll bar appears once a root is opened.
    return widest + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

const char* CollectionExplorer::DragFormat() { return "application/x-quorvel-explorer-node"; }

const char* CollectionExplorer::RootCaption(ExplorerRoot root)
{
    for (const RootRow& row : kRoots)
        if (row.root == root)
            return row.caption;
    return "";
}

void CollectionExplorer::BuildExplorerTree()
{
    dragged_ = nullptr;
    clear();
    // Filled before they join the tree: a node added to a shown tree costs a model notification each.
    QList<QTreeWidgetItem*> roots;
    // A list that is a group member and in a list folder is read once per build.
    std::unordered_map<Path, ListFilePeek> peeks;
    buildPeeks_ = &peeks;
    for (const RootRow& row : kRoots) {
        QTreeWidgetItem* root = NewNode(row.caption, row.image, ExplorerNodeData {row.kind, row.category, {}});
        roots.push_back(root);
        // A folder that cannot be listed shows as an empty root, like a missing one; the others still fill.
        try {
            AddExplorerFolder(root, GetCategoryFolder(row.category), GetCategoryExtension(row.category));
        } catch (...) {
        }
    }
    buildPeeks_ = nullptr;
    addTopLevelItems(roots);
}

void CollectionExplorer::AddExplorerFolder(QTreeWidgetItem* root, const Path& folder,
                                           const std::string& extension)
{
    if (!root || folder.empty())
        return;
    TcFileList files;
    files.FileTypes = {ftNormal, ftReadOnly, ftArchive};
    files.SearchMask = "*" + extension;
    files.SearchPath = folder.Bytes();
    files.SetSorted(true);
    files.Search();
    // Captions already under the root, so that a big folder is not scanned once per file.
    std::unordered_set<std::string> captions;
    for (int i = 0; i < root->childCount(); ++i)
        captions.insert(Caption(root->child(i)));
    for (int32_t i = 0; i < files.Count(); ++i) {
        const Path file(files.Items(i)->FileName);
        const std::string caption = NodeCaption(file);
        if (captions.insert(caption).second)
            AddFileNode(root, file, caption);
    }
}

void CollectionExplorer::AddExplorerFileNode(QTreeWidgetItem* root, const Path& fileName)
{
    if (!root || !NodeData(root))
        return;
    const std::string caption = NodeCaption(fileName);
    for (int i = 0; i < root->childCount(); ++i)
        if (Caption(root->child(i)) == caption)
            return;
    AddFileNode(root, fileName, caption);
}

void CollectionExplorer::AddFileNode(QTreeWidgetItem* root, const Path& fileName, const std::string& caption)
{
    const ExplorerNodeData& rootData = *NodeData(root);
    switch (rootData.Kind) {
    case ekGroup: {
        QTreeWidgetItem* group = AddNode(root, caption, imGroup, ExplorerNodeData {ekGroup, ecGroup, fileName});
        LoadGroupMembers(group, fileName);
        break;
    }
    case ekListFile: {
        AddListNode(root, fileName, AsNode(root)->Image());
        break;
    }
    case ekReport:
        AddNode(root, caption, imReport, ExplorerNodeData {rootData.Kind, rootData.Category, fileName});
        break;
    case ekExports:
        AddNode(root, caption, imExport, std::nullopt);
        break;
    default:
        break;
    }
}

ListFilePeek CollectionExplorer::Peek(const Path& fileName) const
{
    if (!buildPeeks_)
        return PeekListFile(fileName);
    const auto found = buildPeeks_->find(fileName);
    if (found != buildPeeks_->end())
        return found->second;
    return buildPeeks_->emplace(fileName, PeekListFile(fileName)).first->second;
}

void CollectionExplorer::AddListNode(QTreeWidgetItem* parent, const Path& fileName, int fallbackImage)
{
    const ListFilePeek peek = Peek(fileName);
    const std::string caption = NodeCaption(fileName);
    if (peek.Type != ltMedia && peek.Type != ltHardware) {
        AddNode(parent, caption, fallbackImage, std::nullopt);
        return;
    }
    const bool media = peek.Type == ltMedia;
    QTreeWidgetItem* node = AddNode(parent, caption, media ? imMedia : imHardware,
                                    ExplorerNodeData {ekListFile, media ? ecMedia : ecHardware, fileName});
    AddInfoLines(node, peek);
}

void CollectionExplorer::AddInfoLines(QTreeWidgetItem* node, const ListFilePeek& peek)
{
    auto* explorerNode = static_cast<ExplorerNode*>(node);
    explorerNode->PendingLines = {Blanked("Owner: " + peek.Owner), Blanked("Platform: " + peek.Platform),
                                  Blanked("Type: " + peek.ListType), Blanked("Description: " + peek.Description)};
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
}

void CollectionExplorer::ShowInfoLines(QTreeWidgetItem* node)
{
    auto* explorerNode = node && node->type() == ExplorerNode::kType ? static_cast<ExplorerNode*>(node) : nullptr;
    if (!explorerNode || explorerNode->PendingLines.empty())
        return;
    const std::vector<std::string> lines = std::move(explorerNode->PendingLines);
    explorerNode->PendingLines.clear();
    QList<QTreeWidgetItem*> children;
    for (const std::string& line : lines)
        children.push_back(NewNode(line, imInfo, std::nullopt));
    node->insertChildren(0, children);
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CollectionExplorer::AddListInfoNodes(QTreeWidgetItem* node, const Path& fileName)
{
    const ExplorerNodeData* data = NodeData(node);
    if (!data || data->Kind != ekListFile)
        return;
    const ListFilePeek peek = PeekListFile(fileName);
    if (peek.Type != ltNone)
        AddInfoLines(node, peek);
}

void CollectionExplorer::LoadGroupMembers(QTreeWidgetItem* groupNode, const Path& groupFileName)
{
    if (!groupNode || !groupNode->parent())
        return;
    // A group file that cannot be read is told; the rest of the tree is built all the same.
    std::vector<std::string> entries;
    if (!RunCommand([&] { entries = ReadGroupFile(groupFileName); }))
        return;
    // Entries of missing files stay in the group file; they are only not shown.
    for (const std::string& entry : entries)
        if (FileExists(Path(entry)))
            AddListNode(groupNode, Path(entry), imMedia);
}

void CollectionExplorer::ReloadGroup(QTreeWidgetItem* groupNode)
{
    const ExplorerNodeData* data = NodeData(groupNode);
    if (!data)
        return;
    const bool expanded = groupNode->isExpanded();
    for (QTreeWidgetItem* child : groupNode->takeChildren()) {
        if (dragged_ == child)
            dragged_ = nullptr;
        delete child;
    }
    LoadGroupMembers(groupNode, data->FileName);
    groupNode->setExpanded(expanded);
}

Path CollectionExplorer::GetCategoryFolder(int32_t category) const
{
    static const char* const keys[] = {setting::CartPath,      setting::HardwarePath, setting::ExportPath,
                                       setting::GroupPath,     setting::ReportPath,   "",
                                       setting::MasterCartPath};
    if (category < 0 || category > ecMaster || !*keys[category])
        return {};
    return settings_.GetFolder(keys[category]);
}

std::string CollectionExplorer::GetCategoryExtension(int32_t category)
{
    static const char* const extensions[] = {".csv", ".csv", ".csv", ".ini", ".html", "", ".csv"};
    if (category < 0 || category > ecMaster)
        return {};
    return extensions[category];
}

QTreeWidgetItem* CollectionExplorer::FindExplorerRoot(const std::string& caption) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (Caption(topLevelItem(i)) == caption)
            return topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* CollectionExplorer::Root(ExplorerRoot root) const { return FindExplorerRoot(RootCaption(root)); }

const ExplorerNodeData* CollectionExplorer::NodeData(const QTreeWidgetItem* node)
{
    const ExplorerNode* explorerNode = AsNode(node);
    return explorerNode ? explorerNode->Data() : nullptr;
}

std::string CollectionExplorer::NodeCaption(const Path& fileName)
{
    const std::string name = ExtractFileName(fileName).Bytes();
    return name.substr(0, name.find('.'));
}

std::string CollectionExplorer::Caption(const QTreeWidgetItem* node)
{
    const ExplorerNode* explorerNode = AsNode(node);
    return explorerNode ? explorerNode->CaptionBytes() : std::string();
}

void CollectionExplorer::RemoveNode(QTreeWidgetItem* node)
{
    if (!node)
        return;
    for (const QTreeWidgetItem* at = dragged_; at; at = at->parent())
        if (at == node)
            dragged_ = nullptr;
    delete node;
}

QTreeWidgetItem* CollectionExplorer::NewNode(const std::string& caption, int image,
                                             std::optional<ExplorerNodeData> data)
{
    auto* node = new ExplorerNode(caption, image, std::move(data));
    // File captions are file-system bytes, information lines list text.
    node->setText(0, OneLine(image == imInfo ? ToQString(caption) : PathToQString(Path(caption))));
    node->setIcon(0, ImageOf(image));
    node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    return node;
}

QTreeWidgetItem* CollectionExplorer::AddNode(QTreeWidgetItem* parent, const std::string& caption, int image,
                                             std::optional<ExplorerNodeData> data)
{
    QTreeWidgetItem* node = NewNode(caption, image, std::move(data));
    if (parent)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    return node;
}

void CollectionExplorer::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* node = currentItem();
    if (!node)
        return;
    dragged_ = node;
    auto* mime = new QMimeData;
    mime->setData(DragFormat(), QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(node->icon(0).pixmap(kImageSize, kImageSize));
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    dragged_ = nullptr;
}

}  // namespace quorvel
