#pragma once

#include "model/ColumnList.h"

#include <QAbstractTableModel>
#include <QDialog>

class QPushButton;
class QTableView;
class QToolButton;

namespace quorvel {

// The rows of the column-order dialog: row i is column i of the working copy; the check mark is
// "shown", the first cell's text the header caption (editable), the second the justification.
class FieldOrderModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FieldOrderModel(TColumnListClass& columns, QObject* parent = nullptr)
        : QAbstractTableModel(parent), columns_(columns)
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The working copy changed as a whole (new set, moves, check all).
    void Reload();
    void RowsChanged(int first, int last);

private:
    TColumnListClass& columns_;
};

// "Field Order": edits a private copy of a column set (captions, shown or hidden, justification,
// position). Callers hand in their set with SetColumns, show the dialog with ExecDialog and take the
// copy back with GetColumns only after OK.
class TFieldOrderForm : public QDialog {
    Q_OBJECT

public:
    explicit TFieldOrderForm(QWidget* parent = nullptr);

    void SetColumns(const TColumnListClass& source);
    void GetColumns(TColumnListClass& dest) const;

    // Texts of justifications 0, 1 and 2; other values show as "Left", as grids align them.
    static const char* JustificationText(int32_t justification);

    void MoveUpButtonClick();
    void MoveDownButtonClick();
    void CheckAllButtonClick();
    void UnCheckAllButtonClick();
    void ColumnListDoubleClick();

private:
    int SelectedRow() const;
    void SelectRow(int row);
    void Exchange(int upper);
    void SetAllShown(bool shown);
    void FitColumns();

    TColumnListClass Columns;
    FieldOrderModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QToolButton* moveUp_ = nullptr;
    QToolButton* moveDown_ = nullptr;
};

}  // namespace quorvel
