#include "ui/inventory/InventoryFormModel.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "platform/qt/QtCp1252.h"

#include <QBrush>
#include <QPalette>

#include <algorithm>

namespace quorvel {

std::vector<InventoryListModel::Column> InventoryListModel::BuildColumns(const TColumnListClass& columns) const
{
    std::vector<const TColumnClass*> visible;
    for (const auto& c : columns.Columns)
        if (!c->Hidden)
            visible.push_back(c.get());
    std::stable_sort(visible.begin(), visible.end(),
                     [](const TColumnClass* a, const TColumnClass* b) { return a->Order < b->Order; });
    if (visible.size() > kMaxColumns)
        visible.resize(kMaxColumns);

    std::vector<Column> result;
    const TBaseCustomClass* sample = list_ && list_->Count() > 0 ? list_->GetItem(0) : nullptr;
    for (const TColumnClass* c : visible) {
        Column column {ToQString(c->Name), c->Field, -1, c->Justification};
        if (sample)
            column.fieldIndex = sample->IndexOfField(c->Field);
        result.push_back(std::move(column));
    }
    return result;
}

void InventoryListModel::SetList(TBaseCustomListClass* list, const TColumnListClass& columns)
{
    beginResetModel();
    list_ = list;
    const int32_t count = list ? list->Count() : 0;
    rows_.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        rows_[static_cast<size_t>(i)] = i;
    checked_.assign(static_cast<size_t>(count), false);
    columns_ = BuildColumns(columns);
    endResetModel();
}

void InventoryListModel::SetColumns(const TColumnListClass& columns)
{
    beginResetModel();
    columns_ = BuildColumns(columns);
    endResetModel();
}

int InventoryListModel::RowOfItem(int32_t itemIndex) const
{
    const auto it = std::find(rows_.begin(), rows_.end(), itemIndex);
    return it == rows_.end() ? -1 : int(it - rows_.begin());
}

bool InventoryListModel::IsChecked(int row) const { return checked_.at(static_cast<size_t>(ItemIndexOfRow(row))); }

void InventoryListModel::SetChecked(int row, bool checked)
{
    checked_.at(static_cast<size_t>(ItemIndexOfRow(row))) = checked;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

std::vector<std::string> InventoryListModel::ColumnFields() const
{
    std::vector<std::string> fields;
    for (const auto& c : columns_)
        fields.push_back(c.field);
    return fields;
}

std::string InventoryListModel::CellText(int row, int column) const
{
    const Column& c = columns_[static_cast<size_t>(column)];
    if (c.fieldIndex < 0)
        return {};
    const TBaseCustomClass* item = list_->GetItem(ItemIndexOfRow(row));
    return item->DisplayTextAt(c.fieldIndex);
}

void InventoryListModel::Sort(int sortNumber, int direction)
{
    const int column = sortNumber - 1;
    if (column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int32_t> itemsBefore;
    for (const QModelIndex& i : before)
        itemsBefore.push_back(ItemIndexOfRow(i.row()));

    // One key per row, then a stable sort by the keys.
    std::vector<std::pair<std::string, int32_t>> keyed;
    keyed.reserve(rows_.size());
    for (size_t r = 0; r < rows_.size(); ++r)
        keyed.emplace_back(CellText(int(r), column), rows_[r]);
    std::stable_sort(keyed.begin(), keyed.end(), [direction](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first);
        return (order < 0 ? -1 : order > 0 ? 1 : 0) * direction < 0;
    });
    for (size_t r = 0; r < rows_.size(); ++r)
        rows_[r] = keyed[r].second;

    QModelIndexList after;
    for (size_t i = 0; i < size_t(before.size()); ++i)
        after.push_back(index(RowOfItem(itemsBefore[i]), before[int(i)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void InventoryListModel::Refresh()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int InventoryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int InventoryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant InventoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(CellText(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (index.column() == 0)
            return IsChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        // A counted row is drawn ghosted.
        if (IsChecked(index.row()))
            return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        return {};
    case Qt::TextAlignmentRole: {
        const int j = columns_[static_cast<size_t>(index.column())].justification;
        const Qt::Alignment h = j == 1 ? Qt::AlignHCenter : j == 2 ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

bool InventoryListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags InventoryListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant InventoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns_[static_cast<size_t>(section)].header;
}

}  // namespace quorvel
