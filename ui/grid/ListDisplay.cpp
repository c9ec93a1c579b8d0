#include "ui/grid/ListDisplay.h"

#include "model/BaseCustomListClass.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "ui/grid/ListTableModel.h"
#include "ui/UiScale.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <string>
#include <unordered_map>

namespace quorvel {

namespace {

constexpr int kDesignColumnWidth = 75;
// Default widths follow the text of the first rows, up to this many design pixels.
constexpr int kRowsMeasured = 50;
constexpr int kWidestDefault = 300;

// Columns the view section does not hold get the default width for this desktop: the design width
// scaled, and wide enough for the caption and the first rows' text (within reason). A width the
// section holds is the user's, used as stored.
void SetDefaultWidths(TColumnListClass& columns, const TBaseCustomListClass& list, const QTableView* tree,
                      bool checkBoxes, const Path& fileName, const std::string& section)
{
    std::vector<std::string> stored;
    if (!fileName.empty()) {
        for (const auto& [key, value] : IniFile::Load(fileName).SectionValues(section))
            if (IniFile::KeyIndex(key, "Field"))
                stored.push_back(value);
    }
    columns.SortByOrder();
    // Most cells repeat a few texts ("Yes", "No", a maker): each is measured once.
    std::unordered_map<std::string, int> measured;
    bool first = true;
    for (const auto& column : columns.Columns) {
        const bool shownFirst = first && !column->Hidden;
        first = first && column->Hidden;
        const auto named = [&](const std::string& field) { return Cp1252::EqualsNoCase(field, column->Field); };
        if (std::any_of(stored.begin(), stored.end(), named))
            continue;
        column->Width = Scaled(kDesignColumnWidth);
        if (!tree)
            continue;
        const QStyle& style = *tree->style();
        const QFontMetrics metrics = tree->fontMetrics();
        int text = 0;
        for (int32_t row = 0; row < std::min<int32_t>(list.Count(), kRowsMeasured); ++row) {
            const TBaseCustomClass& item = *list.GetItem(row);
            const int32_t at = item.Fields().IndexOf(column->Field);
            if (at < 0)
                continue;
            auto [width, added] = measured.try_emplace(item.DisplayTextAt(at), 0);
            if (added)
                width->second = metrics.horizontalAdvance(CellShownText(width->first));
            text = std::max(text, width->second);
        }
        // A cell's text sits between the focus frame's margins; the first column may carry a check box.
        const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
        int cell = text + 2 * margin + 1;
        if (shownFirst && checkBoxes)
            cell += style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, tree) + 2 * margin;
        column->Width = std::max({column->Width, std::min(cell, Scaled(kWidestDefault)),
                                  HeaderWidthFor(*tree->horizontalHeader(), ToQString(column->Name))});
    }
}

// Moves to Row keeping the column and the sideways scroll; Extend selects the rows on the way.
void MoveToRow(QTableView& view, int row, bool extend)
{
    QAbstractItemModel* model = view.model();
    QItemSelectionModel* selection = view.selectionModel();
    if (!model || !selection || model->rowCount() == 0 || model->columnCount() == 0)
        return;
    QScrollBar* sideways = view.horizontalScrollBar();
    const int offset = sideways->value();
    const QModelIndex current = view.currentIndex();
    const int column = current.isValid() ? current.column() : std::max(0, view.columnAt(0));
    const QModelIndex target = model->index(row, column);
    if (extend && current.isValid()) {
        const QItemSelection rows(model->index(std::min(row, current.row()), 0),
                                  model->index(std::max(row, current.row()), model->columnCount() - 1));
        selection->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        selection->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    } else {
        selection->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    view.scrollTo(target);
    sideways->setValue(offset);
}

}  // namespace

// Home and End, with Ctrl or without, go to the first and last row: a list is read by its rows, and
// the grid's own keys would go to the first or last column and leave no row in view.
class TListDisplayClass::RowKeys : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* view = qobject_cast<QTableView*>(watched);
        if (!view || (key->key() != Qt::Key_Home && key->key() != Qt::Key_End))
            return false;
        const int rows = view->model() ? view->model()->rowCount() : 0;
        MoveToRow(*view, key->key() == Qt::Key_Home ? 0 : rows - 1, key->modifiers() & Qt::ShiftModifier);
        return true;
    }
};

TListDisplayClass::TListDisplayClass()
    : model_(std::make_unique<ListTableModel>()), rowKeys_(std::make_unique<RowKeys>())
{
}

TListDisplayClass::~TListDisplayClass()
{
    DisconnectTree();
    if (Tree)
        Tree->removeEventFilter(rowKeys_.get());
    if (Tree && Tree->model() == model_.get())
        Tree->setModel(nullptr);
}

Path TListDisplayClass::ViewFileName(const TBaseCustomListClass& list)
{
    const std::string& platform = list.GetPlatform();
    // The platform comes from a list file: it must not lead the name out of the configuration folder.
    if (!IsSafeNamePart(platform) || !IsSafeName(list.GetListType()))
        return {};
    return ResolveTextFileNoCase(G_ConfigFiles, list.GetListType() + "_View_" + platform + ".INI");
}

