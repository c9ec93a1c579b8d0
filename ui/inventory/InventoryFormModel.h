#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

class TBaseCustomListClass;
class TColumnListClass;

// The rows of the inventory window: one per item of the list being counted, in the window's own
// order, with a check mark per item. Cells are read from the items when asked; the model keeps only
// the row order, the marks and which field each column shows.
class InventoryListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // A row has the caption and up to fifteen sub-items.
    static constexpr int kMaxColumns = 16;

    using QAbstractTableModel::QAbstractTableModel;

    // The list (not owned) in its own order, nothing checked; the visible columns of Columns in order.
    void SetList(TBaseCustomListClass* list, const TColumnListClass& columns);
    // Only the columns change; rows and marks stay.
    void SetColumns(const TColumnListClass& columns);

    // The item's position in the list.
    int32_t ItemIndexOfRow(int row) const { return rows_.at(static_cast<size_t>(row)); }
    int RowOfItem(int32_t itemIndex) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    // Field name of each column, in column order.
    std::vector<std::string> ColumnFields() const;

    // Sort number 1 is the caption column, 2 to 16 the sub-items; Direction is 1 or -1. Texts compare
    // exactly (case-sensitive); any other sort number leaves the rows as they are.
    void Sort(int sortNumber, int direction);
    // Cells changed in the items: show them again.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Column {
        QString header;
        std::string field;
        int fieldIndex = -1;  // in the list's items; -1 for a field they do not have
        int justification = 0;
    };

    std::string CellText(int row, int column) const;
    std::vector<Column> BuildColumns(const TColumnListClass& columns) const;

    TBaseCustomListClass* list_ = nullptr;
    std::vector<Column> columns_;
    std::vector<int32_t> rows_;  // item index per row
    std::vector<bool> checked_;  // per item, so that marks follow items through sorting
};

}  // namespace quorvel
