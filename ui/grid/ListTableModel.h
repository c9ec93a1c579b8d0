#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace quorvel {

class TBaseCustomClass;
class TBaseCustomListClass;
class FieldSet;

// The table a grid shows: row i is item i of the list, column c the c-th visible column. It keeps
// no copy of the list; the row count is set by its owner (the grid binding), as the list may change
// before the grid is told. Check marks belong to items, so they follow their items across a sort.
// A cell's text as the grid shows it: one line, as a label shows it. Laying out a note of megabytes
// took seconds at every paint of the grid and at every measure of a column.
QString CellShownText(std::string text);

class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        std::string field;
        std::string caption;
        int32_t justification = 0;
    };

    explicit ListTableModel(QObject* parent = nullptr);

    // Where cell text comes from; called only for rows below the row count and while not sorting.
    void SetList(const TBaseCustomListClass* list);
    // Replaces the columns and empties the rows.
    void SetColumns(std::vector<Column> columns);
    // The row count the grid shows (the rows keep their positions; their text is asked again).
    void SetRowCount(int32_t count);
    int32_t RowCount() const { return rows_; }
    // Cells answer no text while set (the list is being reordered).
    void SetSorting(bool sorting) { sorting_ = sorting; }
    void SetCheckBoxes(bool on);
    bool CheckBoxes() const { return checkBoxes_; }

    bool IsChecked(int32_t row) const;
    void SetChecked(int32_t row, bool checked);
    // Rows of checked items in list order.
    std::vector<int32_t> CheckedRows() const;
    void ClearChecks();
    // Drops marks of items that left the list.
    void PruneChecks();

    // Reorders the list through Sort; selection and current row follow their items.
    void Reorder(const std::function<void()>& sort);

    // The text of one cell; empty for a row beyond the list.
    std::string CellText(int32_t row, int32_t column) const;
    // Rows from Start on, wrapping once, whose first column begins with Text ignoring case; -1 if none.
    int32_t FindPrefix(int32_t start, const std::string& text) const;
    // True when the first column of the row begins with Text ignoring case. Never throws.
    bool StartsWith(int32_t row, const std::string& upperText) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The view's keyboard search arrives here: it always searches the first column.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

private:
    const TBaseCustomClass* ItemAt(int32_t row) const;
    // Field position of a column in the item's field set, resolved once per field set.
    int32_t FieldPosition(const TBaseCustomClass& item, int32_t column) const;

    const TBaseCustomListClass* list_ = nullptr;
    std::vector<Column> columns_;
    int32_t rows_ = 0;
    bool sorting_ = false;
    bool checkBoxes_ = false;
    std::unordered_set<const TBaseCustomClass*> checked_;
    mutable const FieldSet* resolvedFor_ = nullptr;
    mutable std::vector<int32_t> positions_;
};

}  // namespace quorvel