std::string TListDisplayClass::ViewSectionName(const std::string& treeName, const std::string& platform)
{
    return RemoveAllOccurrences(treeName + "_" + platform, " ");
}

Path TListDisplayClass::ViewFileName() const { return List ? ViewFileName(*List) : Path(); }

std::string TListDisplayClass::ViewSectionName() const
{
    if (!List || !Tree)
        return {};
    return ViewSectionName(Tree->objectName().toStdString(), List->GetPlatform());
}

std::string TListDisplayClass::GetColumnField(int32_t visibleIndex) const
{
    if (Columns.Count() == 0)
        return {};
    int32_t counter = -1;
    for (const auto& column : Columns.Columns) {
        if (!column->Hidden && ++counter == visibleIndex)
            return column->Field;
    }
    return Columns.Columns.front()->Field;
}

void TListDisplayClass::ConnectTree()
{
    DisconnectTree();
    if (!Tree)
        return;
    QHeaderView* header = Tree->horizontalHeader();
    connections_.push_back(QObject::connect(header, &QHeaderView::sectionClicked, header,
                                            Guarded([this](int column) { TreeHeaderClick(column); })));
    connections_.push_back(
        QObject::connect(header, &QHeaderView::sectionResized, header, [this](int, int, int) { TreeColumnResize(); }));
}

void TListDisplayClass::DisconnectTree()
{
    for (const auto& connection : connections_)
        QObject::disconnect(connection);
    connections_.clear();
}

void TListDisplayClass::RemoveHeaderColumns()
{
    BuildingColumns = true;
    model_->SetColumns({});
    BuildingColumns = false;
}

void TListDisplayClass::ClearRows() { model_->SetRowCount(0); }

void TListDisplayClass::SetTree(QTableView* tree)
{
    if (Tree) {
        DisconnectTree();
        Tree->removeEventFilter(rowKeys_.get());
        if (ViewDirty) {
            CaptureColumnWidths();
            SaveView();
            ViewDirty = false;
        }
        RemoveHeaderColumns();
        if (Tree->model() == model_.get())
            Tree->setModel(nullptr);
    }
    Tree = tree;
    SortColumn = 0;
    SortField = GetColumnField(0);
    SortDirection = 1;
    if (!Tree)
        return;
    if (Tree->model() != model_.get())
        Tree->setModel(model_.get());
    // Rows of one height: the grid then never measures rows it does not show.
    Tree->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tree->verticalHeader()->hide();
    Tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tree->installEventFilter(rowKeys_.get());
    QHeaderView* header = Tree->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    ClearRows();
    if (List) {
        SortBy(SortField, SortDirection);
        model_->SetRowCount(List->Count());
    }
    ConnectTree();
}

void TListDisplayClass::SetList(TBaseCustomListClass* list)
{
    if (list == List)
        return;
    if (List && ViewDirty) {
        CaptureColumnWidths();
        SaveView();
        ViewDirty = false;
    }
    model_->ClearChecks();
    if (!list) {
        if (Tree) {
            // The old rows must not ask a list that may be freed next.
            model_->SetList(nullptr);
            RemoveHeaderColumns();
            DisconnectTree();
        }
    } else if (Tree) {
        ConnectTree();
    }
    List = list;
    model_->SetList(List);
    if (List) {
        LoadView();
        // Another list starts at its first row and column, not where the one before was scrolled:
        // its rows come back before the grid has laid out the cleared ones, so nothing resets them.
        if (Tree) {
            Tree->verticalScrollBar()->setValue(0);
            Tree->horizontalScrollBar()->setValue(0);
        }
    }
}

void TListDisplayClass::LoadView()
{
    if (!List)
        return;
    const Path fileName = ViewFileName();
    Columns.Clear();
    Columns.SetTemplate(List->Count() > 0 ? List->GetItem(0) : nullptr);
    if (Columns.Template && !fileName.empty())
        Columns.LoadFromIni(fileName, ViewSectionName());
    // A layout that cannot be read gives the default columns, and is told where a failed save is.
    if (const Path stored = ResolveFileNoCase(fileName);
        !fileName.empty() && FileExists(stored) && !ReadFileStart(stored, 1) && ViewNotSaved)
        ViewNotSaved(ErrorText(FileReadError(stored)));
    SetDefaultWidths(Columns, *List, Tree, GetShowCheckBoxes(), fileName, ViewSectionName());
    ApplyColumns();
}

void TListDisplayClass::SaveView()
{
    if (Columns.Count() == 0 && !Columns.Template)
        return;
    if (!List || !Tree)
        return;
    const Path fileName = ViewFileName();
    if (fileName.empty())
        return;
    try {
        Columns.SortByOrder();
        Columns.SaveToIni(fileName, ViewSectionName());
    } catch (const std::exception& e) {
        // Closing the window must still reach its questions about unsaved lists: told, not asked.
        if (ViewNotSaved)
            ViewNotSaved("The column layout could not be saved: " + ErrorText(e));
    }
}

void TListDisplayClass::ApplyColumns()
{
    if (Tree)
        Tree->setUpdatesEnabled(false);
    BuildingColumns = true;
    Columns.SortByOrder();
    std::vector<ListTableModel::Column> visible;
    std::vector<int32_t> widths;
    for (const auto& column : Columns.Columns) {
        if (column->Hidden)
            continue;
        visible.push_back({column->Field, column->Name, column->Justification});
        widths.push_back(column->Width);
    }
    model_->SetColumns(std::move(visible));
    if (Tree) {
        QHeaderView* header = Tree->horizontalHeader();
        for (int c = 0; c < int(widths.size()); ++c) {
            // A moved section goes back to its place: the header order is the column order.
            if (header->visualIndex(c) != c)
                header->moveSection(header->visualIndex(c), c);
            header->resizeSection(c, widths[size_t(c)]);
        }
        header->setSortIndicator(-1, Qt::AscendingOrder);
    }
    // The next sort is by the first column: the glyph must mark that column, not the old one.
    SortColumn = 0;
    SortField = GetColumnField(0);
    if (Tree)
        Tree->setUpdatesEnabled(true);
    BuildingColumns = false;
}

void TListDisplayClass::Refresh()
{
    if (!List)
        return;
    model_->PruneChecks();
    if (List->Count() == 0)
        ClearRows();
    else if (Columns.Count() > 0)
        model_->SetRowCount(List->Count());
}

void TListDisplayClass::Resort() { SortBy(SortField, SortDirection); }

void TListDisplayClass::CaptureColumnWidths()
{
    if (!Tree)
        return;
    const QHeaderView* header = Tree->horizontalHeader();
    const int count = model_->columnCount();
    if (count == 0)
        return;
    int h = 0;
    for (const auto& column : Columns.Columns) {
        if (column->Hidden)
            continue;
        if (h < count)
            column->Width = header->sectionSize(h++);
    }
}

void TListDisplayClass::SortBy(const std::string& field, int32_t direction)
{
    if (field.empty() || !List)
        return;
    Sorting = true;
    model_->SetSorting(true);
    try {
        model_->Reorder([&] {
            TBaseCustomListClass::SetSortField(field);
            TBaseCustomListClass::SetSortDirection(direction);
            List->Sort();
        });
    } catch (...) {
        Sorting = false;
        model_->SetSorting(false);
        throw;
    }
    Sorting = false;
    model_->SetSorting(false);
    UpdateSortMark();
    if (Tree)
        Tree->viewport()->update();
}

void TListDisplayClass::UpdateSortMark()
{
    if (Tree)
        Tree->horizontalHeader()->setSortIndicator(SortColumn,
                                                   SortDirection == 1 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

std::string TListDisplayClass::TreeGetText(int32_t row, int32_t column) const
{
    if (Sorting || !List)
        return {};
    return model_->CellText(row, column);
}

void TListDisplayClass::TreeHeaderClick(int32_t column)
{
    if (Tree)
        Tree->setEnabled(false);
    if (column == SortColumn) {
        SortDirection = -SortDirection;
    } else {
        SortColumn = column;
        SortDirection = 1;
    }
    SortField = GetColumnField(SortColumn);
    try {
        SortBy(SortField, SortDirection);
    } catch (...) {
        if (Tree)
            Tree->setEnabled(true);
        throw;
    }
    if (Tree)
        Tree->setEnabled(true);
}

void TListDisplayClass::TreeColumnResize()
{
    if (!BuildingColumns)
        ViewDirty = true;
}

int TListDisplayClass::TreeIncrementalSearch(int32_t row, const std::string& searchText) const
{
    return model_->StartsWith(row, Cp1252::ToUpper(searchText)) ? 0 : 1;
}

void TListDisplayClass::SetShowCheckBoxes(bool on) { model_->SetCheckBoxes(on); }

bool TListDisplayClass::GetShowCheckBoxes() const { return model_->CheckBoxes(); }

bool TListDisplayClass::IsChecked(int32_t row) const { return model_->IsChecked(row); }

void TListDisplayClass::SetChecked(int32_t row, bool checked) { model_->SetChecked(row, checked); }

std::vector<int32_t> TListDisplayClass::CheckedRows() const { return model_->CheckedRows(); }

std::vector<int32_t> TListDisplayClass::SelectedRows() const
{
    std::vector<int32_t> rows;
    if (!Tree || !Tree->selectionModel())
        return rows;
    for (const QItemSelectionRange& range : Tree->selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int32_t TListDisplayClass::SelectedCount() const
{
    if (!Tree || !Tree->selectionModel())
        return 0;
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : Tree->selectionModel()->selection())
        spans.emplace_back(range.top(), range.bottom());
    std::sort(spans.begin(), spans.end());
    int32_t count = 0;
    int last = -1;
    for (const auto& [top, bottom] : spans) {
        const int from = std::max(top, last + 1);
        if (bottom >= from)
            count += bottom - from + 1;
        last = std::max(last, bottom);
    }
    return count;
}

}  // namespace quorvel
